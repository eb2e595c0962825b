#pragma once
// The editing view's chooser of panes: a column of buttons with a 32x32
// command image above a text label, one per pane of the current set, the
// active pane's button marked. A click sends the button's command to the
// parent as a menu command. In a short window the buttons shrink so that
// every one stays in sight; too short for labels, they show the image alone
// and name themselves in a tooltip.
#include <vector>
#include <wx/bitmap.h>
#include <wx/window.h>

// The height of each of count buttons in a bar barHeight pixels high: the
// full height when they fit, else shared out, down to the image alone.
struct PaneBarGeometry {
    static constexpr int kButtonHeight = 64;
    static constexpr int kLabelledHeight = 54;  // image, gap and one line of text
    static constexpr int kImageOnlyHeight = 38;
    static int ButtonHeight(int barHeight, size_t count);
    static bool ShowsLabels(int buttonHeight) { return buttonHeight >= kLabelledHeight; }
};

class CEditPaneBar : public wxWindow {
public:

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
    void OnMotion(wxMouseEvent& event);
    int ButtonHeight() const;

    std::vector<int> m_commands;
    std::vector<Button> m_buttons;
    int m_checked = 0;
};
