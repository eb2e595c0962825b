#include "controls/color/ColorAxes.h"

#include <algorithm>

namespace {

enum Component { kRed, kGreen, kBlue, kHue, kSat, kVal, kY, kU, kV };

struct AxisRow {
    Component strip, x, y;
};

constexpr AxisRow kAxes[kColorAxisCount] = {
    {kRed, kGreen, kBlue}, {kGreen, kBlue, kRed}, {kBlue, kRed, kGreen},
    {kHue, kSat, kVal},    {kVal, kHue, kSat},    {kSat, kHue, kVal},
    {kY, kU, kV},          {kU, kY, kV},          {kV, kY, kU},
};

const AxisRow& Row(int axis) { return kAxes[std::clamp(axis, 0, kColorAxisCount - 1)]; }

int Position(Component c, const ColorState& s)
{
    switch (c) {
    case kRed: return GetRValue(s.rgb);
    case kGreen: return GetGValue(s.rgb);
    case kBlue: return GetBValue(s.rgb);
    case kHue: return HueToPosition(s.hsv.hue);
    case kSat: return PercentToPosition(s.hsv.saturation);
    case kVal: return PercentToPosition(s.hsv.value);
    case kY: return s.yuv.y;
    case kU: return s.yuv.u + 128;
    case kV: return s.yuv.v + 128;
    }
    return 0;
}

enum Family { kRgbFamily, kHsvFamily, kYuvFamily };

Family FamilyOf(Component c) { return c <= kBlue ? kRgbFamily : (c <= kVal ? kHsvFamily : kYuvFamily); }

// Sets one component in the colour's own family; the caller recomputes the rest.
void Set(Component c, ColorState& s, int p)
{
    const BYTE b = static_cast<BYTE>(p);
    switch (c) {
    case kRed: s.rgb = RGB(b, GetGValue(s.rgb), GetBValue(s.rgb)); break;
    case kGreen: s.rgb = RGB(GetRValue(s.rgb), b, GetBValue(s.rgb)); break;
    case kBlue: s.rgb = RGB(GetRValue(s.rgb), GetGValue(s.rgb), b); break;
    case kHue: s.hsv.hue = static_cast<uint16_t>(PositionToHue(p)); break;
    case kSat: s.hsv.saturation = static_cast<uint8_t>(PositionToPercent(p)); break;
    case kVal: s.hsv.value = static_cast<uint8_t>(PositionToPercent(p)); break;
    case kY: s.yuv.y = static_cast<int16_t>(p); break;
    case kU: s.yuv.u = static_cast<int16_t>(p - 128); break;
    case kV: s.yuv.v = static_cast<int16_t>(p - 128); break;
    }
}

ColorState Recompute(Family family, const ColorState& s)
{
    switch (family) {
    case kRgbFamily: return ColorState::FromRgb(s.rgb);
    case kHsvFamily: return ColorState::FromHsv(s.hsv);
    case kYuvFamily: return ColorState::FromYuv(s.yuv);
    }
    return s;
}

}  // namespace

ColorState ColorState::FromRgb(COLORREF rgb)
{
    rgb &= 0xFFFFFF;
    return ColorState{rgb, ColorToHsv(rgb), ColorToYuv(rgb)};
}

ColorState ColorState::FromHsv(const HsvColor& hsv)
{
    const COLORREF rgb = HsvToColor(hsv);
    return ColorState{rgb, hsv, ColorToYuv(rgb)};
}

ColorState ColorState::FromYuv(const YuvColor& yuv)
{
    const COLORREF rgb = YuvToColor(yuv);
    return ColorState{rgb, ColorToHsv(rgb), yuv};
}

int HueToPosition(int hue) { return static_cast<int>(hue / (360.0 / 255.0) + 0.5); }
int PositionToHue(int position) { return static_cast<int>(position * 360.0 / 255.0 + 0.5); }
int PercentToPosition(int percent) { return static_cast<int>(percent / (100.0 / 255.0) + 0.5); }
int PositionToPercent(int position) { return static_cast<int>(position * 100.0 / 255.0 + 0.5); }

PlanePoint PlanePosition(int axis, const ColorState& color)
{
    return PlanePoint{Position(Row(axis).x, color), Position(Row(axis).y, color)};
}

int StripPosition(int axis, const ColorState& color) { return Position(Row(axis).strip, color); }

ColorState SetPlanePosition(int axis, const ColorState& color, int x, int y)
{
    ColorState s = color;
    Set(Row(axis).x, s, std::clamp(x, 0, 255));
    Set(Row(axis).y, s, std::clamp(y, 0, 255));
    return Recompute(FamilyOf(Row(axis).x), s);
}

ColorState SetStripPosition(int axis, const ColorState& color, int p)
{
    ColorState s = color;
    Set(Row(axis).strip, s, std::clamp(p, 0, 255));
    return Recompute(FamilyOf(Row(axis).strip), s);
}
