#include "shell/frame/PageKinds.h"
#include "shell/frame/PageRegistry.h"

CategoryAction ActionForCategory(int position)
{
    if (position == kCategorySource)
        return {true, false, -1};
    for (const PageInfo& page : RegisteredPages())
        if (!page.isSource && page.category == position)
            return {false, page.refillsFileCombo, page.kind};
    return {};
}

int PageKindForSourceType(int sourceType)
{
    for (const PageInfo& page : RegisteredPages())
        if (page.isSource && page.source.sourceType == sourceType)
            return page.kind;
    return -1;
}

bool SourceViewNeedsShow(int sourceType, int lastShown, bool keep)
{
    return keep || sourceType != lastShown;
}
