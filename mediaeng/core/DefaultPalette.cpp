#include "engine/DefaultPalette.h"
#include <algorithm>
#include <cmath>

namespace {
// 14 hues, each as a grey-free row of four shades, under one row of greys.
constexpr int kColumns = 14;

PaletteEntry FromHsv(double hueDegrees, double saturation, double value)
{
    double c = value * saturation;
    double h = std::fmod(hueDegrees, 360.0) / 60.0;
    double x = c * (1.0 - std::fabs(std::fmod(h, 2.0) - 1.0));
    double r = 0, g = 0, b = 0;
    switch (static_cast<int>(h)) {
    case 0: r = c; g = x; break;
    case 1: r = x; g = c; break;
    case 2: g = c; b = x; break;
    case 3: g = x; b = c; break;
    case 4: r = x; b = c; break;
    default: r = c; b = x; break;
    }
    double m = value - c;
    auto byte = [m](double v) { return static_cast<BYTE>(std::lround(std::clamp(v + m, 0.0, 1.0) * 255.0)); };
    return {byte(r), byte(g), byte(b)};
}

std::vector<PaletteEntry> BuildPalette()
{
    std::vector<PaletteEntry> colours;
    for (int i = 0; i < kColumns; ++i) {
        BYTE v = static_cast<BYTE>(255 - std::lround(i * 255.0 / (kColumns - 1)));
        colours.push_back({v, v, v});
    }
    const double shades[][2] = {{0.25, 1.0}, {1.0, 1.0}, {1.0, 0.75}, {1.0, 0.45}};  // saturation, value
    for (const auto& shade : shades)
        for (int i = 0; i < kColumns; ++i)
            colours.push_back(FromHsv(i * 360.0 / kColumns, shade[0], shade[1]));
    return colours;
}
}  // namespace

const std::vector<PaletteEntry>& CDefaultPalette::GetPalette()
{
    static const std::vector<PaletteEntry> palette = BuildPalette();
    return palette;
}
