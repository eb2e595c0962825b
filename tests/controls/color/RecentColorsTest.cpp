#include "controls/color/RecentColors.h"

#include "platform/Settings.h"
#include <filesystem>
#include <gtest/gtest.h>

namespace {

class RecentColorsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* tmp = std::getenv("KM_TEST_TMP");
        dir = std::filesystem::path(tmp ? tmp : "/tmp") / ("recent-colors-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        previous = CSettingsStore::Instance().Path();
        std::filesystem::remove(dir / "settings.ini");
        CSettingsStore::Instance().SetPath(dir / "settings.ini");
    }
    void TearDown() override
    {
        CSettingsStore::Instance().SetPath(previous);
        std::filesystem::remove_all(dir);
    }
    std::filesystem::path dir, previous;
    const std::vector<COLORREF> palette{RGB(255, 0, 0), RGB(0, 255, 0), RGB(255, 255, 255)};
};

}  // namespace

TEST_F(RecentColorsTest, KeepsSevenNewestFirstAndSkipsBlackAndPaletteColours)
{
    CRecentColors recent(CSettingsStore::Instance(), palette);
    EXPECT_TRUE(recent.Colors().empty());
    for (COLORREF c = 1; c <= 8; ++c) recent.Add(c);
    EXPECT_EQ(recent.Colors(), (std::vector<COLORREF>{8, 7, 6, 5, 4, 3, 2}));
    recent.Add(0);                  // black
    recent.Add(RGB(0, 255, 0));     // in the palette
    recent.Add(5);                  // already recent
    EXPECT_EQ(recent.Colors(), (std::vector<COLORREF>{8, 7, 6, 5, 4, 3, 2}));

    CRecentColors reloaded(CSettingsStore::Instance(), palette);
    EXPECT_EQ(reloaded.Colors(), recent.Colors());
    EXPECT_EQ(CSettingsStore::Instance().GetInt(L"Colors", L"Color0", -1), 8);
    EXPECT_EQ(CSettingsStore::Instance().GetInt(L"Colors", L"Color6", -1), 2);
}

TEST_F(RecentColorsTest, StoredBlackSlotsAreSkippedOnLoad)
{
    CSettingsStore::Instance().SetInt(L"Colors", L"Color0", 0);
    CSettingsStore::Instance().SetInt(L"Colors", L"Color1", 0x123456);
    CRecentColors recent(CSettingsStore::Instance(), palette);
    EXPECT_EQ(recent.Colors(), std::vector<COLORREF>{0x123456});
}
