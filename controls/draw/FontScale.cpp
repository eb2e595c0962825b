#include "controls/draw/FontScale.h"
#include <algorithm>
#include <cmath>

int ScaledFontPixels(int partPixels, int desktopPixels)
{
    if (desktopPixels <= 0) return partPixels;
    return std::max(1, static_cast<int>(std::lround(double(partPixels) * desktopPixels / kReferenceFontPixels)));
}
