#include "controls/color/ColorPickerCtrl.h"

#include <wx/sizer.h>

CColorPickerCtrl::CColorPickerCtrl(wxWindow* parent) : CAdvancedDialog(parent)
{
    SetId(357);
    m_picker = new CColorPicker(this);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_picker, 1, wxEXPAND | wxALL, 2);
    SetSizerAndFit(sizer);
    WatchChild(m_picker);
}
