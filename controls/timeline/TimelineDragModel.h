#pragma once
// The timeline ruler's state and mouse logic without a window: the entry shown,
// the zoom, the hit-test of the range's edges, band, play cursor and ruler, the
// drags that write the entry at once, the timer-driven auto-scroll and the
// scroll position that keeps the cursor or the range in view.
#include "controls/timeline/TimelineHost.h"
#include "controls/timeline/TimelineScale.h"
#include <cstdint>
#include <optional>

class CKMFile;
class ITimelinePlayer;

class CTimelineDragModel {
public:
    enum EHit : int { kHitNone = 0, kHitStart = 1, kHitEnd = 2, kHitRange = 3, kHitCursor = 4, kHitRuler = 5 };
    enum class ECursor { Arrow, SizeWE, Hand };
    static constexpr int kCaptionHeight = 28;
    static constexpr uint32_t kTickUnset = 0xFFFFFFFFu;
    static constexpr int64_t kMinRangeLength = 100000;  // 10 ms

    // The zoom index comes from "Settings"/"ZoomID" (clamped into the table).
    CTimelineDragModel(ITimelineHost& host, ITimelinePlayer& player);

    void SetPlayer(ITimelinePlayer& player) { m_player = &player; }
    void SetItem(CKMFile* entry);
    CKMFile* Item() const { return m_item; }

    int64_t Step() const { return m_step; }
    int ZoomIndex() const { return m_zoomIndex; }
    int DragMode() const { return m_dragMode; }
    bool AutoScrollActive() const { return m_autoScroll; }
    // Content pixels scrolled.
    int Offset() const;
    // The area under the caption.
    RECT Visible() const;
    CTimelineScale Scale() const { return CTimelineScale(m_step, Offset()); }
    int ContentWidth() const;
    // The current range's band and the play cursor's thumb in area.
    std::optional<RECT> CurrentRangeRect(const RECT& area) const;
    std::optional<RECT> ThumbRect(const RECT& area) const;

    int HitTest(POINT p);
    ECursor CursorAt(POINT p);
    void OnButtonDown(POINT p);
    void OnMouseMove(POINT p);
    void OnButtonUp(POINT p);
    // The capture went elsewhere: the drag ends where it stands, timer stopped.
    void OnCaptureLost();
    // One auto-scroll tick; cursor in client coordinates.
    void OnTimer(POINT cursor);
    int GetAutoScrollSpeed(POINT cursor);

    void ZoomIn();
    void ZoomOut();
    void SetZoomStep(int64_t step);

    // The play position moved from outside: keep the cursor in view.
    void OnPositionChanged();
    void EnsurePositionVisible();

private:
    void DragStart(bool final, POINT p);
    void DragEnd(bool final, POINT p);
    void DragRange(bool final, POINT p);
    void DragCursor(bool final, POINT p);
    void PanScale(POINT p);
    void DragByMode(bool final, POINT p);
    void CheckAutoScroll(POINT p);
    void StartAutoScroll();
    void StopAutoScroll();
    void EndDrag();
    void SetZoom(int index);
    void ScrollTo(double contentPx);
    // The mouse stands on the content pixel it was pressed on.
    bool Unmoved(POINT p) const;
    int64_t Duration() const;

    ITimelineHost& m_host;
    ITimelinePlayer* m_player;
    CKMFile* m_item = nullptr;
    int64_t m_step;
    int m_zoomIndex;
    int m_dragMode = kHitNone;
    int m_grabOffset = 0;
    int64_t m_grabTime = 0;
    bool m_autoScroll = false;
    uint32_t m_autoScrollStart = 0;
    int m_downContentX = 0;
};
