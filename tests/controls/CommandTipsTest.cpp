#include "ResTestLibrary.h"
#include "controls/ids/CommandIds.h"
#include "controls/res/ResourceBridge.h"
#include "controls/toolbar/CommandTips.h"
#include <fstream>

namespace {

TEST(ToolbarUserToolTip, TableCommandsShowTheirMappedString)
{
    ResTestLibrary res;
    const std::pair<int, unsigned> table[] = {
        {431, 422}, {432, 61425}, {433, 61426}, {434, 435}, {436, 437},  {438, 440},  {439, 441},
        {445, 444}, {446, 447},   {448, 449},   {450, 451}, {32784, 443}, {32786, 442},
    };
    for (const auto& [command, stringId] : table) {
        SCOPED_TRACE(command);
        wxString text = "framework's";
        EXPECT_TRUE(KM::ToolbarUserToolTip(command, text));
        EXPECT_EQ(text, KM::Res::LoadString(stringId));
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(KM::ToolbarTipStringId(command), static_cast<int>(stringId));
    }
}

TEST(ToolbarUserToolTip, OtherCommandsKeepTheFrameworksTip)
{
    ResTestLibrary res;
    // Command numbers that are also string ids of other texts must not be looked up.
    for (int command : {0, 310, 314, 317, 340, 422, 435, 460, 479, 57600, 32781}) {
        SCOPED_TRACE(command);
        wxString text = "framework's";
        EXPECT_FALSE(KM::ToolbarUserToolTip(command, text));
        EXPECT_EQ(text, "framework's");
        EXPECT_EQ(KM::ToolbarTipStringId(command), 0);
    }
}

TEST(ToolbarUserToolTip, AMissingStringLeavesTheTextButStillAnswers)
{
    auto folder = kmtest::TestDir() / "tips-res";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "strings.tsv") << "422\tAdd\n";
    ResTestLibrary res(folder);
    wxString text = "as it was";
    EXPECT_TRUE(KM::ToolbarUserToolTip(432, text));  // 61425 is missing
    EXPECT_EQ(text, "as it was");
    EXPECT_TRUE(KM::ToolbarUserToolTip(431, text));
    EXPECT_EQ(text, "Add");
}

TEST(RibbonElementTips, TooltipIsTheCommandsStringAndDescriptionTheGivenOne)
{
    ResTestLibrary res;
    KM::RibbonElementTips tips = KM::GetRibbonElementTips(479, 480);
    EXPECT_EQ(tips.tooltip, KM::Res::LoadString(479));
    EXPECT_EQ(tips.description, KM::Res::LoadString(480));
    EXPECT_EQ(tips.HelpText(), tips.tooltip + "\n" + tips.description);

    KM::RibbonElementTips missing = KM::GetRibbonElementTips(4000000, 4000001);
    EXPECT_TRUE(missing.tooltip.empty());
    EXPECT_TRUE(missing.description.empty());
    EXPECT_TRUE(missing.HelpText().empty());
}

TEST(ComboButtonTip, IsTheStringNumberedLikeTheCommand)
{
    ResTestLibrary res;
    EXPECT_EQ(KM::ComboButtonTip(442), KM::Res::LoadString(442));
    EXPECT_TRUE(KM::ComboButtonTip(0).empty());
}

TEST(CommandIds, StockCommandsTranslateBothWays)
{
    EXPECT_EQ(KM::Cmd::CommandFromNumber(57600), wxID_NEW);
    EXPECT_EQ(KM::Cmd::CommandFromNumber(57665), wxID_EXIT);
    EXPECT_EQ(KM::Cmd::StockCommandNumber(wxID_OPEN), 57601);
    EXPECT_EQ(KM::Cmd::StockCommandNumber(wxID_PASTE), 57637);
    EXPECT_EQ(KM::Cmd::CommandFromNumber(462), 462);
    EXPECT_EQ(KM::Cmd::StockCommandNumber(462), 462);
    for (const auto& c : KM::Cmd::kStockCommands) {
        EXPECT_EQ(KM::Cmd::StockCommandNumber(KM::Cmd::CommandFromNumber(c.number)), c.number);
        EXPECT_TRUE(c.id >= wxID_LOWEST && c.id <= wxID_HIGHEST);
    }
}

}  // namespace
