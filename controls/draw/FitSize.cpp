#include "controls/draw/FitSize.h"
#include <cmath>
#include <limits>

int TruncToInt(double v)
{
    if (std::isnan(v)) return 0;
    if (v >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (v <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

FitSize FitSizeKeepAspect(int w, int h, int maxW, int maxH, double aspect)
{
    if (w <= 0 || h <= 0 || maxW <= 0 || maxH <= 0 || !std::isfinite(aspect) || aspect < 0) return {};
    int displayW = aspect != 0 ? TruncToInt(h * aspect) : w;
    if (maxW > displayW && maxH > h) return {displayW, h};

    double r = aspect != 0 ? aspect : static_cast<double>(w) / h;
    if (r > 1) {
        int t = TruncToInt(maxW / r);
        return t > maxH ? FitSize{TruncToInt(r * maxH), maxH} : FitSize{maxW, t};
    }
    int t = TruncToInt(maxH * r);
    return t > maxW ? FitSize{maxW, TruncToInt(maxW / r)} : FitSize{t, maxH};
}
