#include "controls/color/ColorConversions.h"

#include <algorithm>

void RgbToHsv(float r, float g, float b, float* h, float* s, float* v)
{
    const float mx = std::max({r, g, b});
    const float mn = std::min({r, g, b});
    *v = mx;
    if (mx == mn) {
        *h = 0;
        *s = 0;
        return;
    }
    float f;
    int i;
    if (r == mn) {
        f = g - b;
        i = 3;
    } else if (g == mn) {
        f = b - r;
        i = 5;
    } else {
        f = r - g;
        i = 1;
    }
    *h = static_cast<float>(i) - f / (mx - mn);
    *s = (mx - mn) / mx;
}

void HsvToRgb(float h, float s, float v, float* r, float* g, float* b)
{
    if (h == -1.0f) {
        *r = *g = *b = v;
        return;
    }
    const int i = static_cast<int>(h);
    float f = h - static_cast<float>(i);
    if (!(i & 1)) f = 1.0f - f;
    const float m = v * (1.0f - s);
    const float n = v * (1.0f - s * f);
    switch (i) {
    case 0:
    case 6: *r = v; *g = n; *b = m; break;
    case 1: *r = n; *g = v; *b = m; break;
    case 2: *r = m; *g = v; *b = n; break;
    case 3: *r = m; *g = n; *b = v; break;
    case 4: *r = n; *g = m; *b = v; break;
    case 5: *r = v; *g = m; *b = n; break;
    default: *r = *g = *b = 0; break;
    }
}

namespace {
BYTE Channel(float x) { return static_cast<BYTE>(static_cast<int>(x * 255.0f + 0.5f) & 0xFF); }
// Clamped, not wrapped: rounding puts colours at the cube's faces a little
// outside it, and a wrapped channel would turn full blue into none.
BYTE Clamped(float x) { return static_cast<BYTE>(std::clamp(static_cast<int>(std::clamp(x, -1.0f, 256.0f) + 0.5f), 0, 255)); }
int16_t RoundHalfAway(float x) { return static_cast<int16_t>(x >= 0 ? x + 0.5f : x - 0.5f); }
}  // namespace

COLORREF HsvToColor(int hue, int saturation, int value)
{
    float r, g, b;
    HsvToRgb(static_cast<float>(hue / 60.0), static_cast<float>(saturation / 100.0),
             static_cast<float>(value / 100.0), &r, &g, &b);
    return RGB(Channel(r), Channel(g), Channel(b));
}

HsvColor ColorToHsv(COLORREF color)
{
    float h, s, v;
    RgbToHsv(static_cast<float>(GetRValue(color) / 255.0), static_cast<float>(GetGValue(color) / 255.0),
             static_cast<float>(GetBValue(color) / 255.0), &h, &s, &v);
    HsvColor out;
    out.hue = static_cast<uint16_t>(0.5f + h * 60.0f);
    out.saturation = static_cast<uint8_t>(s * 100.0f + 0.5f);
    out.value = static_cast<uint8_t>(v * 100.0f + 0.5f);
    return out;
}

YuvColor ColorToYuv(COLORREF color)
{
    const float r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
    const float y = 0.587f * g + 0.299f * r + 0.114f * b;
    const float u = (b - y) * 0.493f;
    const float v = (r - y) * 0.877f;
    return YuvColor{RoundHalfAway(y), RoundHalfAway(u), RoundHalfAway(v)};
}

COLORREF YuvToColor(int y, int u, int v)
{
    const float fy = static_cast<float>(y), fu = static_cast<float>(u), fv = static_cast<float>(v);
    const float r = fy + 1.14f * fv;
    const float g = fy - 0.395f * fu - 0.581f * fv;
    const float b = fy + 2.032f * fu;
    return RGB(Clamped(r), Clamped(g), Clamped(b));
}
