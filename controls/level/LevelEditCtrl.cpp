#include "controls/level/LevelEditCtrl.h"

#include <wx/sizer.h>

CLevelEditCtrl::CLevelEditCtrl(wxWindow* parent) : CAdvancedDialog(parent)
{
    SetId(360);
    m_slider = new CLevelSlider(this);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_slider, 1, wxEXPAND);
    SetSizerAndFit(sizer);
    WatchChild(m_slider);
}
