#include "controls/color/AdvancedDialog.h"

#include <wx/display.h>

CAdvancedDialog::CAdvancedDialog(wxWindow* parent) : wxPopupWindow(parent, wxBORDER_SIMPLE), m_timer(this)
{
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { OnCloseTimer(); });
    WatchChild(this);
}

CAdvancedDialog::~CAdvancedDialog()
{
    WatchClicks(false);
    m_timer.Stop();
}

int CAdvancedDialog::CClickWatcher::FilterEvent(wxEvent& event)
{
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_LEFT_DOWN || type == wxEVT_RIGHT_DOWN || type == wxEVT_MIDDLE_DOWN) {
        auto* target = wxDynamicCast(event.GetEventObject(), wxWindow);
        if (target && m_owner.IsShown() && !m_owner.Contains(target)) m_owner.OnClickOutside();
    }
    return Event_Skip;
}

bool CAdvancedDialog::Contains(const wxWindow* w) const
{
    for (; w; w = w->GetParent())
        if (w == this) return true;
    return false;
}

void CAdvancedDialog::WatchClicks(bool on)
{
    if (on == m_watching) return;
    m_watching = on;
    if (on)
        wxEvtHandler::AddFilter(&m_clicks);
    else
        wxEvtHandler::RemoveFilter(&m_clicks);
}

void CAdvancedDialog::OnClickOutside()
{
    if (!IsShown()) return;
    if (m_closer.OnMessage(true, false)) m_timer.Start(1);
}

void CAdvancedDialog::WatchChild(wxWindow* child)
{
    child->Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& e) {
        const int key = e.GetKeyCode();
        if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER || key == WXK_ESCAPE)
            CheckClose(true);
        else
            e.Skip();
    });
    child->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& e) {
        e.Skip();
        if (IsShown()) CallAfter([this] { CheckClose(false); });
    });
}

bool CAdvancedDialog::FocusInside() const
{
    return Contains(wxWindow::FindFocus());
}

void CAdvancedDialog::CheckClose(bool enterOrEscape)
{
    if (!IsShown()) return;
    if (m_closer.OnMessage(enterOrEscape, FocusInside())) m_timer.Start(1);
}

void CAdvancedDialog::OnCloseTimer()
{
    m_timer.Stop();
    if (m_closer.OnTimer(FocusInside()) == CPopupCloser::TimerAction::Stay) return;
    if (!TransferDataFromWindow()) return;  // invalid values keep the pop-up open
    HidePopup();
}

void CAdvancedDialog::ShowPopup(const wxRect& anchor, int align)
{
    wxWindow* parent = GetParent();
    const wxPoint origin = parent ? parent->ClientToScreen(anchor.GetTopLeft()) : anchor.GetTopLeft();
    const GridRect a{origin.x, origin.y, origin.x + anchor.width, origin.y + anchor.height};
    wxSize size = GetSize();
    if (m_widthOverride != -1)
        size.x = m_widthOverride;
    else
        m_widthOverride = size.x;
    const int display = parent ? wxDisplay::GetFromWindow(parent) : 0;
    const wxRect area = wxDisplay(display == wxNOT_FOUND ? 0u : static_cast<unsigned>(display)).GetClientArea();
    const GridRect bounds{area.x, area.y, area.GetRight() + 1, area.GetBottom() + 1};
    const PopupPoint p = PlacePopup(a, size.x, size.y, bounds, align);
    SetSize(p.x, p.y, size.x, size.y);
    m_closer.Reset();
    WatchClicks(true);
    Show();
    Update();
}

void CAdvancedDialog::HidePopup()
{
    m_timer.Stop();
    m_closer.Reset();
    WatchClicks(false);
    Hide();
    if (m_closeListener) m_closeListener();
}
