#pragma once
// The window side of the timeline ruler as its drag logic sees it: the client
// area, the scroll position, the repaint, the 100-ms auto-scroll timer with
// its millisecond clock, the mouse capture and the owner's notifications.
// CTimelineCtrl implements it on wxWidgets; tests implement it without a display.
#include "platform/Types.h"
#include <cstdint>

class ITimelineHost {
public:
    virtual ~ITimelineHost() = default;
    virtual RECT ClientRect() const = 0;
    virtual bool IsWindowEnabled() const = 0;
    virtual bool IsWindowShown() const = 0;
    // Scroll pixels; content pixels are these times the scale.
    virtual double GetScrollPosition() const = 0;
    virtual void SetScrollPosition(double position) = 0;
    virtual double GetScrollScale() const = 0;
    virtual void UpdateScrollBars() = 0;
    virtual void RedrawNow() = 0;
    // The auto-scroll timer, ticking every 100 ms until stopped.
    virtual void StartTimer() = 0;
    virtual void StopTimer() = 0;
    // Milliseconds of a monotonic clock (wraps like a tick count).
    virtual uint32_t TickCount() const = 0;
    virtual void Capture() = 0;
    virtual void Release() = 0;
    // The current range was changed / the play position was moved.
    virtual void RangeChanged() = 0;
    virtual void PositionChanged() = 0;
};
