#include "controls/grid/GridSpinArrows.h"
#include <algorithm>
#include <wx/dcbuffer.h>
#include <wx/settings.h>
#include <wx/spinbutt.h>

CGridSpinArrows::CGridSpinArrows(wxWindow* parent, const wxPoint& pos, const wxSize& size)
    : wxWindow(parent, wxID_ANY, pos, size, wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE, "Spin arrows")
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CGridSpinArrows::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CGridSpinArrows::OnLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, &CGridSpinArrows::OnLeftDown, this);  // quick clicks each step
    Bind(wxEVT_LEFT_UP, &CGridSpinArrows::OnLeftUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) {
        m_pressed = 0;
        Refresh();
    });
}

int CGridSpinArrows::Width(const wxWindow* parent)
{
    return parent ? parent->FromDIP(14) : 14;
}

void CGridSpinArrows::Step(bool up)
{
    // The grid forwards its editors' command events to the row's editor,
    // which steps the value by them (wxPGSpinCtrlEditor::OnEvent).
    wxSpinEvent event(up ? wxEVT_SCROLL_LINEUP : wxEVT_SCROLL_LINEDOWN, GetId());
    event.SetEventObject(this);
    ProcessWindowEvent(event);
}

void CGridSpinArrows::OnLeftDown(wxMouseEvent& event)
{
    m_pressed = event.GetY() < GetClientSize().y / 2 ? 1 : -1;
    if (!HasCapture())
        CaptureMouse();
    Refresh();
    Step(m_pressed > 0);
}

void CGridSpinArrows::OnLeftUp(wxMouseEvent&)
{
    if (HasCapture())
        ReleaseMouse();
    m_pressed = 0;
    Refresh();
}

void CGridSpinArrows::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    const wxSize size = GetClientSize();
    const wxColour face = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
    const wxColour edge = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW);
    const wxColour ink = wxSystemSettings::GetColour(IsEnabled() ? wxSYS_COLOUR_BTNTEXT : wxSYS_COLOUR_GRAYTEXT);
    dc.SetPen(wxPen(edge));
    dc.SetBrush(wxBrush(face));
    dc.DrawRectangle(0, 0, size.x, size.y);
    const int half = size.y / 2;
    if (m_pressed != 0) {
        dc.SetBrush(wxBrush(edge));
        dc.DrawRectangle(0, m_pressed > 0 ? 0 : half, size.x, m_pressed > 0 ? half + 1 : size.y - half);
    }
    dc.DrawLine(0, half, size.x, half);
    // Each arrow is a small triangle centred in its half.
    const int w = std::max(2, (size.x - 4) / 2);
    const int h = std::max(1, std::min(w / 2 + 1, half / 2));
    const int cx = size.x / 2;
    dc.SetPen(wxPen(ink));
    dc.SetBrush(wxBrush(ink));
    const int upTop = (half - h) / 2;
    const wxPoint up[] = {{cx - w / 2, upTop + h}, {cx + w / 2, upTop + h}, {cx, upTop}};
    dc.DrawPolygon(3, up);
    const int downTop = half + (size.y - half - h) / 2;
    const wxPoint down[] = {{cx - w / 2, downTop}, {cx + w / 2, downTop}, {cx, downTop + h}};
    dc.DrawPolygon(3, down);
}
