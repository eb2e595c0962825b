#include "engine/EditChain.h"
#include <algorithm>

namespace {

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

bool EditChain::IsIdentity() const
{
    return !Turns() && !HasCrop() && !Erases() && filters.IsIdentity() && watermarks.empty();
}

bool EditChain::operator==(const EditChain& o) const
{
    return rotateDegrees == o.rotateDegrees && flipH == o.flipH && flipV == o.flipV && SameRect(crop, o.crop) &&
           eraser == o.eraser && filters == o.filters &&
           std::equal(watermarks.begin(), watermarks.end(), o.watermarks.begin(), o.watermarks.end(),
                      [](const WatermarkEntry& a, const WatermarkEntry& b) { return a.desc == b.desc; });
}

bool EditChain::SameAs(const EditChain& o) const
{
    return *this == o && std::equal(watermarks.begin(), watermarks.end(), o.watermarks.begin(), o.watermarks.end(),
                                    [](const WatermarkEntry& a, const WatermarkEntry& b) {
                                        return a.key == b.key && a.item.Get() == b.item.Get();
                                    });
}
