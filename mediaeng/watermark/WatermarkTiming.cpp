#include "mediaeng/watermark/WatermarkTiming.h"
#include <algorithm>

namespace mediaeng::watermark {

VisibleSpan SpanOf(const WatermarkItemDesc& d, double duration)
{
    VisibleSpan s;
    const WatermarkTimeRange& r = d.timeline;
    const bool known = duration > 0;
    if (!r.enabled) {
        s.end = known ? duration : -1;  // the whole source
        return s;
    }
    const double startText = std::max(0.0, ParseWatermarkTime(r.startTime));
    const double endText = std::max(0.0, ParseWatermarkTime(r.endTime));
    // The range runs to the end of the file, or ends at its own time, or that
    // long before the end of the file.
    if (r.endOfFile) {
        s.end = known ? duration : -1;
    } else if (r.endRelativeToEnd) {
        if (!known) return VisibleSpan{};  // cannot place it: show throughout
        s.end = std::max(0.0, duration - endText);
    } else {
        s.end = endText;
    }
    if (r.startRelative) {
        if (s.end < 0) return VisibleSpan{};
        s.start = std::max(0.0, s.end - startText);
    } else {
        s.start = startText;
    }
    return s;
}

double TimingAlpha(const WatermarkItemDesc& d, double t, double duration)
{
    const VisibleSpan s = SpanOf(d, duration);
    if (t < s.start) return 0.0;
    if (s.end >= 0 && t > s.end) return 0.0;
    double a = 1.0;
    if (d.fadeIn > 0) a = std::min(a, (t - s.start) / d.fadeIn);
    if (d.fadeOut > 0 && s.end >= 0) a = std::min(a, (s.end - t) / d.fadeOut);
    return std::clamp(a, 0.0, 1.0);
}

}  // namespace mediaeng::watermark
