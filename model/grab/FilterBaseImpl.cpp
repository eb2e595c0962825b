#include "model/grab/FilterBaseImpl.h"
#include <algorithm>

namespace {
constexpr double kGreySaturation = 1.1920928955078125e-07;  // 2^-23

// Clamped before the truncation, which gives the same byte without an
// out-of-range conversion; a NaN counts as 0.
BYTE ChannelByte(double channel)
{
    const double v = channel * 255.0;
    if (v != v) return 0;
    return static_cast<BYTE>(CFilterBaseImpl::FClamp0255(v));
}
}  // namespace

int CFilterBaseImpl::FRound(double x)
{
    return x > 0 ? static_cast<int>(x + 0.5) : static_cast<int>(x - 0.5);
}

double CFilterBaseImpl::FClamp0255(double v)
{
    return std::max(std::min(v, 255.0), 0.0);
}

RGBQUAD CFilterBaseImpl::__DoubleRGB_to_RGB(double r, double g, double b)
{
    RGBQUAD q;
    q.rgbRed = ChannelByte(r);
    q.rgbGreen = ChannelByte(g);
    q.rgbBlue = ChannelByte(b);
    q.rgbReserved = 255;
    return q;
}

void CFilterBaseImpl::RGBtoHLS(RGBQUAD c, double* hue, double* lightness, double* saturation)
{
    const BYTE maxByte = std::max({c.rgbRed, c.rgbGreen, c.rgbBlue});
    const BYTE minByte = std::min({c.rgbRed, c.rgbGreen, c.rgbBlue});
    const double l = (maxByte + minByte) * 0.5 / 255.0;
    *lightness = l;
    if (maxByte == minByte) {
        *hue = 0;
        *saturation = 0;
        return;
    }
    const double r = c.rgbRed / 255.0, g = c.rgbGreen / 255.0, b = c.rgbBlue / 255.0;
    const double mx = maxByte / 255.0, mn = minByte / 255.0;
    const double delta = mx - mn;
    *saturation = l < 0.5 ? delta / (mx + mn) : delta / (2.0 - mx - mn);
    double h;
    if (c.rgbRed == maxByte)
        h = (g - b) / delta;
    else if (c.rgbGreen == maxByte)
        h = 2.0 + (b - r) / delta;
    else
        h = 4.0 + (r - g) / delta;
    h /= 6.0;
    if (h < 0) h += 1.0;
    *hue = h;
}

RGBQUAD CFilterBaseImpl::HLStoRGB(double hue, double lightness, double saturation)
{
    if (saturation < kGreySaturation) return __DoubleRGB_to_RGB(lightness, lightness, lightness);
    const double m2 = lightness < 0.5 ? lightness * (1.0 + saturation) : lightness + saturation - lightness * saturation;
    const double m1 = 2.0 * lightness - m2;
    const double h = hue * 6.0;
    return __DoubleRGB_to_RGB(__HLS_Value(m1, m2, h + 2.0), __HLS_Value(m1, m2, h), __HLS_Value(m1, m2, h - 2.0));
}

double CFilterBaseImpl::__HLS_Value(double m1, double m2, double h)
{
    if (h > 6.0)
        h -= 6.0;
    else if (h < 0)
        h += 6.0;
    if (h < 1.0) return m1 + (m2 - m1) * h;
    if (h < 3.0) return m2;
    if (h < 4.0) return m1 + (m2 - m1) * (4.0 - h);
    return m1;
}
