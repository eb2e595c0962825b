#pragma once
// The levels pop-up of a level row (template 360): the level slider filling
// a drop-down window. It stays open while the user drags.
#include "controls/color/AdvancedDialog.h"
#include "controls/level/LevelSlider.h"

class CLevelEditCtrl : public CAdvancedDialog {
public:
    explicit CLevelEditCtrl(wxWindow* parent);
    CLevelSlider& Slider() { return *m_slider; }

private:
    CLevelSlider* m_slider;  // child window
};
