#include "mediaeng/job/operations/SplitPlan.h"
#include <algorithm>

namespace mediaeng::job {

namespace {
// Less than this is rounding, not a part.
constexpr double kMinPart = 0.1;
}  // namespace

std::vector<CPart> PlanSplit(const CSplitSettings& s, double duration)
{
    std::vector<CPart> parts;
    const double start = std::max(0, s.startSeconds);
    if (duration - start < kMinPart) return parts;
    if (s.type == kSplitByCount) {
        const int n = std::max(1, s.count);
        const double len = (duration - start) / n;
        for (int i = 0; i < n; ++i) parts.push_back({start + i * len, i + 1 == n ? duration : start + (i + 1) * len});
        return parts;
    }
    const double step = std::max(1, s.stepSeconds);
    for (double t = start; duration - t >= kMinPart; t += step) {
        const double end = std::min(t + step, duration);
        const bool shortLast = end - t < step - kMinPart;
        if (shortLast && !s.keepLast && !parts.empty()) break;
        parts.push_back({t, end});
    }
    return parts;
}

double SizePartSeconds(double limitBytes, double bytesPerSecond)
{
    if (bytesPerSecond <= 0) return 1e9;
    return std::max(0.5, limitBytes * 0.95 / bytesPerSecond);
}

}  // namespace mediaeng::job
