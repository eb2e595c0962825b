#include "controls/timeline/TimelineCtrl.h"
#include "controls/draw/MemDC.h"
#include "controls/draw/SharedDrawObjects.h"
#include "controls/res/ResourceBridge.h"
#include "controls/timeline/TaskPaneLook.h"
#include "controls/timeline/TimelinePlayer.h"
#include "model/source/KMFile.h"
#include <chrono>
#include <wx/dcbuffer.h>
#include <wx/dcclient.h>

using namespace Timeline;

namespace {
constexpr int kTimerId = 1;

wxColour Ref(unsigned colorref)
{
    return KM::Res::ColourFromRef(colorref);
}

wxRect ToWx(const RECT& r)
{
    return wxRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

uint32_t SteadyMilliseconds()
{
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// A vertical gradient, start colour at the bottom, as the ruler's bands have it.
void FillGradient(wxDC& dc, const wxRect& r, unsigned start, unsigned finish)
{
    if (r.width > 0 && r.height > 0) dc.GradientFillLinear(r, Ref(start), Ref(finish), wxNORTH);
}
}  // namespace

CTimelineCtrl* CTimelineCtrl::Create(wxWindow* parent, wxWindowID id, const CSharedDrawObjects* draw)
{
    return new CTimelineCtrl(parent, id, draw);
}

CTimelineCtrl::CTimelineCtrl(wxWindow* parent, wxWindowID id, const CSharedDrawObjects* draw)
    : CScroolImplWnd(parent, id),
      m_ownDraw(draw ? nullptr : std::make_unique<CSharedDrawObjects>()),
      m_draw(draw ? draw : m_ownDraw.get()),
      m_model(*this, CAppTimelinePlayer::Get()),
      m_timer(this, kTimerId),
      m_clock(SteadyMilliseconds)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CTimelineCtrl::OnPaint, this);
    Bind(wxEVT_SIZE, &CTimelineCtrl::OnSize, this);
    Bind(wxEVT_SET_CURSOR, &CTimelineCtrl::OnSetCursor, this);
    Bind(wxEVT_LEFT_DOWN, &CTimelineCtrl::OnLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, &CTimelineCtrl::OnLeftDown, this);
    Bind(wxEVT_MOTION, &CTimelineCtrl::OnMotion, this);
    Bind(wxEVT_LEFT_UP, &CTimelineCtrl::OnLeftUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CTimelineCtrl::OnCaptureLost, this);
    Bind(wxEVT_TIMER, &CTimelineCtrl::OnTimer, this, kTimerId);
}

CTimelineCtrl::~CTimelineCtrl()
{
    m_timer.Stop();
}

void CTimelineCtrl::SetItem(CKMFile* entry)
{
    m_model.SetItem(entry);
}

void CTimelineCtrl::OnPositionChanged(int)
{
    m_model.OnPositionChanged();
}

void CTimelineCtrl::RedrawNow()
{
    Refresh(false);
    Update();
}

RECT CTimelineCtrl::ClientRect() const
{
    const wxSize size = GetClientSize();
    return RECT{0, 0, size.x, size.y};
}

void CTimelineCtrl::Capture()
{
    if (!HasCapture()) CaptureMouse();
}

void CTimelineCtrl::Release()
{
    if (HasCapture()) ReleaseMouse();
}

void CTimelineCtrl::RangeChanged()
{
    if (m_onChange) m_onChange();
}

void CTimelineCtrl::PositionChanged()
{
    if (m_positionListener) m_positionListener->OnPositionChanged(0);
}

wxString CTimelineCtrl::CaptionText() const
{
    CKMFile* item = m_model.Item();
    if (!item) return KM::Res::LoadString(kNoItemCaptionId);
    const int64_t start = item->GetStartTime(), end = item->GetEndTime();
    return wxString::Format("Timeline: %s - %s [%s]", TimeText(start), TimeText(end), TimeText(end - start));
}

void CTimelineCtrl::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    Draw(dc, GetClientRect());
}

void CTimelineCtrl::Draw(wxDC& dc, const wxRect& k)
{
    const int top = k.y + 130 - m_ownerRect.height;
    TaskPaneLook::FillPaneBackground(dc, wxRect(k.x, top, k.width, k.GetBottom() + 1 - top));
    DrawCaption(dc, k);
    const wxRect u(k.x, k.y + CTimelineDragModel::kCaptionHeight, k.width, k.height - CTimelineDragModel::kCaptionHeight);
    TaskPaneLook::FillGroupInterior(dc, u);
    TaskPaneLook::DrawGroupBorder(dc, u);
    const wxRect scaleArea = wxRect(u).Deflate(1);
    if (scaleArea.width <= 0 || scaleArea.height <= 0) return;
    KM::CMemDC mem(dc, scaleArea);
    DrawScaleArea(mem, wxRect(0, 0, scaleArea.width, scaleArea.height));
}

void CTimelineCtrl::DrawCaption(wxDC& dc, const wxRect& k)
{
    TaskPaneLook::DrawGroupCaption(dc, wxRect(k.x, k.y, k.width, CTimelineDragModel::kCaptionHeight), CaptionText(),
                                   m_draw->m_fontBold);
}

void CTimelineCtrl::DrawScaleArea(wxDC& dc, const wxRect& r)
{
    const int w = r.width, h = r.height;
    const RECT area{0, 0, w, h};
    TaskPaneLook::FillGroupInterior(dc, r);
    FillGradient(dc, wxRect(0, 0, w, 10), 0xFFE0C8, 0xFFEADB);
    DrawScale(dc, r);
    dc.SetPen(m_draw->m_penLight);
    dc.DrawLine(1, 50, w - 2, 50);

    const CTimelineScale scale = m_model.Scale();
    if (const std::optional<RECT> band = m_model.CurrentRangeRect(area)) {
        const wxRect b(band->left, 51, band->right - band->left, h - 51);
        FillGradient(dc, b, 0x2C946A, 0xC7E5D9);
        dc.SetPen(wxPen(m_draw->m_brushSelection.GetColour()));
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(b);
    }
    CKMFile* item = m_model.Item();
    if (item && item->m_duration != 0) {
        const int xd = scale.TimeToX(item->m_duration, area);
        FillGradient(dc, wxRect(xd, 51, w - xd, h - 51), 0x828282, 0xFAFAFA);
        dc.SetPen(m_draw->m_penFaint);
        dc.DrawLine(xd, 40, w, 40);
    }
    if (const std::optional<RECT> thumb = m_model.ThumbRect(area)) {
        const wxRect t = ToWx(*thumb);
        m_thumb.DrawTransparent(dc, t.x, t.y, t.width, t.height, wxColour(255, 0, 255));
        const int xm = thumb->left + 4;
        dc.SetPen(wxPen(wxColour(255, 0, 0)));
        dc.DrawLine(xm, 43, xm, h);
    }
}

void CTimelineCtrl::DrawScale(wxDC& dc, const wxRect& r)
{
    CKMFile* item = m_model.Item();
    const bool live = item && item->m_duration != 0;
    dc.SetPen(live ? m_draw->m_penBlack : m_draw->m_penGray);
    dc.SetTextForeground(live ? m_draw->m_clrText : m_draw->m_clrGray);
    dc.SetFont(m_draw->m_fontNormal);
    dc.SetBackgroundMode(wxTRANSPARENT);
    std::vector<CTimelineScale::Label> labels;
    std::vector<CTimelineScale::Tick> ticks;
    m_model.Scale().Marks(r.GetRight() + 1, labels, ticks);
    for (const CTimelineScale::Label& label : labels) {
        const wxString text(label.text);
        const int tw = dc.GetTextExtent(text).x;
        dc.DrawText(text, label.first ? label.x - 3 : label.x - tw / 2, CTimelineScale::kLabelTop);
    }
    for (const CTimelineScale::Tick& tick : ticks) dc.DrawLine(tick.x, tick.top, tick.x, CTimelineScale::kTickBottom);
}

void CTimelineCtrl::OnSize(wxSizeEvent& event)
{
    CScroolImplWnd::UpdateScrollBars();
    Refresh(false);
    event.Skip();
}

void CTimelineCtrl::OnSetCursor(wxSetCursorEvent& event)
{
    switch (m_model.CursorAt(POINT{event.GetX(), event.GetY()})) {
    case CTimelineDragModel::ECursor::SizeWE: event.SetCursor(wxCursor(wxCURSOR_SIZEWE)); break;
    case CTimelineDragModel::ECursor::Hand: event.SetCursor(wxCursor(wxCURSOR_HAND)); break;
    default: event.SetCursor(*wxSTANDARD_CURSOR); break;
    }
}

void CTimelineCtrl::OnLeftDown(wxMouseEvent& event)
{
    m_model.OnButtonDown(POINT{event.GetX(), event.GetY()});
    event.Skip();
}

void CTimelineCtrl::OnMotion(wxMouseEvent& event)
{
    m_model.OnMouseMove(POINT{event.GetX(), event.GetY()});
    event.Skip();
}

void CTimelineCtrl::OnLeftUp(wxMouseEvent& event)
{
    m_model.OnButtonUp(POINT{event.GetX(), event.GetY()});
    event.Skip();
}

void CTimelineCtrl::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    m_model.OnCaptureLost();
}

void CTimelineCtrl::OnTimer(wxTimerEvent&)
{
    const wxPoint p = ScreenToClient(wxGetMousePosition());
    m_model.OnTimer(POINT{p.x, p.y});
}
