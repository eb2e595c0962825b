#include "mediaeng/watermark/WatermarkLayout.h"
#include <algorithm>
#include <cmath>

namespace mediaeng::watermark {

double RoundNearest(double v)
{
    const double t = std::trunc(v);
    if (v >= 0) return v - t > 0.5 ? t + 1 : t;
    return std::abs(v) - std::abs(t) > 0.5 ? t - 1 : t;
}

namespace {

LONG Place(LONG lo, LONG hi, int size, int column, int offset, double zoom)
{
    // Offsets from a project file are untrusted: far outside is far enough.
    constexpr double kFar = 1 << 24;
    const double off = std::clamp(offset * zoom, -kFar, kFar);
    const LONG extent = hi - lo;
    switch (column) {
    case 0: return lo + static_cast<LONG>(RoundNearest(off));
    case 1:
        return lo + static_cast<LONG>(RoundNearest(extent * 0.5) - RoundNearest(size * 0.5) - RoundNearest(off));
    default: return hi - size - static_cast<LONG>(RoundNearest(off));
    }
}

}  // namespace

RECT PlaceWatermark(const RECT& image, int w, int h, int posType, int posX, int posY, double zoom)
{
    if (posType < 0 || posType > 8) posType = 0;
    const LONG x = Place(image.left, image.right, w, posType % 3, posX, zoom);
    const LONG y = Place(image.top, image.bottom, h, posType / 3, posY, zoom);
    return RECT{x, y, x + w, y + h};
}

}  // namespace mediaeng::watermark
