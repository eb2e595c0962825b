#include "controls/timeline/TimelineDragModel.h"
#include "controls/timeline/TimelinePlayer.h"
#include "model/source/KMFile.h"
#include "model/util/RoundNearest.h"
#include "platform/Settings.h"
#include <algorithm>
#include <cmath>
#include <cstdlib>

using namespace Timeline;

namespace {
// Auto-scroll speed, px a tick, by whole seconds since it began.
constexpr int kSpeeds[] = {20, 20, 40, 40, 80, 160, 320, 1600, 3200, 4000, 4800, 8000, 16000};
constexpr int kSpeedCount = static_cast<int>(std::size(kSpeeds));

bool Contains(const RECT& r, POINT p)
{
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}
}  // namespace

CTimelineDragModel::CTimelineDragModel(ITimelineHost& host, ITimelinePlayer& player)
    : m_host(host),
      m_player(&player),
      m_zoomIndex(ClampZoomIndex(CSettingsStore::Instance().GetInt(L"Settings", L"ZoomID", kDefaultZoom)))
{
    m_step = kZoomSteps[m_zoomIndex];
}

int CTimelineDragModel::Offset() const
{
    return static_cast<int>(std::trunc(RoundNearest(m_host.GetScrollPosition() * m_host.GetScrollScale())));
}

RECT CTimelineDragModel::Visible() const
{
    RECT r = m_host.ClientRect();
    r.top += kCaptionHeight;
    return r;
}

int64_t CTimelineDragModel::Duration() const
{
    return m_item ? m_item->m_duration : 0;
}

int CTimelineDragModel::ContentWidth() const
{
    return Timeline::ContentWidth(m_item != nullptr, Duration(), m_step);
}

std::optional<RECT> CTimelineDragModel::CurrentRangeRect(const RECT& area) const
{
    if (!m_item) return std::nullopt;
    return Scale().RangeRect(m_item->GetStartTime(), m_item->GetEndTime(), area);
}

std::optional<RECT> CTimelineDragModel::ThumbRect(const RECT& area) const
{
    if (!m_item) return std::nullopt;
    return Scale().ThumbRect(m_item->m_resumePosition, m_item->m_duration, area);
}

void CTimelineDragModel::ScrollTo(double contentPx)
{
    const double scale = m_host.GetScrollScale() > 0 ? m_host.GetScrollScale() : 1.0;
    m_host.SetScrollPosition(std::max(0.0, contentPx) / scale);
}

void CTimelineDragModel::SetItem(CKMFile* entry)
{
    const bool changed = entry && entry != m_item;
    if (changed) entry->m_resumePosition = entry->m_currentPosition;
    m_item = entry;
    m_host.UpdateScrollBars();
    if (changed) EnsurePositionVisible();
    m_host.RedrawNow();
}

void CTimelineDragModel::OnPositionChanged()
{
    if (m_dragMode != kHitNone) return;
    EnsurePositionVisible();
    m_host.RedrawNow();
}

void CTimelineDragModel::EnsurePositionVisible()
{
    if (m_dragMode != kHitNone) return;
    const RECT v = Visible();
    const std::optional<RECT> thumb = ThumbRect(v);
    if (!thumb) return;
    // The cursor comes to stand 80 px from the left edge.
    if (v.left > thumb->left || v.right < thumb->left) ScrollTo(Offset() + thumb->left - kStepPixels);
}

int CTimelineDragModel::HitTest(POINT p)
{
    if (!m_host.IsWindowEnabled()) return kHitNone;
    if (m_dragMode != kHitNone) return m_dragMode;
    const RECT client = m_host.ClientRect();
    if (Contains(RECT{client.left, client.top + kCaptionHeight, client.right, 38}, p)) return kHitRuler;
    const RECT v = Visible();
    if (const std::optional<RECT> band = CurrentRangeRect(v)) {
        if (Contains(RECT{band->left - 1, band->top, band->left + 3, band->bottom}, p)) {
            m_grabOffset = band->left - p.x;
            return kHitStart;
        }
        if (Contains(RECT{band->right - 3, band->top, band->right + 1, band->bottom}, p)) {
            m_grabOffset = band->right - p.x;
            return kHitEnd;
        }
        if (Contains(*band, p)) {
            m_grabOffset = p.x - band->left;
            return kHitRange;
        }
    }
    if (const std::optional<RECT> thumb = ThumbRect(v)) {
        if (Contains(RECT{thumb->left, v.top, thumb->right, v.bottom}, p)) {
            // Grabbed by its line, so a click leaves the cursor where it is.
            m_grabOffset = thumb->left + 4 - p.x;
            return kHitCursor;
        }
    }
    return kHitNone;
}

CTimelineDragModel::ECursor CTimelineDragModel::CursorAt(POINT p)
{
    switch (HitTest(p)) {
    case kHitStart:
    case kHitEnd: return ECursor::SizeWE;
    case kHitRange:
    case kHitCursor:
    case kHitRuler: return ECursor::Hand;
    default: break;
    }
    const RECT client = m_host.ClientRect();
    return Contains(RECT{client.left, client.top + kCaptionHeight, client.right, 38}, p) ? ECursor::Hand
                                                                                         : ECursor::Arrow;
}

void CTimelineDragModel::OnButtonDown(POINT p)
{
    const int code = HitTest(p);
    if (code == kHitNone || code == m_dragMode) return;
    m_dragMode = code;
    m_grabTime = Scale().TimeAtMouse(m_grabOffset, p.x);
    m_downContentX = p.x + Offset();
    m_host.Capture();
}

void CTimelineDragModel::OnMouseMove(POINT p)
{
    if (m_dragMode == kHitRuler) PanScale(p);
    else DragByMode(false, p);
}

void CTimelineDragModel::OnButtonUp(POINT p)
{
    if (m_dragMode == kHitNone) {
        // A click outside every target moves the play cursor there.
        m_grabOffset = 0;
        DragCursor(true, p);
        return;
    }
    if (m_dragMode == kHitRuler) PanScale(p);
    else DragByMode(true, p);
    EndDrag();
}

void CTimelineDragModel::OnCaptureLost()
{
    if (m_dragMode == kHitNone) return;
    EndDrag();
    m_host.RedrawNow();
}

void CTimelineDragModel::EndDrag()
{
    StopAutoScroll();
    m_dragMode = kHitNone;
    m_host.Release();
}

void CTimelineDragModel::DragByMode(bool final, POINT p)
{
    switch (m_dragMode) {
    case kHitStart: DragStart(final, p); break;
    case kHitEnd: DragEnd(final, p); break;
    case kHitRange: DragRange(final, p); break;
    case kHitCursor: DragCursor(final, p); break;
    default: break;
    }
}

bool CTimelineDragModel::Unmoved(POINT p) const
{
    return m_dragMode != kHitNone && p.x + Offset() == m_downContentX;
}

void CTimelineDragModel::DragStart(bool final, POINT p)
{
    if (!m_item || !m_host.IsWindowShown()) return;
    CheckAutoScroll(p);
    const int64_t end = m_item->GetEndTime();
    int64_t t = Unmoved(p) ? m_item->GetStartTime() : Scale().TimeAtMouse(m_grabOffset, p.x);
    // Up to the end itself is allowed (an empty range); past it stops short.
    if (t > end) t = std::max<int64_t>(0, end - kMinRangeLength);
    m_item->SetStartTime(t);
    m_host.RangeChanged();
    if (final) {
        m_player->Seek(t);
        m_host.PositionChanged();
        EnsurePositionVisible();
    }
    m_host.RedrawNow();
}

void CTimelineDragModel::DragEnd(bool final, POINT p)
{
    if (!m_item || !m_host.IsWindowShown()) return;
    CheckAutoScroll(p);
    const int64_t start = m_item->GetStartTime();
    int64_t t = Unmoved(p) ? m_item->GetEndTime() : Scale().TimeAtMouse(m_grabOffset, p.x);
    if (t < start) t = start + kMinRangeLength;
    if (t > Duration()) t = Duration();
    if (final) {
        m_player->Seek(t);
        m_host.PositionChanged();
        EnsurePositionVisible();
    }
    m_item->SetEndTime(t);
    m_host.RangeChanged();
    m_host.RedrawNow();
}

void CTimelineDragModel::DragRange(bool final, POINT p)
{
    if (!m_item) return;
    CheckAutoScroll(p);
    const int64_t oldStart = m_item->GetStartTime(), oldEnd = m_item->GetEndTime();
    const int64_t len = oldEnd - oldStart;
    int64_t s = oldStart, e = oldEnd;
    if (!Unmoved(p)) {
        s = Scale().TimeAtX(std::max(0, p.x - m_grabOffset + Offset() - kMargin));
        e = s + len;
        if (s < 0) {
            s = 0;
            e = len;
        }
        if (e > Duration()) {
            e = Duration();
            s = Duration() - len;
        }
    }
    m_item->SetStartTime(s);
    m_item->SetEndTime(e);
    m_host.RangeChanged();
    if (final) {
        const std::optional<RECT> band = CurrentRangeRect(Visible());
        const bool nearStart = !band || std::abs(band->left - p.x) < std::abs(p.x - band->right);
        m_player->Seek(nearStart ? s : e);
        m_host.PositionChanged();
        EnsurePositionVisible();
    }
    m_host.RedrawNow();
}

void CTimelineDragModel::DragCursor(bool final, POINT p)
{
    if (!m_item) return;
    CheckAutoScroll(p);
    int64_t t = Unmoved(p) ? m_item->m_resumePosition : Scale().TimeAtMouse(m_grabOffset, p.x);
    t = std::clamp<int64_t>(t, 0, std::max<int64_t>(0, Duration()));
    m_item->m_resumePosition = t;
    m_host.RedrawNow();
    if (final) {
        m_player->Seek(t);
        m_host.PositionChanged();
    }
}

void CTimelineDragModel::PanScale(POINT p)
{
    CheckAutoScroll(p);
    // The time that lay under the mouse at button-down stays under it.
    const double grabbed = static_cast<double>(m_grabTime * kStepPixels) / static_cast<double>(m_step);
    ScrollTo(grabbed - (m_grabOffset + p.x - kMargin) + Visible().left);
    m_host.RedrawNow();
}

void CTimelineDragModel::CheckAutoScroll(POINT p)
{
    const RECT v = Visible();
    if (p.x > v.right - 16 || (p.x < v.left && Offset() != 0)) {
        if (!m_autoScroll) StartAutoScroll();
    } else if (p.x >= v.left && p.x <= v.right && m_autoScroll) {
        StopAutoScroll();
    }
}

void CTimelineDragModel::StartAutoScroll()
{
    m_autoScrollStart = kTickUnset;
    m_host.StartTimer();
    m_autoScroll = true;
}

void CTimelineDragModel::StopAutoScroll()
{
    // Also when not marked active: a drag never leaves the timer running.
    m_host.StopTimer();
    m_autoScroll = false;
}

int CTimelineDragModel::GetAutoScrollSpeed(POINT cursor)
{
    const int sign = cursor.x < m_host.ClientRect().left ? -1 : 1;
    if (m_autoScrollStart == kTickUnset) m_autoScrollStart = m_host.TickCount();
    const uint32_t seconds = (m_host.TickCount() - m_autoScrollStart) / 1000u;
    const int speed = seconds < static_cast<uint32_t>(kSpeedCount) ? kSpeeds[seconds] : kSpeeds[kSpeedCount - 1];
    return speed * sign;
}

void CTimelineDragModel::OnTimer(POINT cursor)
{
    const int s = GetAutoScrollSpeed(cursor);
    if (m_dragMode != kHitRuler) ScrollTo(static_cast<double>(Visible().left) + Offset() + s);
    if (m_dragMode == kHitRuler) {
        m_grabTime = static_cast<int64_t>(std::trunc(m_grabTime - static_cast<double>(m_step) * s / kStepPixels));
        PanScale(cursor);
    } else {
        DragByMode(false, cursor);
    }
}

void CTimelineDragModel::ZoomOut()
{
    SetZoom(std::min(m_zoomIndex + 1, kZoomCount - 1));
}

void CTimelineDragModel::ZoomIn()
{
    SetZoom(std::max(m_zoomIndex - 1, 0));
}

void CTimelineDragModel::SetZoom(int index)
{
    m_zoomIndex = index;
    CSettingsStore::Instance().SetInt(L"Settings", L"ZoomID", index);
    SetZoomStep(kZoomSteps[index]);
}

void CTimelineDragModel::SetZoomStep(int64_t step)
{
    // The current range keeps its place on the screen.
    const RECT k = m_host.ClientRect();
    const RECT a = CurrentRangeRect(k).value_or(k);
    m_step = step;
    m_host.UpdateScrollBars();
    const RECT b = CurrentRangeRect(k).value_or(k);
    const int width = k.right - k.left;
    if (a.left > 0 && a.left < width) ScrollTo(Offset() + b.left - a.left);
    else if (a.right > 0 && a.right < width) ScrollTo(Offset() + b.right - a.right);
    m_host.RedrawNow();
}
