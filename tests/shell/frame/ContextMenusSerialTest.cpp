// Every context menu of the resource id table, in the running main window: a
// right click in its view opens it, each item is enabled and checked as the
// view's rule says for the state at hand, and choosing it runs the command.
// The pointer is moved, so these run alone.
#include "shell/ShellTestSupport.h"
#include "shell/panes/EditingPageFixture.h"
#include "fixtures/DvdFixture.h"
#include "fixtures/MediaFixtures.h"
#include "wx/WxTestSupport.h"
#include "controls/convert/OutputRichEditCtrl.h"
#include "controls/grid/PropertiesCtrl.h"
#include "controls/ids/CommandIds.h"
#include "controls/res/ResourceBridge.h"
#include "controls/preview/PreviewPlayerCtrl.h"
#include "controls/profile/ProfileListControl.h"
#include "model/profile/ProfilesMng.h"
#include "model/source/KMFile.h"
#include "platform/TextConv.h"
#include "player/Player.h"
#include "shell/ContextMenus.h"
#include "shell/frame/KMRibbonBar.h"
#include "shell/frame/PageKinds.h"
#include "shell/panes/BaseEditPane.h"
#include "shell/views/ConvertView.h"
#include "shell/views/OutputView.h"
#include "shell/views/SourceTypeDVDView.h"
#include "shell/views/SourceTypeFileView.h"
#include "shell/views/SourceTypeFileViewPreview.h"
#include "shell/views/SourceTypeFileViewProperties.h"
#include "shell/views/SourceTypeFolderViewFiles.h"
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <wx/clipbrd.h>
#include <wx/combobox.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/xrc/xmlres.h>

namespace {

namespace fs = std::filesystem;
using namespace KM::Cmd;

// The menu ids the resource id table lists.
std::set<unsigned> TableMenus()
{
    std::ifstream in(std::string(KM_SOURCE_DIR) + "/resources/ResourceIds.tsv");
    std::set<unsigned> menus;
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string kind, id;
        if (std::getline(fields, kind, '\t') && kind == "menu" && std::getline(fields, id, '\t'))
            menus.insert(static_cast<unsigned>(std::stoul(id)));
    }
    return menus;
}

struct ItemState {
    bool enabled = false;
    bool checked = false;
};

// Stands in for the pop-up: records what a right click opened and chooses
// the item the test asks for, as the user would in the real menu.
class PopupRecorder {
public:
    PopupRecorder()
    {
        CContextMenuManager::SetPopupHook([this](unsigned menuId, wxMenu& menu, wxWindow&) {
            // Without a real pop-up holding the pointer, the release of the
            // button reaches the view too and may ask for the menu again.
            if (!armed)
                return;
            armed = false;
            ++opened;
            lastMenu = menuId;
            items.clear();
            wxMenuItem* chosen = nullptr;
            for (wxMenuItem* item : menu.GetMenuItems()) {
                if (item->IsSeparator())
                    continue;
                const int command = CContextMenuManager::CommandOfItem(*item);
                items[command] = {item->IsEnabled(), item->IsCheckable() && item->IsChecked()};

                if (command == choose)
                    chosen = item;
            }
            choose = 0;
            if (chosen && chosen->IsEnabled())
                menu.SendEvent(chosen->GetId(), chosen->IsCheckable() ? !chosen->IsChecked() : -1);
        });
    }
    ~PopupRecorder() { CContextMenuManager::SetPopupHook(nullptr); }

    bool armed = false;  // set for the one menu a click opens
    int opened = 0;
    unsigned lastMenu = 0;
    std::map<int, ItemState> items;
    int choose = 0;
};

class ContextMenusTest : public EditingPageFixture {
protected:
    // A right click in the middle of target, through the X server.
    ::testing::AssertionResult RightClick(wxWindow& target, int choose = 0)
    {
        if (!kmtest::PumpUntil([&] { return target.IsShownOnScreen() && target.GetSize().x > 4; }))
            return ::testing::AssertionFailure() << "target not on screen";
        const wxRect r = target.GetScreenRect();
        const int before = popup.opened;
        popup.choose = choose;
        wxUIActionSimulator sim;
        // Two clicks in one place soon after each other would make a double click.
        const int shift = (++clicks % 2) * 16;
        sim.MouseMove(r.x + r.width / 2 + shift, r.y + r.height / 2 + shift);
        kmtest::PumpFor(std::chrono::milliseconds(30));
        popup.armed = true;
        sim.MouseClick(wxMOUSE_BTN_RIGHT);
        const bool opened = kmtest::PumpUntil([&] { return popup.opened > before; });
        popup.armed = false;
        if (!opened)
            return ::testing::AssertionFailure() << "no menu opened";
        return ::testing::AssertionSuccess();
    }
    // Opens the menu over target, checks item id's state, chooses it.
    void Choose(wxWindow& target, unsigned menu, int id, bool enabled, int checked = -1)
    {
        SCOPED_TRACE(testing::Message() << "menu " << menu << " item " << id);
        ASSERT_TRUE(RightClick(target, id));
        EXPECT_EQ(popup.lastMenu, menu);
        ASSERT_TRUE(popup.items.count(id));
        EXPECT_EQ(popup.items[id].enabled, enabled);
        if (checked >= 0) {
            EXPECT_EQ(popup.items[id].checked, checked == 1);
        }
        covered[menu].insert(id);
    }
    // Opens the menu over target, chooses nothing, and checks the enable
    // state of every item the table lists.
    void ExpectStates(wxWindow& target, unsigned menu, const std::map<int, bool>& enabled)
    {
        ASSERT_TRUE(RightClick(target));
        EXPECT_EQ(popup.lastMenu, menu);
        for (const auto& [id, state] : enabled) {
            ASSERT_TRUE(popup.items.count(id)) << "menu " << menu << " item " << id;
            EXPECT_EQ(popup.items[id].enabled, state) << "menu " << menu << " item " << id;
        }
    }
    // Every item of the menus seen was chosen at least once.
    void ExpectEveryItemCovered(unsigned menu)
    {
        std::unique_ptr<wxMenu> loaded = KM::Res::LoadMenu(menu);
        ASSERT_NE(loaded, nullptr) << menu;
        for (const wxMenuItem* item : loaded->GetMenuItems())
            if (!item->IsSeparator()) {
                EXPECT_TRUE(covered[menu].count(CContextMenuManager::CommandOfItem(*item)))
                    << "menu " << menu << " item " << CContextMenuManager::CommandOfItem(*item);
            }
    }
    void ShowTab(int position) { frame->GetRibbon()->SetActiveCategory(frame->GetCategory(position)); }
    template <class View>
    View* Page(int kind)
    {
        return dynamic_cast<View*>(frame->FindMainView(kind));
    }
    template <class View>
    View* Peer(int kind, size_t index)
    {
        return dynamic_cast<View*>(frame->FindGroup(kind)->pageWindows.at(index));
    }
    fs::path TextFile(const std::string& name)
    {
        const fs::path path = dir / name;
        std::ofstream(path) << "not a clip";
        return path;
    }

    PopupRecorder popup;
    int clicks = 0;
    std::map<unsigned, std::set<int>> covered;
};

long CountRows(wxListCtrl* list, long state)
{
    long n = 0;
    for (long r = 0; r < list->GetItemCount(); ++r)
        n += (list->GetItemState(r, state) & state) ? 1 : 0;
    return n;
}

long CountChecked(wxListCtrl* list)
{
    long n = 0;
    for (long r = 0; r < list->GetItemCount(); ++r)
        n += list->IsItemChecked(r) ? 1 : 0;
    return n;
}

void SelectOnly(wxListCtrl* list, long row)
{
    for (long r = 0; r < list->GetItemCount(); ++r)
        list->SetItemState(r, r == row ? wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED : 0,
                           wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
}

TEST_F(ContextMenusTest, TheFileListMenuAddsRemovesCopiesCutsPastesAndSelects)
{
    auto* view = Page<CSourceTypeFileView>(kPageFiles);
    ASSERT_NE(view, nullptr);
    ShowTab(kCategorySource);
    view->OnInitialUpdate();  // the fixture's clip
    wxListCtrl* list = view->GetList();
    view->AddFiles({Utf8ToWide(TextFile("Second.mp4").string()), Utf8ToWide(TextFile("Third.mp4").string())});
    ASSERT_EQ(list->GetItemCount(), 3);
    kmtest::ModalHook hook;

    // Rows but none selected: remove, copy and cut work on the whole list or
    // on nothing, and stay offered (only "remove all" needs rows).
    SelectOnly(list, -1);
    const std::map<int, bool> offered{{AddFiles, true}, {319, true},       {RemoveSources, true},
                                      {SelectAll, true}, {EditCopy, true}, {EditCut, true}};
    ExpectStates(*list, 310, offered);
    Choose(*list, 310, SelectAll, true);
    EXPECT_EQ(CountRows(list, wxLIST_STATE_SELECTED), 3);
    Choose(*list, 310, EditCopy, true);
    const std::vector<std::wstring> copied = CSourceTypeFileView::ClipboardFiles();
    if (!copied.empty()) {
        EXPECT_EQ(copied.size(), 3u);
    }
    SelectOnly(list, 2);
    Choose(*list, 310, EditCut, true);
    EXPECT_EQ(Project().InputFiles().GetCount(), 2u);
    const bool clipboard = !CSourceTypeFileView::ClipboardFiles().empty();
    Choose(*list, 310, EditPaste, clipboard);
    if (clipboard) {
        EXPECT_EQ(Project().InputFiles().GetCount(), 3u);
    }
    SelectOnly(list, 0);
    const size_t beforeRemove = Project().InputFiles().GetCount();
    Choose(*list, 310, RemoveSources, true);
    EXPECT_EQ(Project().InputFiles().GetCount(), beforeRemove - 1);
    Choose(*list, 310, AddFiles, true);  // the open dialog, cancelled by the hook
    EXPECT_EQ(hook.Count(), 1);
    Choose(*list, 310, 319, true);
    EXPECT_EQ(Project().InputFiles().GetCount(), 0u);
    EXPECT_EQ(list->GetItemCount(), 0);
    Choose(*list, 310, 319, false);  // nothing left to remove
    std::map<int, bool> empty = offered;
    empty[319] = false;
    ExpectStates(*list, 310, empty);
    ExpectEveryItemCovered(310);
}

TEST_F(ContextMenusTest, ThePreviewAndPropertiesMenusPlayStopExpandAndSort)
{
    ShowTab(kCategorySource);
    auto* files = Page<CSourceTypeFileView>(kPageFiles);
    files->OnInitialUpdate();
    SelectOnly(files->GetList(), 0);
    ASSERT_EQ(app.GetDocument()->GetCurrentFile(), entry);
    auto* preview = Peer<CSourceTypeFileViewPreview>(kPageFiles, 2);
    auto* properties = Peer<CSourceTypeFileViewProperties>(kPageFiles, 1);
    ASSERT_NE(preview, nullptr);
    ASSERT_NE(properties, nullptr);

    CPlayer& player = app.GetPlayer();
    Choose(*preview->GetPlayerCtrl(), 330, 460, false);  // nothing plays yet
    Choose(*preview->GetPlayerCtrl(), 330, PlayPause, true, 0);
    ASSERT_TRUE(kmtest::PumpUntil([&] { return player.IsPlaying(); }));
    Choose(*preview->GetPlayerCtrl(), 330, 460, true);
    EXPECT_TRUE(kmtest::PumpUntil([&] { return !player.IsPlaying(); }));
    ExpectEveryItemCovered(330);

    CPropertiesCtrl* grid = properties->GetGrid();
    ASSERT_GT(grid->GetRoot()->GetChildCount(), 0u);
    grid->CollapseAll();
    Choose(*grid, 331, 32778, true);
    for (unsigned i = 0; i < grid->GetRoot()->GetChildCount(); ++i)
        EXPECT_TRUE(grid->GetRoot()->Item(i)->IsExpanded()) << i;
    Choose(*grid, 331, 32779, true, 0);
    EXPECT_TRUE(grid->HasFlag(wxPG_AUTO_SORT));
    Choose(*grid, 331, 32779, true, 1);
    EXPECT_FALSE(grid->HasFlag(wxPG_AUTO_SORT));
    ExpectEveryItemCovered(331);
}

TEST_F(ContextMenusTest, TheFolderMenuBrowsesReloadsRecursesChecksAndTakesRowsOut)
{
    const fs::path root = dir / "root";
    ASSERT_FALSE(fixtures::WriteClip(root / "a.mp4").empty());
    ASSERT_FALSE(fixtures::WriteClip(root / "sub" / "b.mp4").empty());
    kmtest::ModalHook hook;
    ASSERT_TRUE(frame->DispatchCommand(SourceFolder));
    auto* view = Page<CSourceTypeFolderViewFiles>(kPageFolder);
    ASSERT_NE(view, nullptr);
    view->GetPathCombo()->SetValue(wxString::FromUTF8(root.string()));
    ASSERT_TRUE(view->OnExecuteCommand(KM::Cmd::TakeTypedFolder));
    wxListCtrl* list = view->GetList();
    ASSERT_EQ(list->GetItemCount(), 2);  // "sub", a.mp4
    const int dialogs = hook.Count();

    const int recursive = Project().InputFolder().m_recursive;
    Choose(*list, 342, FolderRecursive, true, recursive);
    EXPECT_EQ(Project().InputFolder().m_recursive, 1 - recursive);
    Choose(*list, 342, FolderRecursive, true, 1 - recursive);
    EXPECT_EQ(Project().InputFolder().m_recursive, recursive);
    Choose(*list, 342, UncheckAllRows, true);
    EXPECT_EQ(CountChecked(list), 0);
    Choose(*list, 342, CheckAllRows, true);
    EXPECT_EQ(CountChecked(list), 2);
    Choose(*list, 342, SelectAll, true);
    EXPECT_EQ(CountRows(list, wxLIST_STATE_SELECTED), 2);
    ASSERT_FALSE(fixtures::WriteClip(root / "c.mp4").empty());
    Choose(*list, 342, ReloadFolder, true);
    EXPECT_EQ(list->GetItemCount(), 3);
    Choose(*list, 342, BrowseFolder, true);
    EXPECT_EQ(hook.Count(), dialogs + 1);
    Choose(*list, 342, 319, true);
    EXPECT_EQ(list->GetItemCount(), 0);
    Choose(*list, 342, 319, false);
    ExpectEveryItemCovered(342);
}

TEST_F(ContextMenusTest, TheDvdMenuJoinsOnlyAnOpenDiscAndChecksReloadsAndBrowses)
{
    kmtest::ModalHook hook;
    ASSERT_TRUE(frame->DispatchCommand(SourceDvd));
    auto* view = Page<CSourceTypeDVDView>(kPageDvd);
    ASSERT_NE(view, nullptr);
    wxListCtrl* list = view->GetList();
    Choose(*list, 351, 523, false, Project().InputDVD().m_join);  // no disc open
    std::string error;
    const fs::path disc = fixtures::WriteDvd(dir / "disc", &error);
    if (disc.empty())
        GTEST_SKIP() << error;
    view->GetDriveCombo()->SetValue(wxString::FromUTF8(disc.string()));
    ASSERT_TRUE(view->OnExecuteCommand(KM::Cmd::TakeTypedDrive));
    ASSERT_EQ(list->GetItemCount(), 2);
    const int dialogs = hook.Count();

    // With a disc open the join choice runs, and its check mark shows the
    // flag each time the menu opens again.
    app.GetDocument()->SetModifiedFlag(false);
    const int join = Project().InputDVD().m_join;
    Choose(*list, 351, 523, true, join);
    EXPECT_EQ(Project().InputDVD().m_join, 1 - join);
    EXPECT_TRUE(app.GetDocument()->IsModified());
    Choose(*list, 351, 523, true, 1 - join);
    EXPECT_EQ(Project().InputDVD().m_join, join);
    Choose(*list, 351, UncheckAllRows, true);
    EXPECT_EQ(CountChecked(list), 0);
    EXPECT_EQ(Project().InputDVD().m_excluded.GetCount(), 2u);
    Choose(*list, 351, CheckAllRows, true);
    EXPECT_EQ(CountChecked(list), 2);
    list->DeleteAllItems();
    Choose(*list, 351, ReloadDvdTitles, true);
    EXPECT_EQ(list->GetItemCount(), 2);
    Choose(*list, 351, BrowseDvd, true);
    EXPECT_EQ(hook.Count(), dialogs + 1);
    ExpectEveryItemCovered(351);
}

TEST_F(ContextMenusTest, TheLogMenuWorksOnlyOnAFocusedLogWithText)
{
    ShowTab(kCategoryConversion);
    auto* view = Page<CConvertView>(kPageConversion);
    ASSERT_NE(view, nullptr);
    COutputRichEditCtrl* log = view->GetLog();
    log->Clear();
    kmtest::PumpUntil([&] { return log->GetLastPosition() == 0; });
    Choose(*log, 360, SelectAll, false);  // empty
    view->OnMessage(L"first line", 0);
    ASSERT_TRUE(kmtest::PumpUntil([&] { return log->GetLastPosition() > 0; }));
    log->SetFocus();
    Choose(*log, 360, EditCopy, false);  // nothing selected
    Choose(*log, 360, SelectAll, true);
    long from = 0, to = 0;
    log->GetSelection(&from, &to);
    EXPECT_EQ(to - from, log->GetLastPosition());
    log->SetFocus();
    Choose(*log, 360, EditCopy, true);
    log->SetFocus();
    Choose(*log, 360, ClearLog, true);
    EXPECT_TRUE(kmtest::PumpUntil([&] { return log->GetLastPosition() == 0; }));
    ExpectEveryItemCovered(360);
}

TEST_F(ContextMenusTest, TheOutputMenuSwitchesKindsDetachesSavesAndAsksBeforeDeleting)
{
    ShowTab(kCategoryOutput);
    auto* view = Page<COutputView>(kPageOutput);
    ASSERT_NE(view, nullptr);
    wxWindow* list = view->GetProfileList();
    kmtest::ModalHook hook;

    Choose(*list, 411, ShowAudioOutput, true, 0);
    EXPECT_EQ(view->GetKind(), 4);
    Choose(*list, 411, ShowImageOutput, true, 0);
    EXPECT_EQ(view->GetKind(), 2);
    Choose(*list, 411, ShowVideoOutput, true, 0);
    EXPECT_EQ(view->GetKind(), 1);
    Choose(*list, 411, ShowVideoOutput, true, 1);

    // "Custom": it can be saved, not detached nor deleted.
    ASSERT_TRUE(Project().GetVideoOutput()->profile_name.empty());
    Choose(*list, 411, KM::Cmd::DetachProfile, false);
    Choose(*list, 411, KM::Cmd::DeleteProfile, false);
    hook.AnswerDialog(514, wxID_OK, [](wxDialog& d) {
        dynamic_cast<wxTextCtrl*>(d.FindWindow(XRCID("515")))->SetValue("From The Menu");
    });
    Choose(*list, 411, KM::Cmd::SaveProfile, true);
    EXPECT_EQ(hook.Count(), 1);
    const std::wstring saved = Project().GetVideoOutput()->profile_name;
    EXPECT_NE(saved.find(L"From The Menu"), std::wstring::npos);
    // A profile of the user's own: asked before it goes; "no" keeps it.
    hook.AnswerMessageBox(wxID_NO);
    Choose(*list, 411, KM::Cmd::DeleteProfile, true);
    EXPECT_EQ(hook.Count(), 2);
    EXPECT_EQ(Project().GetVideoOutput()->profile_name, saved);
    app.GetDocument()->SetModifiedFlag(false);
    Choose(*list, 411, KM::Cmd::DetachProfile, true);
    EXPECT_TRUE(Project().GetVideoOutput()->profile_name.empty());
    EXPECT_TRUE(app.GetDocument()->IsModified());  // so the change is not lost on close
    // A shipped profile cannot be saved over nor deleted.
    view->GetProfileList()->SetSelection(1);
    ASSERT_TRUE(frame->DispatchCommand(KM::Cmd::ChooseProfile));
    ASSERT_FALSE(Project().GetVideoOutput()->profile_name.empty());
    Choose(*list, 411, KM::Cmd::SaveProfile, false);
    Choose(*list, 411, KM::Cmd::DeleteProfile, false);
    EXPECT_EQ(hook.Unexpected(), 0);
    ExpectEveryItemCovered(411);
}

TEST_F(ContextMenusTest, EachEditingPaneOpensItsOwnMenuWhoseItemsTheViewAnswers)
{
    ShowEditing();
    const struct {
        int command;
        unsigned menu;
    } panes[] = {{ShowTimelinePane, 405}, {ShowCropPane, 406},   {ShowWatermarkPane, 407},
                 {ShowFiltersPane, 408},  {ShowEraserPane, 409}, {ShowAdvancedPane, 410}};
    for (const auto& p : panes) {
        SCOPED_TRACE(testing::Message() << "menu " << p.menu);
        ASSERT_TRUE(Run(p.command));
        ASSERT_TRUE(RightClick(*view->ActivePane()->MainWindow()));
        EXPECT_EQ(popup.lastMenu, p.menu);
        for (const auto& [id, state] : popup.items) {
            wxUpdateUIEvent ui(id);
            EXPECT_TRUE(view->OnUpdateCommand(id, ui)) << id;  // every item has its rule in the pane
            EXPECT_EQ(ui.GetEnabled(), state.enabled) << id;
        }
        Choose(*view->ActivePane()->MainWindow(), p.menu, ResetEditPane, true);
    }
}

// The menus the tests above open are exactly those of the resource table, and
// the application registered each.
TEST_F(ContextMenusTest, TheResourceTableListsTheMenusOpenedHereAndEachIsRegistered)
{
    const std::set<unsigned> table = TableMenus();
    EXPECT_EQ(table, (std::set<unsigned>{310, 330, 331, 342, 351, 360, 405, 406, 407, 408, 409, 410, 411}));
    for (unsigned menu : table)
        EXPECT_TRUE(app.GetContextMenus().IsRegistered(menu)) << menu;
}

}  // namespace
