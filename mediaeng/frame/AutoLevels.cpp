#include "mediaeng/frame/AutoLevels.h"
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace mediaeng::frame {

namespace {

// Ignore the darkest and brightest 0.5 % so a few stray pixels do not decide.
void Percentiles(const uint32_t hist[256], uint64_t total, int& low, int& high)
{
    const uint64_t cut = total / 200;
    uint64_t acc = 0;
    low = 0;
    while (low < 255 && acc + hist[low] <= cut) acc += hist[low++];
    acc = 0;
    high = 255;
    while (high > 0 && acc + hist[high] <= cut) acc += hist[high--];
}

}  // namespace

AutoLevels AnalyseAutoLevels(const PixelView& v, bool perChannel, bool enhance)
{
    uint32_t hist[3][256] = {};
    uint64_t total = 0;
    // Every second row and column is plenty for a histogram.
    for (int y = 0; y < v.height; y += 2) {
        const BYTE* p = v.Row(y);
        for (int x = 0; x < v.width; x += 2, p += 2 * v.bpp) {
            ++hist[2][p[0]];  // B
            ++hist[1][p[1]];  // G
            ++hist[0][p[2]];  // R
            ++total;
        }
    }
    AutoLevels r;
    for (int c = 0; c < 3; ++c) Percentiles(hist[c], total, r.low[c], r.high[c]);
    if (!perChannel) {
        const int lo = std::min({r.low[0], r.low[1], r.low[2]});
        const int hi = std::max({r.high[0], r.high[1], r.high[2]});
        for (int c = 0; c < 3; ++c) {
            r.low[c] = lo;
            r.high[c] = hi;
        }
    }
    if (enhance) {
        double sum = 0;
        for (int c = 0; c < 3; ++c) {
            static constexpr double kWeight[3] = {0.299, 0.587, 0.114};
            double mean = 0;
            for (int i = 0; i < 256; ++i) mean += static_cast<double>(i) * hist[c][i];
            mean /= double(std::max<uint64_t>(total, 1));
            const double span = std::max(1, r.high[c] - r.low[c]);
            sum += kWeight[c] * std::clamp((mean - r.low[c]) * 255.0 / span, 1.0, 254.0);
        }
        const double m = sum / 255.0;
        r.midGamma = std::clamp(std::log(m) / std::log(0.5), 0.67, 1.5);
    }
    return r;
}

}  // namespace mediaeng::frame
