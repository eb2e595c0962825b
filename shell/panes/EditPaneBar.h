#pragma once
// The editing view's chooser of panes: a column of buttons with a 32x32
// command image above a text label, one per pane of the current set, the
// active pane's button marked. A click sends the button's command to the
// parent as a menu command.
#include <vector>
#include <wx/bitmap.h>
#include <wx/window.h>

class CEditPaneBar : public wxWindow {
public:
    static constexpr int kButtonHeight = 64;

    CEditPaneBar() = default;
    bool Create(wxWindow* parent);

    // Replaces every button by the set's.
    void SetButtons(const std::vector<int>& commands);
    const std::vector<int>& Commands() const { return m_commands; }
    void SetChecked(int command);
    int Checked() const { return m_checked; }
    // The command of the button at a point of the bar, 0 for none.
    int CommandAt(const wxPoint& point) const;
    wxRect ButtonRect(size_t index) const;

private:
    struct Button {
        int command;
        wxBitmap icon;
        wxString label;
    };
    void OnPaint(wxPaintEvent& event);
    void OnLeftUp(wxMouseEvent& event);

    std::vector<int> m_commands;
    std::vector<Button> m_buttons;
    int m_checked = 0;
};
