#include "controls/grid/GridNotices.h"
#include "controls/grid/GridValueText.h"
#include "controls/grid/PropertyValue.h"
#include "GridTestSchema.h"

#include <gtest/gtest.h>

TEST(GridNotices, SequencePerFlagAndContext)
{
    struct Case {
        UINT flags;
        bool context;
        std::vector<GridNotice> expected;
    };
    const Case cases[] = {
        {0, false, {{GRID_MSG_VALUES_CHANGED, 0}}},
        {0, true, {{GRID_MSG_VALUES_CHANGED, 0}}},
        {SPF_REBUILD, false, {{GRID_MSG_VALUES_CHANGED, 1}}},
        {SPF_PROFILE_CHANGE, false, {{GRID_MSG_VALUES_CHANGED, 0}}},
        {SPF_PROFILE_CHANGE, true, {{GRID_MSG_PROFILE_CHANGE, 0}, {GRID_MSG_VALUES_CHANGED, 0}}},
        {SPF_PROFILE_CHANGE | SPF_REBUILD, true, {{GRID_MSG_PROFILE_CHANGE, 0}, {GRID_MSG_VALUES_CHANGED, 1}}},
        {SPF_PROFILE_CHANGE | SPF_REBUILD, false, {{GRID_MSG_VALUES_CHANGED, 1}}},
    };
    for (const Case& c : cases) {
        CSchemaProperty p;
        p.flags = c.flags;
        EXPECT_EQ(ChangeNotices(&p, c.context), c.expected) << c.flags << " " << c.context;
    }
    EXPECT_EQ(ChangeNotices(nullptr, true), (std::vector<GridNotice>{{GRID_MSG_VALUES_CHANGED, 0}}));
}

TEST(GridValueText, RowTextsPerFlag)
{
    GridTestSchema s;
    EXPECT_EQ(FormatPropertyText(*s.formatP), L"MP4");
    s.format = 42;  // no option holds it: the number shows
    EXPECT_EQ(FormatPropertyText(*s.formatP), L"42");
    EXPECT_EQ(FormatPropertyText(*s.colorP), L"332211");  // red 0x33, green 0x22, blue 0x11
    EXPECT_EQ(FormatPropertyText(*s.levelP), L"0:1.00:255");
    EXPECT_EQ(FormatPropertyText(*s.titleP), L"clip");
    s.enabledP->flags |= SPF_ENABLE_DISABLE;
    EXPECT_EQ(FormatPropertyText(*s.enabledP), L"Enable");
    s.enabled = 0;
    EXPECT_EQ(FormatPropertyText(*s.enabledP), L"Disable");
    CSchemaProperty odd;
    odd.type = 3;
    odd.value = &s.bitrate;
    EXPECT_EQ(FormatPropertyText(odd), L"");
}

TEST(GridValueText, ColourTextRoundTripsAndIsReadTwoDigitsAPartFromTheLeft)
{
    for (COLORREF c : {0x000000u, 0x112233u, 0xFFFFFFu, 0x00FF00u, 0xA0B0C0u})
        EXPECT_EQ(ParseColorText(FormatColorText(c)), c);
    const struct {
        const wchar_t* text;
        std::optional<COLORREF> color;
    } cases[] = {
        {L"aabbcc", RGB(0xAA, 0xBB, 0xCC)},
        {L"AABBCC", RGB(0xAA, 0xBB, 0xCC)},
        {L"abc", RGB(0xAB, 0x0C, 0x00)},  // a short text fills red first
        {L"f", RGB(0x0F, 0, 0)},
        {L"1234567", RGB(0x12, 0x34, 0x56)},  // the seventh digit is not read
        {L"12345g", RGB(0x12, 0x34, 0x05)},   // reading stops at the first non-digit
        {L"12g456", RGB(0x12, 0, 0)},
        {L"", std::nullopt},
        {L"g12345", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseColorText(c.text), c.color) << c.text;
}

TEST(GridValueText, TypedTextBecomesTheRowsValue)
{
    GridTestSchema s;
    EXPECT_EQ(TextToValue(*s.formatP, L"MKV")->AsInt(), 3);
    EXPECT_FALSE(TextToValue(*s.formatP, L"WMV"));
    EXPECT_EQ(TextToValue(*s.colorP, L"aabbcc")->AsInt(), static_cast<int32_t>(RGB(0xAA, 0xBB, 0xCC)));
    EXPECT_EQ(TextToValue(*s.bitrateP, L" 1200 ")->AsInt(), 1200);
    EXPECT_FALSE(TextToValue(*s.bitrateP, L"12a"));
    EXPECT_EQ(TextToValue(*s.titleP, L"new name")->AsString(), L"new name");
    s.enabledP->flags = SPF_ENABLE_DISABLE | SPF_READONLY | SPF_BUTTON;
    EXPECT_EQ(TextToValue(*s.enabledP, L"Disable")->AsInt(), 0);
    EXPECT_EQ(TextToValue(*s.enabledP, FormatPropertyText(*s.enabledP))->AsInt(), 1);  // round trip
}

TEST(GridValueText, SpinTextTakesOneIntegerWithinTheLimits)
{
    GridTestSchema s;  // limits 0..100, value 50
    EXPECT_EQ(SpinTextValue(*s.spinP, L"7", 50), 7);
    EXPECT_EQ(SpinTextValue(*s.spinP, L"100", 50), 100);
    EXPECT_EQ(SpinTextValue(*s.spinP, L"50", 50), std::nullopt);   // unchanged
    EXPECT_EQ(SpinTextValue(*s.spinP, L"101", 50), std::nullopt);  // beyond the maximum
    EXPECT_EQ(SpinTextValue(*s.spinP, L"-1", 50), std::nullopt);
    EXPECT_EQ(SpinTextValue(*s.spinP, L"1 2", 50), std::nullopt);
    EXPECT_EQ(SpinTextValue(*s.spinP, L"", 50), std::nullopt);
    EXPECT_EQ(SpinTextValue(*s.spinP, L"99999999999", 50), std::nullopt);
}

TEST(GridValueText, LevelRowsAcceptColonsAndPoints)
{
    GridTestSchema s;
    const std::wstring mask = InPlaceEditMask(*s.levelP);
    for (wchar_t c : std::wstring(L"16:1.20:235")) EXPECT_NE(mask.find(c), std::wstring::npos) << char(c);
    EXPECT_EQ(InPlaceEditMask(*s.colorP).find(L':'), std::wstring::npos);
    EXPECT_TRUE(InPlaceEditMask(*s.bitrateP).empty());
}

TEST(GridValueText, SwitchFlipAlwaysLandsOnZeroOrOne)
{
    EXPECT_EQ(FlipSwitch(FlipSwitch(0)), 0);
    EXPECT_EQ(FlipSwitch(1), 0);
    EXPECT_EQ(FlipSwitch(5), 0);
}

TEST(PropertyValue, ReadsAndWritesTheBoundFieldByType)
{
    GridTestSchema s;
    EXPECT_EQ(GetPropertyValue(*s.bitrateP).vt, VT_I4);
    EXPECT_EQ(GetPropertyValue(*s.bitrateP).AsInt(), 800);
    EXPECT_EQ(GetPropertyValue(*s.titleP).vt, VT_BSTR);
    WritePropertyValue(CVariant(int32_t{1500}), *s.bitrateP);
    WritePropertyValue(CVariant(L"other"), *s.titleP);
    EXPECT_EQ(s.bitrate, 1500);
    EXPECT_EQ(s.title, L"other");

    CSchemaProperty odd;
    int32_t untouched = 3;
    odd.type = 3;
    odd.value = &untouched;
    EXPECT_EQ(GetPropertyValue(odd).vt, VT_EMPTY);
    WritePropertyValue(CVariant(int32_t{9}), odd);
    EXPECT_EQ(untouched, 3);
}
