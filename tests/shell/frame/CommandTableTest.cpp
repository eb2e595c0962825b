// The command table: one entry per command and owner, update rules applied to
// the menu or button, and every command of the frame, the pages and the panes
// registered once the main frame is up, whichever page is shown.
#include "shell/ShellTestSupport.h"
#include "wx/WxTestSupport.h"
#include "controls/ids/CommandIds.h"
#include "shell/KestrelMediaApp.h"
#include "shell/commands/CommandTable.h"
#include "shell/frame/KMRibbonBar.h"
#include "shell/frame/MainFrame.h"
#include <gtest/gtest.h>
#include <map>
#include <stdexcept>
#include <vector>
#include <wx/event.h>
#include <wx/ribbon/buttonbar.h>
#include <wx/ribbon/page.h>
#include <wx/ribbon/panel.h>

namespace {

using namespace KM::Cmd;

TEST(CommandTable, EntriesAnswerTheirIdOnceAndApplyTheirRule)
{
    CCommandTable table;
    int runs = 0;
    bool offered = false;
    table.Add(AddRange, [&] { return Enabled(offered); }, [&] { ++runs; })
        .Add(FolderRecursive, [] { return Checked(true, false); }, {})
        .Add(AddFiles, [&] { runs += 10; });

    wxUpdateUIEvent ui(AddRange);
    ASSERT_TRUE(table.Update(AddRange, ui));
    EXPECT_FALSE(ui.GetEnabled());
    EXPECT_FALSE(ui.GetSetChecked()) << "a command without a mark is never checked or cleared";
    offered = true;
    wxUpdateUIEvent again(AddRange);
    table.Update(AddRange, again);
    EXPECT_TRUE(again.GetEnabled());

    wxUpdateUIEvent marked(FolderRecursive);
    table.Update(FolderRecursive, marked);
    EXPECT_FALSE(marked.GetEnabled());
    EXPECT_TRUE(marked.GetSetChecked());
    EXPECT_TRUE(marked.GetChecked());

    // The update rule decides what is shown; the action runs when called.
    EXPECT_TRUE(table.Execute(AddRange));
    EXPECT_TRUE(table.Execute(AddFiles));
    EXPECT_EQ(runs, 11);
    EXPECT_TRUE(table.Execute(FolderRecursive)) << "an entry without an action is answered as handled";
    EXPECT_TRUE(table.State(AddFiles).enabled) << "a command without a rule is always offered";

    wxUpdateUIEvent unknown(ZoomIn);
    EXPECT_FALSE(table.Update(ZoomIn, unknown));
    EXPECT_FALSE(table.Execute(ZoomIn));
    EXPECT_EQ(table.Ids(), (std::vector<int>{AddRange, FolderRecursive, AddFiles}));
    EXPECT_THROW(table.Add(AddFiles, [] {}), std::logic_error) << "a second entry for an id is a mistake";
}

// Every command the shell's pages, panes and frame carry out.
const std::vector<int>& ProgramCommands()
{
    static const std::vector<int> ids = [] {
        std::vector<int> v = {
            // Frame and application.
            WebsiteLink, SourceType4, SourceType3, LoadRecentDoc, SourceFileList, SourceFolder, SourceDvd,
            StartConversionFromRibbon, CheckUpdatesNow, AutoCheckUpdates, FileNew, FileOpen, FileSave, FileSaveAs,
            AppAbout, AppExit,
            // File list, folder and DVD pages with their properties and preview views.
            AddFiles, RemoveAllSources, RemoveSources, SelectAll, EditCopy, EditCut, EditPaste, ExpandAllProperties,
            AlphabeticProperties, PlayerStop, PlayPause, BrowseFolder, TakeTypedFolder, ReloadFolder, FolderRecursive,
            ApplyFileMask, CheckAllRows, UncheckAllRows, FolderDeleteKey, BrowseDvd, ReloadDvdTitles, TakeTypedDrive,
            JoinDvdTitles, DvdReserved,
            // Output page.
            OutputKindCombo, ChooseProfile, SaveProfile, DetachProfile, DeleteProfile, RebuildOutputGrid,
            ShowVideoOutput, ShowImageOutput, ShowAudioOutput,
            // Conversion page and its tray icon.
            ConversionStart, ConversionPause, ConversionStop, SendToTray, ClearLog, TrayRestore, TrayStopAndExit,
            // Editing page and its panes.
            ResetEditPane, ShowTimelinePane, ShowCropPane, ShowWatermarkPane, ShowAdvancedPane, ShowFiltersPane,
            ShowEraserPane, CurrentFileCombo, NextFile, PreviousFile, AddRange, SetRangeStart, SetRangeEnd,
            MoveRangeToPosition, RemoveRange, ZoomOut, ZoomIn, RangeBehaviour, ShowSourcePicture, ShowResultPicture,
            AddTextWatermark, AddImageWatermark, AddWatermarkKind2, AddWatermarkKind3, AddMediaWatermark,
            DeleteWatermark, MoveDown, MoveUp,
        };
        for (int look = LookFirst; look <= LookLast; ++look)
            v.push_back(look);
        for (int reserved : OutputReserved)
            v.push_back(reserved);
        return v;
    }();
    return ids;
}

class CommandTableFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(shelltest::StartProgram(app));
        frame = dynamic_cast<CMainFrame*>(app.GetMainFrame());
        ASSERT_NE(frame, nullptr);
    }
    void TearDown() override { shelltest::StopProgram(app); }

    // How many tables hold an entry for each id.
    std::map<int, int> EntryCounts() const
    {
        std::map<int, int> counts;
        for (const CCommandTable* table : frame->AllCommandTables())
            for (int id : table->Ids())
                ++counts[id];
        return counts;
    }

    CKestrelMediaApp app;
    CMainFrame* frame = nullptr;
};

TEST_F(CommandTableFrameTest, EveryCommandOfTheProgramHasAnEntryOnceTheFrameIsUp)
{
    const std::map<int, int> counts = EntryCounts();
    for (int id : ProgramCommands())
        EXPECT_GT(counts.count(id) ? counts.at(id) : 0, 0) << "command " << id << " has no entry";
    // The frame's own commands have one owner: no page takes them first.
    for (int id : {WebsiteLink, SourceFileList, SourceFolder, SourceDvd, StartConversionFromRibbon, CheckUpdatesNow,
                   AutoCheckUpdates, LoadRecentDoc, FileNew, FileOpen, AppExit})
        EXPECT_EQ(counts.at(id), 1) << "command " << id;
}

// Each ribbon button reaches a command through the tables, so no button is
// left without an effect or an enable state.
TEST_F(CommandTableFrameTest, EveryRibbonButtonFindsItsCommand)
{
    const std::map<int, int> counts = EntryCounts();
    int buttons = 0;
    CKMRibbonBar* ribbon = frame->GetRibbon();
    for (size_t p = 0; p < ribbon->GetPageCount(); ++p) {
        wxRibbonPage* page = ribbon->GetPage(static_cast<int>(p));
        for (wxWindow* panel : page->GetChildren())
            for (wxWindow* child : panel->GetChildren()) {
                auto* bar = dynamic_cast<wxRibbonButtonBar*>(child);
                if (!bar)
                    continue;
                for (size_t i = 0; i < bar->GetButtonCount(); ++i) {
                    const int id = bar->GetItemId(bar->GetItem(i));
                    if (id == wxID_FILE1 - 1)
                        continue;  // the recent-files drop-down opens its own menu
                    ++buttons;
                    EXPECT_TRUE(counts.count(id)) << "ribbon button " << id << " on page " << p;
                }
            }
    }
    EXPECT_GE(buttons, 15);
}

}  // namespace
