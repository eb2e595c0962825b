#include "shell/frame/PageKinds.h"

CategoryAction ActionForCategory(int position)
{
    switch (position) {
    case kCategorySource: return {true, false, -1};
    case kCategoryEditing: return {false, true, kPageEditing};
    case kCategoryOutput: return {false, false, kPageOutput};
    case kCategoryConversion: return {false, false, kPageConversion};
    case kCategoryNews: return {false, false, kPageNews};
    default: return {};
    }
}

int PageKindForSourceType(int sourceType)
{
    return sourceType >= 0 && sourceType <= 2 ? sourceType : -1;
}

bool SourceViewNeedsShow(int sourceType, int lastShown, bool keep)
{
    return keep || sourceType != lastShown;
}
