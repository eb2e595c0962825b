#pragma once
// The colour picker dialog's nine axes: which component the strip sets and
// which two the plane sets, with the 0-255 position scale of each component.
//   axis  strip  plane x      plane y
//   0     red    green        blue
//   1     green  blue         red
//   2     blue   red          green
//   3     hue    saturation   value
//   4     value  hue          saturation
//   5     sat.   hue          value
//   6     Y      U + 128      V + 128
//   7     U      Y            V + 128
//   8     V      Y            U + 128
#include "controls/color/ColorConversions.h"

// A colour in its three forms, always in step.
struct ColorState {
    COLORREF rgb = 0;
    HsvColor hsv;
    YuvColor yuv;

    static ColorState FromRgb(COLORREF rgb);
    static ColorState FromHsv(const HsvColor& hsv);  // keeps the given HSV
    static ColorState FromYuv(const YuvColor& yuv);  // keeps the given YUV
    bool operator==(const ColorState&) const = default;
};

constexpr int kColorAxisCount = 9;

struct PlanePoint {
    int x = 0, y = 0;
    bool operator==(const PlanePoint&) const = default;
};

PlanePoint PlanePosition(int axis, const ColorState& color);
int StripPosition(int axis, const ColorState& color);
// The colour with the plane's two components set from (x, y), clamped to 0-255.
ColorState SetPlanePosition(int axis, const ColorState& color, int x, int y);
// The colour with the strip's component set from position p, clamped to 0-255.
ColorState SetStripPosition(int axis, const ColorState& color, int p);

int HueToPosition(int hue);
int PositionToHue(int position);
int PercentToPosition(int percent);
int PositionToPercent(int position);
