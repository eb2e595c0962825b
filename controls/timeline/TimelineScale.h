#pragma once
// Where times land on the timeline ruler: 80 px for each zoom step, 5 px of
// margin before time 0, minus the scrolled offset; the ruler's marks (labels,
// major and minor ticks) for one width. Times in 100-ns units. No window.
#include "platform/Types.h"
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Timeline {
constexpr int kStepPixels = 80;
constexpr int kMargin = 5;
constexpr int kZoomCount = 10;
// Time per 80 px: 0.5 s, 1 s, 2 s, 4 s, 10 s, 20 s, 30 s, 1 min, 2 min, 6 min.
constexpr int64_t kZoomSteps[kZoomCount] = {5000000,   10000000,  20000000,  40000000,   100000000,
                                            200000000, 300000000, 600000000, 1200000000, 3600000000};
constexpr int kDefaultZoom = 1;

// A stored zoom index brought into the table.
int ClampZoomIndex(int index);
// Scrollable width: whole 80-px divisions of the duration, plus 100; 0 without an item.
int ContentWidth(bool hasItem, int64_t duration, int64_t step);
// The clock text of the ruler, the caption and the list: seconds with hundredths.
std::string TimeText(int64_t time);
}  // namespace Timeline

class CTimelineScale {
public:
    struct Label {
        int x;  // the major tick's x
        std::string text;
        bool first;  // time 0: drawn from its tick on, not centred
    };
    struct Tick {
        int x;
        int top;  // every tick ends at kTickBottom
    };
    static constexpr int kLabelTop = 14;
    static constexpr int kMajorTop = 33;
    static constexpr int kMiddleTop = 37;
    static constexpr int kMinorTop = 42;
    static constexpr int kTickBottom = 47;

    CTimelineScale(int64_t step, int offset) : m_step(step), m_offset(offset) {}

    // x of a range edge at time t in area.
    int TimeToX(int64_t t, const RECT& area) const;
    // The band of a range in area; none for an empty or inverted range.
    std::optional<RECT> RangeRect(int64_t start, int64_t end, const RECT& area) const;
    // The play cursor's thumb (9 x 16 px, rows 27..43); none for a duration of 0.
    std::optional<RECT> ThumbRect(int64_t position, int64_t duration, const RECT& area) const;
    // The time under a content x (before the 5-px margin is taken off).
    int64_t TimeAtX(double x) const;
    // The time at the mouse for the edge and cursor drags.
    int64_t TimeAtMouse(int grabOffset, int mx) const;

    // Labels and ticks of a scale area that spans x 0 .. right.
    void Marks(int right, std::vector<Label>& labels, std::vector<Tick>& ticks) const;

    int64_t Step() const { return m_step; }
    int Offset() const { return m_offset; }

private:
    int64_t m_step;
    int m_offset;
};
