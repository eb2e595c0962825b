#pragma once
// A toolbar button that is only a text label. It is never drawn greyed nor with
// an image, also while its command is disabled (a disabled label still ignores
// clicks). A click sends the command (wxEVT_TOOL with the command's id). The
// window's own id is a generated one: command numbers above 32766 are not
// valid window ids.
#include <wx/control.h>

class CToolbarButtonLabel : public wxControl {
public:
    // For two-step creation: empty text, command 0.
    CToolbarButtonLabel() = default;
    CToolbarButtonLabel(wxWindow* toolbar, const wxString& text, int command);
    bool Create(wxWindow* toolbar, const wxString& text, int command);

    void SetChecked(bool checked);
    bool IsChecked() const { return m_checked; }
    int GetCommand() const { return m_command; }

    // The text colour whether enabled or not.
    static wxColour TextColour();

protected:
    wxSize DoGetBestSize() const override;

private:
    void OnPaint(wxPaintEvent& event);
    void OnLeftUp(wxMouseEvent& event);

    int m_command = 0;
    bool m_checked = false;
};
