#include "controls/small/ScroolImplWnd.h"

CScroolImplWnd::CScroolImplWnd(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
    : wxWindow(parent, id, pos, size, style | wxHSCROLL | wxALWAYS_SHOW_SB | wxFULL_REPAINT_ON_RESIZE)
{
    Bind(wxEVT_SCROLLWIN_LINEUP, &CScroolImplWnd::OnScroll, this);
    Bind(wxEVT_SCROLLWIN_LINEDOWN, &CScroolImplWnd::OnScroll, this);
    Bind(wxEVT_SCROLLWIN_PAGEUP, &CScroolImplWnd::OnScroll, this);
    Bind(wxEVT_SCROLLWIN_PAGEDOWN, &CScroolImplWnd::OnScroll, this);
    Bind(wxEVT_SCROLLWIN_THUMBTRACK, &CScroolImplWnd::OnScroll, this);
    Bind(wxEVT_SCROLLWIN_THUMBRELEASE, &CScroolImplWnd::OnScroll, this);
    Bind(wxEVT_SCROLLWIN_TOP, &CScroolImplWnd::OnScroll, this);
    Bind(wxEVT_SCROLLWIN_BOTTOM, &CScroolImplWnd::OnScroll, this);
}

void CScroolImplWnd::UpdateScrollBars()
{
    m_scroll.Update(GetContentWidth(), GetClientSize().GetWidth());
    ApplyToBar();
}

void CScroolImplWnd::SetScrollOffset(double offset)
{
    m_scroll.SetScrollOffset(offset);
    ApplyToBar();
}

void CScroolImplWnd::ApplyToBar()
{
    const ScrollBarState& bar = m_scroll.Bar();
    // The native bar's positions run 0 .. range - thumb, as the model's do.
    if (bar.enabled) SetScrollbar(wxHORIZONTAL, bar.pos, bar.page, bar.max);
    else SetScrollbar(wxHORIZONTAL, 0, 0, 0);
}

void CScroolImplWnd::OnScroll(wxScrollWinEvent& event)
{
    if (event.GetOrientation() != wxHORIZONTAL) {
        event.Skip();
        return;
    }
    const wxEventType type = event.GetEventType();
    int code = SB_ENDSCROLL;
    if (type == wxEVT_SCROLLWIN_LINEUP) code = SB_LINELEFT;
    else if (type == wxEVT_SCROLLWIN_LINEDOWN) code = SB_LINERIGHT;
    else if (type == wxEVT_SCROLLWIN_PAGEUP) code = SB_PAGELEFT;
    else if (type == wxEVT_SCROLLWIN_PAGEDOWN) code = SB_PAGERIGHT;
    else if (type == wxEVT_SCROLLWIN_THUMBTRACK) code = SB_THUMBTRACK;
    else if (type == wxEVT_SCROLLWIN_THUMBRELEASE) code = SB_THUMBPOSITION;
    else if (type == wxEVT_SCROLLWIN_TOP) code = SB_LEFT;
    else if (type == wxEVT_SCROLLWIN_BOTTOM) code = SB_RIGHT;
    m_scroll.Scroll(code, event.GetPosition());
    ApplyToBar();
    RedrawNow();
}
