#include "controls/color/ColorAxes.h"
#include "controls/color/ColorFields.h"

#include <gtest/gtest.h>

TEST(ColorConversions, KnownColours)
{
    struct Case {
        COLORREF rgb;
        HsvColor hsv;
        YuvColor yuv;
    };
    const Case cases[] = {
        {RGB(255, 0, 0), {360, 100, 100}, {76, -38, 157}},
        {RGB(128, 128, 128), {0, 0, 50}, {128, 0, 0}},
        {RGB(255, 255, 255), {0, 0, 100}, {255, 0, 0}},
        {RGB(0, 0, 0), {0, 0, 0}, {0, 0, 0}},
        {RGB(0, 255, 0), {120, 100, 100}, {150, -74, -131}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rgb);
        EXPECT_EQ(ColorToHsv(c.rgb), c.hsv);
        EXPECT_EQ(ColorToYuv(c.rgb), c.yuv);
    }
    EXPECT_EQ(HsvToColor(120, 100, 100), RGB(0, 255, 0));
    EXPECT_EQ(HsvToColor(360, 100, 100), RGB(255, 0, 0));
    EXPECT_EQ(YuvToColor(255, 0, 0), RGB(255, 255, 255));
    // Outside the RGB cube the channels are clamped, never wrapped.
    EXPECT_EQ(YuvToColor(255, 0, 127), RGB(255, 181, 255));
    EXPECT_EQ(YuvToColor(0, -128, -128), RGB(0, 125, 0));
    EXPECT_EQ(GetBValue(YuvToColor(ColorToYuv(RGB(0, 0, 255)))), 255);  // not wrapped to 0
    float r, g, b;
    HsvToRgb(-1, 0.3f, 0.25f, &r, &g, &b);
    EXPECT_FLOAT_EQ(r, 0.25f);
    EXPECT_FLOAT_EQ(b, 0.25f);
}

TEST(ColorConversions, RgbThroughHsvAndYuvStaysClose)
{
    for (int r = 0; r < 256; r += 17)
        for (int g = 0; g < 256; g += 17)
            for (int b = 0; b < 256; b += 17) {
                const COLORREF c = RGB(r, g, b);
                const COLORREF viaHsv = HsvToColor(ColorToHsv(c));
                const COLORREF viaYuv = YuvToColor(ColorToYuv(c));
                // Whole percents and degrees lose up to about 1.5 % of a channel.
                for (int shift : {0, 8, 16}) {
                    EXPECT_NEAR(int((c >> shift) & 0xFF), int((viaHsv >> shift) & 0xFF), 4) << std::hex << c;
                    EXPECT_NEAR(int((c >> shift) & 0xFF), int((viaYuv >> shift) & 0xFF), 3) << std::hex << c;
                }
            }
}

TEST(ColorAxes, PlaneAndStripSetTheirComponentsAndClamp)
{
    const ColorState start = ColorState::FromRgb(RGB(10, 20, 30));
    ColorState s = SetPlanePosition(0, start, 300, -5);  // x green, y blue
    EXPECT_EQ(s.rgb, RGB(10, 255, 0));
    EXPECT_EQ(s.hsv, ColorToHsv(s.rgb));
    EXPECT_EQ(PlanePosition(0, s), (PlanePoint{255, 0}));
    s = SetStripPosition(0, s, 128);
    EXPECT_EQ(GetRValue(s.rgb), 128);
    EXPECT_EQ(StripPosition(0, s), 128);

    s = SetPlanePosition(3, start, 255, 255);  // saturation, value
    EXPECT_EQ(s.hsv.saturation, 100);
    EXPECT_EQ(s.hsv.value, 100);
    EXPECT_EQ(s.rgb, HsvToColor(s.hsv));
    s = SetStripPosition(4, s, 0);  // value
    EXPECT_EQ(s.rgb, RGB(0, 0, 0));

    s = SetPlanePosition(6, start, 128, 128);  // U, V around 0
    EXPECT_EQ(s.yuv.u, 0);
    EXPECT_EQ(s.yuv.v, 0);
    EXPECT_EQ(PlanePosition(6, s), (PlanePoint{128, 128}));
    s = SetStripPosition(7, s, 0);  // U = -128
    EXPECT_EQ(s.yuv.u, -128);
    EXPECT_EQ(s.rgb, YuvToColor(s.yuv));
}

TEST(ColorAxes, PositionScales)
{
    EXPECT_EQ(HueToPosition(360), 255);
    EXPECT_EQ(PositionToHue(255), 360);
    EXPECT_EQ(PercentToPosition(100), 255);
    EXPECT_EQ(PositionToPercent(128), 50);
}

TEST(ColorFields, ClampOnLeavingAndHexPadding)
{
    EXPECT_EQ(ClampColorField(IDC_COLOR_RED, L"300"), L"255");
    EXPECT_EQ(ClampColorField(IDC_COLOR_HUE, L"400"), L"360");
    EXPECT_EQ(ClampColorField(IDC_COLOR_SAT, L"-3"), L"0");
    EXPECT_EQ(ClampColorField(IDC_COLOR_U, L"-300"), L"-128");
    EXPECT_EQ(ClampColorField(IDC_COLOR_V, L"abc"), L"0");
    const HexField h = NormalizeHexField(L"ABC");
    EXPECT_EQ(h.text, L"000ABC");
    EXPECT_EQ(h.color, RGB(0x00, 0x0A, 0xBC));
    EXPECT_EQ(NormalizeHexField(L"12345678").text, L"123456");
    EXPECT_EQ(NormalizeHexField(L"").text, L"000000");
}

TEST(ColorFields, GroupsReadTheirOwnFieldsAndWriteAllTen)
{
    std::wstring fields[10];
    WriteColorFields(ColorState::FromRgb(RGB(255, 0, 0)), fields);
    EXPECT_EQ(fields[3], L"360");
    EXPECT_EQ(fields[9], L"FF0000");
    fields[0] = L"0";
    fields[1] = L"999";  // read clamped
    EXPECT_EQ(ReadColorGroup(IDC_COLOR_GREEN, fields).rgb, RGB(0, 255, 0));
    fields[3] = L"120";
    fields[4] = L"100";
    fields[5] = L"100";
    EXPECT_EQ(ReadColorGroup(IDC_COLOR_HUE, fields).rgb, RGB(0, 255, 0));
    fields[9] = L"0000ff";
    EXPECT_EQ(ReadColorGroup(IDC_COLOR_HEX, fields).rgb, RGB(0, 0, 255));
}
