#include "model/output/SplitType.h"

CSplitType::CSplitType()
{
    AddItem(SPLIT_BY_TIME, 61395, 61396);
    AddItem(SPLIT_BY_COUNT, 61397, 61398);
    AddItem(SPLIT_BY_SIZE, 61399, 61400);
}

CImageSplitType::CImageSplitType()
{
    AddItem(SPLIT_BY_TIME, 61395, 61396);
    AddItem(SPLIT_BY_COUNT, 61397, 61398);
}
