#include "controls/level/LevelSlider.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>

namespace {
const wxColour kThumbKey(0xFF, 0x80, 0x40);  // the thumbs' transparent colour
wxRect Rect(const GridRect& r) { return wxRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }
}  // namespace

CLevelSlider::CLevelSlider(wxWindow* parent, wxWindowID id)
    : wxWindow(parent, id, wxDefaultPosition, wxSize(220, 34), wxFULL_REPAINT_ON_RESIZE)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SyncClient();
    Bind(wxEVT_PAINT, &CLevelSlider::OnPaint, this);
    Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
        SyncClient();
        Refresh();
        e.Skip();
    });
    Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& e) { PressAt(e.GetPosition()); });
    Bind(wxEVT_MOTION, [this](wxMouseEvent& e) {
        MoveTo(e.GetPosition());
        const bool over = m_model.Mode() != CLevelSliderModel::kNone ||
                          m_model.LowThumb().Contains(e.GetX(), e.GetY()) ||
                          m_model.HighThumb().Contains(e.GetX(), e.GetY()) ||
                          m_model.MiddleThumb().Contains(e.GetX(), e.GetY());
        SetCursor(over ? wxCursor(wxCURSOR_HAND) : wxNullCursor);
    });
    Bind(wxEVT_LEFT_UP, [this](wxMouseEvent&) { Release(); });
    Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { m_model.Release(); });
}

void CLevelSlider::SyncClient()
{
    const wxSize s = GetClientSize();
    m_model.SetClient({0, 0, s.x, s.y});
}

void CLevelSlider::SetLevelText(const std::wstring& text)
{
    SyncClient();
    m_model.SetLevelText(text);
    Refresh();
    Update();
}

void CLevelSlider::ReportLevels()
{
    if (!m_callback) return;
    const LevelValues v = m_model.Report();
    m_callback->OnLevelChanged(v.black, v.white, v.gamma);
}

void CLevelSlider::PressAt(const wxPoint& point)
{
    SyncClient();
    if (m_model.Press(point.x, point.y) != CLevelSliderModel::kNone && !HasCapture()) CaptureMouse();
}

void CLevelSlider::MoveTo(const wxPoint& point)
{
    if (!m_model.Drag(point.x)) return;
    Refresh();
    Update();
    ReportLevels();
}

void CLevelSlider::Release()
{
    m_model.Release();
    if (HasCapture()) ReleaseMouse();
}

void CLevelSlider::Draw(wxDC& dc)
{
    dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
    dc.Clear();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxColour(0xC1, 0xD8, 0xF0)));
    dc.DrawRectangle(Rect(m_model.Bar()));
    const std::pair<KM::CBitmapDC*, GridRect> thumbs[] = {
        {&m_low, m_model.LowThumb()}, {&m_high, m_model.HighThumb()}, {&m_middle, m_model.MiddleThumb()}};
    for (const auto& [bitmap, r] : thumbs) {
        const wxRect rect = Rect(r);
        if (!bitmap->DrawTransparent(dc, rect.x, rect.y, rect.width, rect.height, kThumbKey)) {
            dc.SetBrush(*wxBLACK_BRUSH);  // no image in the resource folder: a plain thumb
            dc.DrawRectangle(rect);
        }
    }
}

void CLevelSlider::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    Draw(dc);
}
