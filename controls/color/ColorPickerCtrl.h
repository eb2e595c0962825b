#pragma once
// The colour pop-up of a colour row (template 357): the colour cells (358)
// in a drop-down window.
#include "controls/color/AdvancedDialog.h"
#include "controls/color/ColorPicker.h"

class CColorPickerCtrl : public CAdvancedDialog {
public:
    explicit CColorPickerCtrl(wxWindow* parent);
    CColorPicker& Picker() { return *m_picker; }

private:
    CColorPicker* m_picker;  // child window
};
