#include "model/util/RoundNearest.h"

#include <cmath>

double RoundNearest(double v)
{
    const double t = std::trunc(v);
    if (v >= 0)
        return v - t > 0.5 ? t + 1 : t;
    return std::fabs(v) - std::fabs(t) > 0.5 ? t - 1 : t;
}
