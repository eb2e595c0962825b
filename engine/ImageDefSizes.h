#pragma once
// Frame sizes offered for output pictures and watermark resizing. Texts are
// "%d%%" or "%d x %d"; kind 1 ends with the custom entry (value kCustomValue)
// that makes the grid open its size dialog.
#include "engine/ListEnumBase.h"

class CImageDefSizes : public CListEnumBase {
public:
    static constexpr int32_t kCustomValue = -1;
    explicit CImageDefSizes(int32_t kind = 0);
    bool IsCustom(size_t index) const { return index < GetCount() && GetItem(index).value == kCustomValue; }
};
