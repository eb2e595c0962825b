#pragma once
// A caption window drawn as a task pane's group caption: the pane's
// background, the caption band and the window's text in it. The owner sets
// the state (kHot while the caption is under the mouse, 0 otherwise) and asks
// for the picture with DrawTaskGroupCaption.
#include <wx/font.h>
#include <wx/window.h>

class CTaskGroupCaption : public wxWindow {
public:
    static constexpr int kHot = 2;

    CTaskGroupCaption(wxWindow* parent, wxWindowID id, const wxString& text, const wxFont& font);
    void SetState(int state) { m_state = state; }
    int GetState() const { return m_state; }
    // Paints the whole client area now.
    void DrawTaskGroupCaption();

private:
    void OnPaint(wxPaintEvent& event);

    wxFont m_font;
    int m_state = 0;
};

// The caption look over the rectangle r.
void DrawTaskGroupCaption(wxDC& dc, const wxRect& r, const wxString& text, int state, const wxFont& font);
