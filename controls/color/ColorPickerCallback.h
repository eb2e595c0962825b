#pragma once
// Told the colour the user chose in a colour pop-up.
#include "platform/Types.h"

class IColorPickerCallback {
public:
    virtual void OnColorChanged(COLORREF color) = 0;

protected:
    ~IColorPickerCallback() = default;
};
