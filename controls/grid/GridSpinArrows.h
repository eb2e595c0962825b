#pragma once
// The up and down arrows beside a number row's text box in the settings
// grid, drawn by this window itself: a click on the upper half steps the
// value up, on the lower half down, sent as the spin button's scroll events
// the grid's spin editor already steps by. A GTK spin button cannot be made
// as low as a grid row and warns at every measure when it is.
#include <wx/window.h>

class CGridSpinArrows : public wxWindow {
public:
    CGridSpinArrows(wxWindow* parent, const wxPoint& pos, const wxSize& size);

    // The width the arrows take beside the text box.
    static int Width(const wxWindow* parent);

    // Steps up (true) or down as a click on that half does.
    void Step(bool up);

private:
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);

    int m_pressed = 0;  // 1 upper half held down, -1 lower half, 0 none
};
