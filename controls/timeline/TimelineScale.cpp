#include "controls/timeline/TimelineScale.h"
#include "model/util/RoundNearest.h"
#include "model/util/TimeText.h"
#include <algorithm>
#include <cmath>

namespace Timeline {

int ClampZoomIndex(int index)
{
    return std::clamp(index, 0, kZoomCount - 1);
}

int ContentWidth(bool hasItem, int64_t duration, int64_t step)
{
    if (!hasItem || step <= 0) return 0;
    const double px = std::trunc(static_cast<double>(duration) / static_cast<double>(step) * kStepPixels);
    // A width beyond what an int holds cannot be scrolled anyway.
    const double whole = std::clamp(px, 0.0, 2.0e9);
    return static_cast<int>(whole) / kStepPixels * kStepPixels + 100;
}

std::string TimeText(int64_t time)
{
    return FormatTimeText(static_cast<double>(time) / 10000000.0, true, false);
}

}  // namespace Timeline

using namespace Timeline;

int CTimelineScale::TimeToX(int64_t t, const RECT& area) const
{
    const double x = area.left + kMargin + static_cast<double>(t) / static_cast<double>(m_step) * kStepPixels;
    return static_cast<int>(std::trunc(x)) - m_offset;
}

std::optional<RECT> CTimelineScale::RangeRect(int64_t start, int64_t end, const RECT& area) const
{
    if (end - start <= 0) return std::nullopt;
    return RECT{TimeToX(start, area), area.top + 55, TimeToX(end, area), area.bottom - 5};
}

std::optional<RECT> CTimelineScale::ThumbRect(int64_t position, int64_t duration, const RECT& area) const
{
    if (duration == 0) return std::nullopt;
    const double at = RoundNearest(static_cast<double>(position) / static_cast<double>(m_step) * kStepPixels);
    const int xc = static_cast<int>(std::trunc(at + area.left + kMargin));
    return RECT{xc - 4 - m_offset, 27, xc + 5 - m_offset, 43};
}

int64_t CTimelineScale::TimeAtX(double x) const
{
    return static_cast<int64_t>(std::trunc(static_cast<double>(m_step) * (x / kStepPixels)));
}

int64_t CTimelineScale::TimeAtMouse(int grabOffset, int mx) const
{
    const double x = std::max(0.0, static_cast<double>(grabOffset) + mx + m_offset - kMargin);
    return TimeAtX(x);
}

void CTimelineScale::Marks(int right, std::vector<Label>& labels, std::vector<Tick>& ticks) const
{
    labels.clear();
    ticks.clear();
    // Divisions wholly left of the area draw nothing: start at the first one
    // whose minor ticks can show (the same marks as counting from 0).
    int64_t i = std::max<int64_t>(0, (static_cast<int64_t>(m_offset) - kMargin) / kStepPixels - 1);
    for (;; ++i) {
        const int64_t x = kMargin + kStepPixels * i - m_offset;
        if (x >= 0 && x < right) {
            labels.push_back({static_cast<int>(x), TimeText(i * m_step), i == 0});
            ticks.push_back({static_cast<int>(x), kMajorTop});
        }
        for (int j = 1; j <= 9; ++j) {
            const int64_t p = x + 8 * j;
            if (p >= 0 && p < right) ticks.push_back({static_cast<int>(p), j == 5 ? kMiddleTop : kMinorTop});
        }
        if (x > right) break;
    }
}
