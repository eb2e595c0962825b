#include "controls/level/LevelSliderModel.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <gtest/gtest.h>

namespace {
CLevelSliderModel Slider(int barWidth)
{
    CLevelSliderModel s;
    s.SetClient({0, 0, barWidth + 20, 40});
    return s;
}
int Centre(const GridRect& r) { return r.left + 4; }
}  // namespace

TEST(LevelSlider, PresetPlacesTheThumbsAndTheMiddleReportsPointNine)
{
    CLevelSliderModel s = Slider(200);
    s.SetLevelText(L"0:1.00:255");
    EXPECT_EQ(Centre(s.LowThumb()), s.BarLeft());
    EXPECT_EQ(s.HighThumb().left + 5, s.BarRight());
    EXPECT_DOUBLE_EQ(s.Ratio(), 0.5);
    const LevelValues v = s.Report();
    EXPECT_EQ(v.black, 0);
    EXPECT_EQ(v.white, 255);
    EXPECT_NEAR(v.gamma, 0.9, 1e-12);
    EXPECT_EQ(LevelRowText({16, 235, 1.2}), L"16:1.20:235");
}

TEST(LevelSlider, DragTable)
{
    struct Step {
        int pressX;
        int moveX;
        CLevelSliderModel::DragMode mode;
        int black, white;
    };
    // Bar 200 px from x 10 to x 210; thumbs start at the ends.
    const Step steps[] = {
        {10, 60, CLevelSliderModel::kLow, 63, 255},     // 50 px -> 50 * 255 / 200
        {60, 500, CLevelSliderModel::kLow, 255, 255},   // stops at the high thumb's centre
        {210, -50, CLevelSliderModel::kLow, 0, 255},    // back to the left end (low wins the overlap)
        {209, 110, CLevelSliderModel::kHigh, 0, 127},
        {110, 900, CLevelSliderModel::kHigh, 0, 255},   // to the right end
    };
    CLevelSliderModel s = Slider(200);
    s.SetLevelText(L"0:1.00:255");
    for (const Step& st : steps) {
        SCOPED_TRACE(st.moveX);
        ASSERT_EQ(s.Press(st.pressX, 25), st.mode);
        s.Drag(st.moveX);
        s.Release();
        EXPECT_EQ(s.Report().black, st.black);
        EXPECT_EQ(s.Report().white, st.white);
    }
}

TEST(LevelSlider, OverlappingThumbsPickTheLowOneAndAZeroGapKeepsTheRatio)
{
    CLevelSliderModel s = Slider(200);
    s.SetLevelText(L"128:0:128");  // both points meet; gamma 0 puts the middle thumb at the gap's start
    ASSERT_LE(s.Gap(), 0);
    const GridRect low = s.LowThumb();
    ASSERT_EQ(low, s.HighThumb());
    EXPECT_EQ(s.Press(low.left + 4, 25), CLevelSliderModel::kLow);
    s.Release();
    ASSERT_EQ(s.Press(s.MiddleThumb().right - 1, 25), CLevelSliderModel::kMiddle);
    EXPECT_FALSE(s.Drag(s.MiddleThumb().left - 30));
    EXPECT_DOUBLE_EQ(s.Ratio(), 0.0);
    EXPECT_DOUBLE_EQ(s.Report().gamma, 0.0);
}

TEST(LevelSlider, MiddleDragGivesGammaOnBothHalves)
{
    CLevelSliderModel s = Slider(200);
    s.SetLevelText(L"0:1.0:255");
    ASSERT_EQ(s.Press(Centre(s.MiddleThumb()), 25), CLevelSliderModel::kMiddle);
    s.Drag(s.LowThumb().left + 5);  // gap start
    EXPECT_DOUBLE_EQ(s.Report().gamma, 0.0);
    s.Drag(s.LowThumb().left + 5 + s.Gap());
    EXPECT_DOUBLE_EQ(s.Report().gamma, 10.0);
    s.SetLevelText(L"0:5.5:255");
    EXPECT_DOUBLE_EQ(s.Ratio(), 0.775);
    s.SetLevelText(L"0:0.4:255");
    EXPECT_DOUBLE_EQ(s.Ratio(), 0.2);
}

TEST(LevelSlider, ABarOfNoWidthNeverDivides)
{
    CLevelSliderModel s;
    s.SetClient({0, 0, 20, 40});
    ASSERT_EQ(s.BarWidth(), 0);
    s.SetLevelText(L"16:1.5:235");
    const LevelValues v = s.Report();
    EXPECT_EQ(v.black, 0);
    EXPECT_EQ(v.white, 255);
    s.Press(s.MiddleThumb().left + 1, 25);
    s.Drag(100);
    EXPECT_TRUE(std::isfinite(s.Ratio()));
}

namespace {
// A comma locale ("1,50"): an installed German one, else one compiled into the test folder.
bool UseCommaLocale()
{
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"})
        if (std::setlocale(LC_ALL, name)) return true;
    const char* dir = std::getenv("KM_TEST_DIR");
    if (!dir) return false;
    const std::string folder = std::string(dir) + "/locale";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::string command = "localedef -i de_DE -f UTF-8 '" + folder + "/de_DE.UTF-8' >/dev/null 2>&1";
    if (std::system(command.c_str()) == -1) return false;
    setenv("LOCPATH", folder.c_str(), 1);
    return std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
}
}  // namespace

TEST(LevelSlider, LevelTextsUseColonsAndPointsInAnyLocale)
{
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!UseCommaLocale()) GTEST_SKIP() << "no comma locale available";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.2f", 1.5);
    const std::wstring text = LevelRowText({16, 235, 1.2});
    CLevelSliderModel s = Slider(200);
    s.SetLevelText(L"0:5.5:255");
    std::setlocale(LC_ALL, saved.c_str());
    unsetenv("LOCPATH");
    EXPECT_STREQ(probe, "1,50");
    EXPECT_EQ(text, L"16:1.20:235");
    EXPECT_DOUBLE_EQ(s.Ratio(), 0.775);
}
