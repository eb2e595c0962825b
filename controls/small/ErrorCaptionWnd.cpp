#include "controls/small/ErrorCaptionWnd.h"
#include "controls/draw/MemDC.h"
#include <wx/dcbuffer.h>
#include <wx/settings.h>

CErrorCaptionWnd::CErrorCaptionWnd(wxWindow* statusBar, wxWindowID id)
    : wxWindow(statusBar, id, wxDefaultPosition, wxDefaultSize, wxFULL_REPAINT_ON_RESIZE)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CErrorCaptionWnd::OnPaint, this);
}

void CErrorCaptionWnd::SetCaption(const wxString& text)
{
    m_text = text;
    InvalidateBestSize();
    Refresh();
}

wxSize CErrorCaptionWnd::DoGetBestSize() const
{
    wxSize text = GetTextExtent(m_text.empty() ? wxString("M") : m_text);
    return wxSize(text.x + 8, text.y + 4);
}

void CErrorCaptionWnd::OnPaint(wxPaintEvent&)
{
    wxPaintDC paint(this);
    wxRect client(GetClientSize());
    KM::CMemDC dc(paint, client);
    // The pane's own background, as the status bar paints its panes.
    wxColour back = GetParent() ? GetParent()->GetBackgroundColour() : wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
    dc.SetBackground(wxBrush(back));
    dc.Clear();
    dc.SetFont(GetFont());
    dc.SetTextForeground(TextColour());
    wxSize extent = dc.GetTextExtent(m_text);
    dc.DrawText(m_text, 4, (client.height - extent.y) / 2);
}
