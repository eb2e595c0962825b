#pragma once
// The three-thumb level slider: black point, gamma and white point. The
// arithmetic is CLevelSliderModel's; the window draws it and feeds it the mouse.
#include "controls/draw/BitmapDC.h"
#include "controls/level/LevelCallback.h"
#include "controls/level/LevelSliderModel.h"
#include <wx/window.h>

class CLevelSlider : public wxWindow {
public:
    explicit CLevelSlider(wxWindow* parent, wxWindowID id = wxID_ANY);

    void SetLevelText(const std::wstring& text);
    void ReportLevels();
    void SetCallback(ILevelCallback* callback) { m_callback = callback; }
    const CLevelSliderModel& Model() const { return m_model; }

    // Mouse steps, also driven by tests.
    void PressAt(const wxPoint& point);
    void MoveTo(const wxPoint& point);
    void Release();

    void Draw(wxDC& dc);

private:
    void SyncClient();
    void OnPaint(wxPaintEvent& event);

    CLevelSliderModel m_model;
    KM::CBitmapDC m_low{392};
    KM::CBitmapDC m_middle{393};
    KM::CBitmapDC m_high{394};
    ILevelCallback* m_callback = nullptr;  // not owned
};
