#include "model/edit/ColorText.h"
#include "model/edit/LevelText.h"
#include <gtest/gtest.h>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {
struct LevelCase {
    const wchar_t* text;
    int32_t black;
    double gamma;
    int32_t white;
};

class ParseLevelTextTest : public ::testing::TestWithParam<LevelCase> {};

TEST_P(ParseLevelTextTest, FillsTheFieldsItFinds)
{
    const LevelCase& c = GetParam();
    int32_t black = -7, white = -7;  // presets that show which outputs were left alone
    double gamma = -7.0;
    EXPECT_EQ(ParseLevelText(c.text, &black, &white, &gamma), 3);
    EXPECT_EQ(black, c.black);
    EXPECT_DOUBLE_EQ(gamma, c.gamma);
    EXPECT_EQ(white, c.white);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseLevelTextTest,
    ::testing::Values(LevelCase{L"0:1.00:255", 0, 1.0, 255},       // the default
                      LevelCase{L"10:1.5", 10, 1.5, -7},           // white keeps the preset
                      LevelCase{L"", 0, -7.0, -7},                 // empty sets black only
                      LevelCase{L"5:0.5:200:99", 5, 0.5, 200},     // a fourth field is ignored
                      LevelCase{L"abc:x1:-", 0, 0.0, 0},           // not numeric gives 0
                      LevelCase{L" +12px: 2.25e0 :-3", 12, 2.25, -3},
                      LevelCase{L"99999999999:1:0", 2147483647, 1.0, 0},
                      LevelCase{L"1:nan:2", 1, 0.0, 2}),
    [](const ::testing::TestParamInfo<LevelCase>& info) { return "case" + std::to_string(info.index); });

TEST(LevelText, FormatsWithTwoDecimals)
{
    EXPECT_EQ(FormatLevelText(0, 1.0, 255), L"0:1.00:255");
    EXPECT_EQ(FormatLevelText(-4, 0.456, 17), L"-4:0.46:17");
}

// Makes a German locale current: an installed one, else one compiled into the
// test folder with localedef. Returns false when neither is possible.
bool UseGermanLocale()
{
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"})
        if (std::setlocale(LC_ALL, name)) return true;
    const char* dir = std::getenv("KM_TEST_DIR");
    if (!dir) return false;
    std::string folder = std::string(dir) + "/locale";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    // localedef may warn (and say so in its exit code) yet write a usable locale.
    std::string command = "localedef -i de_DE -f UTF-8 '" + folder + "/de_DE.UTF-8' >/dev/null 2>&1";
    if (std::system(command.c_str()) == -1) return false;
    setenv("LOCPATH", folder.c_str(), 1);
    return std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
}

// A user locale that writes "1,50" must not change what files hold.
TEST(LevelText, IgnoresTheUserLocale)
{
    const char* previous = std::setlocale(LC_ALL, nullptr);
    std::string saved = previous ? previous : "C";
    if (!UseGermanLocale()) GTEST_SKIP() << "no German locale available";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.2f", 1.5);
    int32_t black = 0, white = 0;
    double gamma = 0.0;
    ParseLevelText(L"3:1.75:250", &black, &white, &gamma);
    std::wstring text = FormatLevelText(3, 1.75, 250);
    std::setlocale(LC_ALL, saved.c_str());
    unsetenv("LOCPATH");
    EXPECT_STREQ(probe, "1,50");  // the locale really is a comma locale
    EXPECT_DOUBLE_EQ(gamma, 1.75);
    EXPECT_EQ(white, 250);
    EXPECT_EQ(text, L"3:1.75:250");
}

TEST(ColorText, RedGreenBlueFromTheLowByteUp)
{
    EXPECT_EQ(FormatEngineColor(255), L"0xFF0000");
    EXPECT_EQ(FormatEngineColor(16711680), L"0x0000FF");
    EXPECT_EQ(FormatEngineColor(0x00123456), L"0x563412");
    EXPECT_EQ(FormatEngineColor(0xFF000000), L"0x000000");  // the unused high byte is dropped
}
}  // namespace
