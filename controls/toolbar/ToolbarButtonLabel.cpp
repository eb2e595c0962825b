#include "controls/toolbar/ToolbarButtonLabel.h"
#include "controls/draw/MemDC.h"
#include <wx/dcclient.h>
#include <wx/settings.h>

CToolbarButtonLabel::CToolbarButtonLabel(wxWindow* toolbar, const wxString& text, int command)
{
    Create(toolbar, text, command);
}

bool CToolbarButtonLabel::Create(wxWindow* toolbar, const wxString& text, int command)
{
    m_command = command;
    if (!wxControl::Create(toolbar, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE))
        return false;
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetLabel(text);
    Bind(wxEVT_PAINT, &CToolbarButtonLabel::OnPaint, this);
    Bind(wxEVT_LEFT_UP, &CToolbarButtonLabel::OnLeftUp, this);
    return true;
}

wxColour CToolbarButtonLabel::TextColour()
{
    return wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT);
}

void CToolbarButtonLabel::SetChecked(bool checked)
{
    if (m_checked == checked) return;
    m_checked = checked;
    Refresh();
}

wxSize CToolbarButtonLabel::DoGetBestSize() const
{
    wxSize text = GetTextExtent(GetLabel().empty() ? wxString("M") : GetLabel());
    return wxSize(text.x + 12, text.y + 8);
}

void CToolbarButtonLabel::OnPaint(wxPaintEvent&)
{
    wxPaintDC paint(this);
    wxRect client(GetClientSize());
    KM::CMemDC dc(paint, client);
    wxColour back = GetParent() ? GetParent()->GetBackgroundColour() : wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
    dc.SetBackground(wxBrush(back));
    dc.Clear();
    if (m_checked) {
        dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT).ChangeLightness(180)));
        dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT)));
        dc.DrawRectangle(client);
    }
    // Enabled or not, the label reads as a normal text.
    dc.SetFont(GetFont());
    dc.SetTextForeground(TextColour());
    wxSize extent = dc.GetTextExtent(GetLabel());
    dc.DrawText(GetLabel(), (client.width - extent.x) / 2, (client.height - extent.y) / 2);
}

void CToolbarButtonLabel::OnLeftUp(wxMouseEvent& event)
{
    event.Skip();
    if (!IsEnabled() || !wxRect(GetClientSize()).Contains(event.GetPosition())) return;
    wxCommandEvent command(wxEVT_TOOL, m_command);
    command.SetEventObject(this);
    ProcessWindowEvent(command);
}
