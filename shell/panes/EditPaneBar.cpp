#include "shell/panes/EditPaneBar.h"
#include "controls/res/ResourceBridge.h"
#include "shell/panes/EditPaneTable.h"
#include <wx/dcbuffer.h>
#include <wx/settings.h>
#include <algorithm>

int PaneBarGeometry::ButtonHeight(int barHeight, size_t count)
{
    if (count == 0) return kButtonHeight;
    const int shared = barHeight / static_cast<int>(count);
    return std::clamp(shared, kImageOnlyHeight, kButtonHeight);
}

bool CEditPaneBar::Create(wxWindow* parent)
{
    if (!wxWindow::Create(parent, wxID_ANY, wxDefaultPosition, wxSize(100, 100), wxFULL_REPAINT_ON_RESIZE))
        return false;
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CEditPaneBar::OnPaint, this);
    Bind(wxEVT_LEFT_UP, &CEditPaneBar::OnLeftUp, this);
    Bind(wxEVT_MOTION, &CEditPaneBar::OnMotion, this);
    return true;
}

void CEditPaneBar::SetButtons(const std::vector<int>& commands)
{
    m_commands = commands;
    m_buttons.clear();
    const std::vector<wxImage> icons = KM::Res::CutImageStrip(KM::Res::LoadImage(431), 32, *wxWHITE);
    for (int command : commands) {
        const EditPaneInfo* pane = PaneByCommand(command);
        Button b{command, wxBitmap(32, 32), wxString()};
        if (pane) {
            if (pane->icon >= 0 && static_cast<size_t>(pane->icon) < icons.size())
                b.icon = wxBitmap(icons[static_cast<size_t>(pane->icon)]);
            b.label = KM::Res::LoadString(pane->label);
        }
        m_buttons.push_back(b);
    }
    Refresh();
}

void CEditPaneBar::SetChecked(int command)
{
    if (m_checked == command)
        return;
    m_checked = command;
    Refresh();
}

int CEditPaneBar::ButtonHeight() const
{
    return PaneBarGeometry::ButtonHeight(GetClientSize().y, m_buttons.size());
}

wxRect CEditPaneBar::ButtonRect(size_t index) const
{
    const int h = ButtonHeight();
    return wxRect(0, static_cast<int>(index) * h, GetClientSize().x, h);
}

int CEditPaneBar::CommandAt(const wxPoint& point) const
{
    for (size_t i = 0; i < m_buttons.size(); ++i)
        if (ButtonRect(i).Contains(point)) return m_buttons[i].command;
    return 0;
}

void CEditPaneBar::OnLeftUp(wxMouseEvent& event)
{
    const int command = CommandAt(event.GetPosition());
    if (!command)
        return;
    wxCommandEvent click(wxEVT_MENU, command);
    click.SetEventObject(this);
    GetParent()->GetEventHandler()->ProcessEvent(click);
}

// Buttons without their label name themselves when the pointer rests on them.
void CEditPaneBar::OnMotion(wxMouseEvent& event)
{
    event.Skip();
    wxString tip;
    if (!PaneBarGeometry::ShowsLabels(ButtonHeight()))
        for (size_t i = 0; i < m_buttons.size(); ++i)
            if (ButtonRect(i).Contains(event.GetPosition())) tip = m_buttons[i].label;
    if (GetToolTipText() != tip) SetToolTip(tip);
}

void CEditPaneBar::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
    dc.Clear();
    dc.SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    const bool labels = PaneBarGeometry::ShowsLabels(ButtonHeight());
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        const Button& b = m_buttons[i];
        const wxRect r = ButtonRect(i).Deflate(2);
        if (b.command == m_checked) {
            dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT).ChangeLightness(170)));
            dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT)));
            dc.DrawRectangle(r);
        }
        if (!labels) {
            dc.DrawBitmap(b.icon, r.x + (r.width - 32) / 2, r.y + (r.height - 32) / 2, true);
            continue;
        }
        dc.DrawBitmap(b.icon, r.x + (r.width - 32) / 2, r.y + 2, true);
        wxString label = b.label;
        // Long labels are cut to the bar's width.
        while (label.length() > 3 && dc.GetTextExtent(label).x > r.width - 4)
            label = label.Left(label.length() - 2) + wxString::FromUTF8("…");
        const wxSize text = dc.GetTextExtent(label);
        dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT));
        dc.DrawText(label, r.x + (r.width - text.x) / 2, r.y + 34);
    }
}
