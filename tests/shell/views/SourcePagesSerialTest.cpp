// The pages driven as the user drives them, with the pointer and the keys of
// the X server: the folder page's double click and Enter, the DVD page's join
// button, the properties grid's switch rows, the advanced pane's empty click,
// the editing page's file steps and the output page's profile buttons. The
// pointer is moved, so these run alone.
#include "shell/ShellTestSupport.h"
#include "shell/panes/EditingPageFixture.h"
#include "fixtures/DvdFixture.h"
#include "fixtures/MediaFixtures.h"
#include "wx/WxTestSupport.h"
#include "controls/format/ListViewFrame.h"
#include "controls/grid/PropertiesCtrl.h"
#include "controls/grid/PropertiesEditCtrl.h"
#include "controls/grid/PropertyGridProperty.h"
#include "controls/ids/CommandIds.h"
#include "controls/profile/ProfileListControl.h"
#include "model/output/OutputIds.h"
#include "model/profile/ProfilesMng.h"
#include "model/source/KMFile.h"
#include "platform/TextConv.h"
#include "player/Player.h"
#include "shell/NewProfileNameDlgImpl.h"
#include "shell/frame/KMRibbonBar.h"
#include "shell/frame/PageKinds.h"
#include "shell/panes/AdvancedPane.h"
#include "shell/views/OutputView.h"
#include "shell/views/SourceTypeDVDView.h"
#include "shell/views/SourceTypeFileViewProperties.h"
#include "shell/views/SourceTypeFolderViewFiles.h"
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/listctrl.h>
#include <wx/textctrl.h>
#include <wx/tglbtn.h>
#include <wx/uiaction.h>
#include <wx/xrc/xmlres.h>

namespace {

namespace fs = std::filesystem;
using namespace KM::Cmd;

class SourcePagesSerialTest : public EditingPageFixture {
protected:
    bool OnScreen(wxWindow& w)
    {
        return kmtest::PumpUntil([&] { return w.IsShownOnScreen() && w.GetSize().x > 4; });
    }
    void MoveTo(const wxPoint& screen)
    {
        sim.MouseMove(screen);
        kmtest::PumpFor(std::chrono::milliseconds(30));
    }
    void Click(wxWindow& w)
    {
        ASSERT_TRUE(OnScreen(w));
        const wxRect r = w.GetScreenRect();
        MoveTo(wxPoint(r.x + r.width / 2, r.y + r.height / 2));
        sim.MouseClick();
        kmtest::PumpFor(std::chrono::milliseconds(30));
    }
    // The middle of a row of a report list, on the screen.
    wxPoint RowPoint(wxListCtrl& list, long row)
    {
        wxRect r;
        list.GetItemRect(row, r);
        return list.ClientToScreen(wxPoint(r.x + std::min(r.width / 2, 60), r.y + r.height / 2));
    }
    void ShowTab(int position) { frame->GetRibbon()->SetActiveCategory(frame->GetCategory(position)); }

    wxUIActionSimulator sim;
};

TEST_F(SourcePagesSerialTest, OnTheFolderPageADoubleClickPlaysAFileAndEnterOpensAFolder)
{
    const fs::path root = dir / "root";
    ASSERT_FALSE(fixtures::WriteClip(root / "a.mp4").empty());
    ASSERT_FALSE(fixtures::WriteClip(root / "sub" / "b.mp4").empty());
    kmtest::ModalHook hook;  // the folder chooser the page opens first
    ASSERT_TRUE(frame->DispatchCommand(SourceFolder));
    auto* view = dynamic_cast<CSourceTypeFolderViewFiles*>(frame->FindMainView(kPageFolder));
    ASSERT_NE(view, nullptr);
    view->GetPathCombo()->SetValue(wxString::FromUTF8(root.string()));
    ASSERT_TRUE(view->OnExecuteCommand(KM::Cmd::TakeTypedFolder));
    wxListCtrl* list = view->GetList();
    ASSERT_EQ(list->GetItemCount(), 2);  // "sub", a.mp4
    ASSERT_TRUE(OnScreen(*list));

    MoveTo(RowPoint(*list, 1));
    sim.MouseDblClick();
    CPlayer& player = app.GetPlayer();
    EXPECT_TRUE(kmtest::PumpUntil([&] { return player.IsPlaying(); })) << "the file row plays in the preview";
    EXPECT_EQ(list->GetItemCount(), 2);  // still the same folder
    player.CloseGraph();

    MoveTo(RowPoint(*list, 0));
    sim.MouseClick();
    kmtest::PumpFor(std::chrono::milliseconds(30));
    ASSERT_EQ(list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED), 0);
    sim.Char(WXK_RETURN);
    ASSERT_TRUE(kmtest::PumpUntil([&] { return list->GetItemCount() == 2 && list->GetItemText(0) == "[..]"; }));
    EXPECT_TRUE(list->GetItemText(1).EndsWith("b.mp4"));
    // And back up with a double click on "[..]".
    MoveTo(RowPoint(*list, 0));
    sim.MouseDblClick();
    EXPECT_TRUE(kmtest::PumpUntil([&] { return list->GetItemCount() == 2 && list->GetItemText(0) == "sub"; }));
}

TEST_F(SourcePagesSerialTest, TheDvdPagesJoinButtonShowsAndTogglesTheJoinFlag)
{
    std::string error;
    const fs::path disc = fixtures::WriteDvd(dir / "disc", &error);
    if (disc.empty())
        GTEST_SKIP() << error;
    kmtest::ModalHook hook;
    ASSERT_TRUE(frame->DispatchCommand(SourceDvd));
    auto* view = dynamic_cast<CSourceTypeDVDView*>(frame->FindMainView(kPageDvd));
    ASSERT_NE(view, nullptr);
    wxToggleButton* join = view->GetJoinButton();
    ASSERT_NE(join, nullptr);
    view->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_FALSE(join->IsEnabled());  // no disc open
    view->GetDriveCombo()->SetValue(wxString::FromUTF8(disc.string()));
    ASSERT_TRUE(view->OnExecuteCommand(KM::Cmd::TakeTypedDrive));
    view->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    ASSERT_TRUE(join->IsEnabled());
    const int before = Project().InputDVD().m_join;
    EXPECT_EQ(join->GetValue(), before != 0);

    app.GetDocument()->SetModifiedFlag(false);
    Click(*join);
    EXPECT_TRUE(kmtest::PumpUntil([&] { return Project().InputDVD().m_join == 1 - before; }));
    EXPECT_TRUE(app.GetDocument()->IsModified());
    view->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_EQ(join->GetValue(), before == 0);
    Click(*join);
    EXPECT_TRUE(kmtest::PumpUntil([&] { return Project().InputDVD().m_join == before; }));
    Project().InputDVD().m_join = 1 - before;  // set elsewhere (an opened project): the button follows
    view->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_EQ(join->GetValue(), before == 0);
}

TEST_F(SourcePagesSerialTest, ASwitchRowTickedInThePropertiesGridMarksTheProjectAndReopensThePreview)
{
    ShowTab(kCategorySource);
    auto* files = dynamic_cast<CBaseFilesView*>(frame->FindMainView(kPageFiles));
    files->OnInitialUpdate();
    files->GetList()->SetItemState(0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                                   wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    ASSERT_TRUE(kmtest::PumpUntil([&] { return app.GetDocument()->GetCurrentFile() == entry; }));
    auto* properties = dynamic_cast<CSourceTypeFileViewProperties*>(frame->FindGroup(kPageFiles)->pageWindows.at(1));
    ASSERT_NE(properties, nullptr);
    CPropertiesCtrl* grid = properties->GetGrid();
    ASSERT_TRUE(kmtest::PumpUntil([&] { return grid->GetSource() == entry; }));
    grid->ExpandAll();
    wxPGProperty* row = nullptr;
    for (auto it = grid->GetIterator(wxPG_ITERATE_VISIBLE); !it.AtEnd() && !row; ++it)
        if (dynamic_cast<CPropertyGridProperty*>(*it))
            row = *it;
    if (!row)
        GTEST_SKIP() << "the engine offers no switch row for this clip";
    const bool before = row->GetValue().GetBool();
    grid->EnsureVisible(row);
    kmtest::PumpFor(std::chrono::milliseconds(50));
    const wxRect rect = grid->GetPropertyRect(row, row);
    app.GetDocument()->SetModifiedFlag(false);
    ASSERT_TRUE(OnScreen(*grid));
    // The value cell, right of the splitter.
    MoveTo(grid->GetPanel()->ClientToScreen(wxPoint(grid->GetSplitterPosition() + 10, rect.y + rect.height / 2)));
    sim.MouseClick();
    ASSERT_TRUE(kmtest::PumpUntil([&] { return app.GetDocument()->IsModified(); }));
    EXPECT_EQ(grid->GetSource(), entry);  // rebuilt from the same entry
    wxPGProperty* again = nullptr;
    for (auto it = grid->GetIterator(wxPG_ITERATE_ALL); !it.AtEnd() && !again; ++it)
        if (dynamic_cast<CPropertyGridProperty*>(*it) && (*it)->GetName() == row->GetName())
            again = *it;
    ASSERT_NE(again, nullptr);
    EXPECT_NE(again->GetValue().GetBool(), before);
}

TEST_F(SourcePagesSerialTest, AClickBetweenTheAdvancedOperationsKeepsTheChosenOne)
{
    ShowEditing();
    ASSERT_TRUE(Run(ShowAdvancedPane));
    auto* pane = view->PaneOf<CAdvancedPane>(kAdvancedKey);
    ASSERT_NE(pane, nullptr);
    pane->OnFormatChanged(ADV_OPERATION_SPLIT);
    wxListCtrl* list = pane->Operations()->GetList();
    ASSERT_TRUE(OnScreen(*list));
    // Below the last icon: no row there.
    wxRect last;
    ASSERT_TRUE(list->GetItemRect(list->GetItemCount() - 1, last));
    const wxPoint empty(list->GetClientSize().x - 5, list->GetClientSize().y - 5);
    ASSERT_FALSE(last.Contains(empty));
    int flags = 0;
    ASSERT_EQ(list->HitTest(empty, flags), wxNOT_FOUND);
    MoveTo(list->ClientToScreen(empty));
    sim.MouseClick();
    kmtest::PumpFor(std::chrono::milliseconds(50));
    EXPECT_EQ(pane->GetCurrentFormat(), ADV_OPERATION_SPLIT);
    const long selected = list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    ASSERT_GE(selected, 0);
    EXPECT_EQ(static_cast<int>(list->GetItemData(selected)), ADV_OPERATION_SPLIT);
}

}  // namespace

#include "shell/frame/MainFrmRibbon.h"
#include <wx/choice.h>
#include <wx/ribbon/buttonbar.h>
#include <wx/ribbon/page.h>
#include <wx/ribbon/panel.h>

namespace {

// Whether a button bar of the ribbon page holds command.
bool PageHasButton(wxWindow* page, int command)
{
    for (wxWindow* child : page->GetChildren()) {
        if (auto* bar = dynamic_cast<wxRibbonButtonBar*>(child); bar && bar->GetItemById(command))
            return true;
        if (PageHasButton(child, command))
            return true;
    }
    return false;
}

TEST_F(SourcePagesSerialTest, TheEditingPageStepsThroughTheFilesByItsArrowsAndCtrlPageKeys)
{
    const fs::path second = fixtures::WriteClip(dir / "second.mp4");
    ASSERT_FALSE(second.empty());
    CKMFile* two = Project().InputFiles().AddFile(Utf8ToWide(second.string()));
    ShowEditing();
    ASSERT_EQ(app.GetDocument()->GetCurrentFile(), entry);
    wxRibbonPage* editing = frame->GetCategory(kCategoryEditing);
    EXPECT_TRUE(PageHasButton(editing, NextFile));
    EXPECT_TRUE(PageHasButton(editing, PreviousFile));
    const auto enabled = [&](int command) {
        wxUpdateUIEvent ui(command);
        EXPECT_TRUE(view->OnUpdateCommand(command, ui)) << command;
        return ui.GetEnabled();
    };
    EXPECT_TRUE(enabled(NextFile));
    EXPECT_FALSE(enabled(PreviousFile));  // the first file

    wxWindow* inside = view->ActivePane()->MainWindow();
    ASSERT_TRUE(OnScreen(*inside));
    inside->SetFocus();
    kmtest::PumpFor(std::chrono::milliseconds(30));
    sim.Char(WXK_PAGEDOWN, wxMOD_CONTROL);
    ASSERT_TRUE(kmtest::PumpUntil([&] { return app.GetDocument()->GetCurrentFile() == two; }));
    EXPECT_EQ(frame->GetFileCombo()->GetSelection(), 1);
    EXPECT_FALSE(enabled(NextFile));  // the last file
    sim.Char(WXK_PAGEUP, wxMOD_CONTROL);
    ASSERT_TRUE(kmtest::PumpUntil([&] { return app.GetDocument()->GetCurrentFile() == entry; }));
    // The ribbon's arrow goes the same way.
    ASSERT_TRUE(frame->DispatchCommand(NextFile));
    EXPECT_EQ(app.GetDocument()->GetCurrentFile(), two);
    EXPECT_EQ(frame->GetFileCombo()->GetSelection(), 1);
}

}  // namespace

namespace {

// At the program's first window size the output page shows its Save and
// Delete buttons, and a press on each (through the X server) saves the
// active output as a named profile and, after the question, deletes it.
TEST_F(SourcePagesSerialTest, TheOutputPagesSaveAndDeleteButtonsWorkAtTheFirstWindowSize)
{
    frame->SetSize(700, 525);
    ShowTab(kCategoryOutput);
    auto* view = dynamic_cast<COutputView*>(frame->FindMainView(kPageOutput));
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(frame->DispatchCommand(ShowVideoOutput));
    auto* save = dynamic_cast<wxButton*>(view->FindWindow(KM::Cmd::SaveProfile));
    auto* remove = dynamic_cast<wxButton*>(view->FindWindow(KM::Cmd::DeleteProfile));
    ASSERT_NE(save, nullptr);
    ASSERT_NE(remove, nullptr);
    ASSERT_TRUE(OnScreen(*save));
    for (wxButton* button : {save, remove}) {
        SCOPED_TRACE(button->GetLabel().ToStdString());
        EXPECT_TRUE(view->GetScreenRect().Contains(button->GetScreenRect()));
        EXPECT_FALSE(button->GetScreenRect().Intersects(view->GetGrid()->GetScreenRect()));
        EXPECT_FALSE(button->GetScreenRect().Intersects(view->GetProfileList()->GetScreenRect()));
    }
    // "Custom": it can be saved, not deleted.
    ASSERT_TRUE(Project().GetVideoOutput()->profile_name.empty());
    EXPECT_TRUE(kmtest::PumpUntil([&] { return save->IsEnabled() && !remove->IsEnabled(); }));

    kmtest::ModalHook hook;
    hook.AnswerDialog(514, wxID_OK, [](wxDialog& d) {
        dynamic_cast<wxTextCtrl*>(d.FindWindow(XRCID("515")))->SetValue("From The Button");
    });
    Click(*save);
    ASSERT_TRUE(kmtest::PumpUntil([&] { return hook.Count() == 1; }));
    const std::wstring saved = Project().GetVideoOutput()->profile_name;
    EXPECT_NE(saved.find(L"From The Button"), std::wstring::npos);
    auto listed = [&] {
        for (const ProfileRow& row : view->GetProfileList()->Rows())
            if (row.text.find(L"From The Button") != std::wstring::npos)
                return true;
        return false;
    };
    EXPECT_TRUE(listed());

    ASSERT_TRUE(kmtest::PumpUntil([&] { return remove->IsEnabled(); }));
    hook.AnswerMessageBox(wxID_YES);
    Click(*remove);
    ASSERT_TRUE(kmtest::PumpUntil([&] { return hook.Count() == 2; }));
    EXPECT_TRUE(Project().GetVideoOutput()->profile_name.empty());
    EXPECT_FALSE(listed());
    EXPECT_EQ(hook.Unexpected(), 0);
}

}  // namespace
