#pragma once
// The main frame's error caption: a status-bar pane that shows its text in red.
// When it is shown and what it says belong to the main frame.
#include <wx/window.h>

class CErrorCaptionWnd : public wxWindow {
public:
    explicit CErrorCaptionWnd(wxWindow* statusBar, wxWindowID id = wxID_ANY);

    void SetCaption(const wxString& text);
    const wxString& GetCaption() const { return m_text; }
    wxSize DoGetBestSize() const override;

    static wxColour TextColour() { return wxColour(255, 0, 0); }

private:
    void OnPaint(wxPaintEvent& event);
    wxString m_text;
};
