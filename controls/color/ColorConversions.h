#pragma once
// Colour forms of the colour picker dialog. The plane, the axis strip and the
// edit fields all convert through these, so they always agree.
// RGB <-> HSV is Smith's hexcone transform in single precision.
#include "platform/Types.h"
#include <cstdint>

struct HsvColor {
    uint16_t hue = 0;         // degrees 0-360
    uint8_t saturation = 0;   // percent
    uint8_t value = 0;        // percent
    bool operator==(const HsvColor&) const = default;
};

struct YuvColor {
    int16_t y = 0, u = 0, v = 0;
    bool operator==(const YuvColor&) const = default;
};

// r, g, b in 0-1; hue comes out in 0-6.
void RgbToHsv(float r, float g, float b, float* h, float* s, float* v);
// hue in 0-6, -1 for undefined (grey).
void HsvToRgb(float h, float s, float v, float* r, float* g, float* b);

COLORREF HsvToColor(int hue, int saturation, int value);
HsvColor ColorToHsv(COLORREF color);
inline COLORREF HsvToColor(const HsvColor& hsv) { return HsvToColor(hsv.hue, hsv.saturation, hsv.value); }
YuvColor ColorToYuv(COLORREF color);
// Channels outside 0-255 are clamped to the RGB cube.
COLORREF YuvToColor(int y, int u, int v);
inline COLORREF YuvToColor(const YuvColor& yuv) { return YuvToColor(yuv.y, yuv.u, yuv.v); }
