// The folder and DVD pages inside the main window: browsing a folder tree with
// "[..]", check marks kept as the sources' exclusions, and a DVD's titles.
#include "shell/ShellTestSupport.h"
#include "fixtures/DvdFixture.h"
#include "fixtures/MediaFixtures.h"
#include "wx/WxTestSupport.h"
#include "controls/ids/CommandIds.h"
#include "model/project/Project.h"
#include "platform/Settings.h"
#include "platform/TextConv.h"
#include "shell/KestrelMediaApp.h"
#include "shell/KestrelMediaDoc.h"
#include "shell/frame/MainFrame.h"
#include "shell/frame/PageKinds.h"
#include "shell/views/SourceTypeDVDView.h"
#include "shell/views/SourceTypeFolderViewFiles.h"
#include <cstdlib>
#include <gtest/gtest.h>
#include <wx/combobox.h>
#include <wx/listctrl.h>

namespace {

namespace fs = std::filesystem;

TEST(FolderView, MaskChoicesStartWithEverythingThenTheFormatsInOrder)
{
    const auto masks = CSourceTypeFolderViewFiles::MaskChoices();
    ASSERT_GE(masks.size(), 3u);
    EXPECT_EQ(masks[0], L"*.*");
    EXPECT_EQ(masks[1], L"*.avi");
    EXPECT_EQ(masks.back(), L"*.ogg");
}

class SourcePagesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(shelltest::StartProgram(app));
        frame = dynamic_cast<CMainFrame*>(app.GetMainFrame());
        ASSERT_NE(frame, nullptr);
        dir = shelltest::TestFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    void TearDown() override
    {
        shelltest::StopProgram(app);
    }
    std::vector<wxString> Rows(wxListCtrl* list)
    {
        std::vector<wxString> rows;
        for (long r = 0; r < list->GetItemCount(); ++r)
            rows.push_back(list->GetItemText(r).AfterLast('/'));  // file rows show the whole path
        return rows;
    }
    CProject& Project() { return *app.GetDocument()->GetProject(); }

    CKestrelMediaApp app;
    CMainFrame* frame = nullptr;
    fs::path dir;
};

TEST_F(SourcePagesTest, AFolderIsBrowsedWithItsParentRowAndUncheckedFilesAreLeftOut)
{
    const fs::path root = dir / "root";
    ASSERT_FALSE(fixtures::WriteClip(root / "a.mp4").empty());
    ASSERT_FALSE(fixtures::WriteClip(root / "sub" / "b.mp4").empty());
    kmtest::ModalHook hook;  // the folder chooser the page opens first is cancelled
    ASSERT_TRUE(frame->DispatchCommand(KM::Cmd::SourceFolder));
    auto* view = dynamic_cast<CSourceTypeFolderViewFiles*>(frame->FindMainView(kPageFolder));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(frame->ShownGroup()->kind, kPageFolder);

    view->GetPathCombo()->SetValue(wxString::FromUTF8(root.string()));
    ASSERT_TRUE(view->OnExecuteCommand(KM::Cmd::TakeTypedFolder));
    wxListCtrl* list = view->GetList();
    EXPECT_EQ(Rows(list), (std::vector<wxString>{"sub", "a.mp4"}));  // no "[..]" at the top
    EXPECT_TRUE(list->IsItemChecked(1));

    view->SetFolder(L"sub");
    EXPECT_EQ(Rows(list), (std::vector<wxString>{"[..]", "b.mp4"}));
    view->SetFolder(L"[..]");
    ASSERT_EQ(Rows(list), (std::vector<wxString>{"sub", "a.mp4"}));
    EXPECT_EQ(list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), 0);  // the folder just left

    const std::wstring a = Project().InputFolder().m_listed.GetAt(0)->m_fileName;
    list->CheckItem(1, false);
    EXPECT_EQ(Project().InputFolder().IsNotSelected(a), 0);
    ASSERT_TRUE(view->OnExecuteCommand(KM::Cmd::CheckAllRows));
    EXPECT_EQ(Project().InputFolder().IsNotSelected(a), 1);
    EXPECT_TRUE(app.GetDocument()->IsModified());
}

TEST_F(SourcePagesTest, ADvdFolderListsItsTitlesAndTheirMarksStay)
{
    std::string error;
    const fs::path disc = fixtures::WriteDvd(dir / "disc", &error);
    if (disc.empty())
        GTEST_SKIP() << error;
    kmtest::ModalHook hook;
    ASSERT_TRUE(frame->DispatchCommand(KM::Cmd::SourceDvd));
    auto* view = dynamic_cast<CSourceTypeDVDView*>(frame->FindMainView(kPageDvd));
    ASSERT_NE(view, nullptr);
    view->GetDriveCombo()->SetValue(wxString::FromUTF8(disc.string()));
    ASSERT_TRUE(view->OnExecuteCommand(KM::Cmd::TakeTypedDrive));
    wxListCtrl* list = view->GetList();
    ASSERT_EQ(list->GetItemCount(), 2);
    CInputDVD& dvd = Project().InputDVD();
    const std::wstring first = dvd.m_titles.GetAt(0)->m_fileName;
    list->CheckItem(0, false);
    EXPECT_EQ(dvd.IsNotSelected(first), 0);
    EXPECT_EQ(dvd.m_excluded.GetCount(), 1u);
    view->OnInitialUpdate();  // rebuilt: the mark stays off
    EXPECT_FALSE(list->IsItemChecked(0));
    EXPECT_TRUE(list->IsItemChecked(1));
    list->CheckItem(0, true);
    EXPECT_EQ(dvd.IsNotSelected(first), 1);
    EXPECT_TRUE(kmtest::SaveWindowPng(*frame, "source-dvd-page"));
}

TEST_F(SourcePagesTest, ADvdImageFileListsTheSameTitlesAsItsFolder)
{
    std::string error;
    const fs::path disc = fixtures::WriteDvd(dir / "disc", &error);
    if (disc.empty())
        GTEST_SKIP() << error;
    const fs::path iso = dir / "disc.iso";
    const std::string make = "genisoimage -quiet -dvd-video -o '" + iso.string() + "' '" + disc.string() + "' 2>&1";
    ASSERT_EQ(std::system(make.c_str()), 0) << "genisoimage is installed by scripts/setup";
    kmtest::ModalHook hook;
    ASSERT_TRUE(frame->DispatchCommand(KM::Cmd::SourceDvd));
    auto* view = dynamic_cast<CSourceTypeDVDView*>(frame->FindMainView(kPageDvd));
    ASSERT_NE(view, nullptr);
    view->GetDriveCombo()->SetValue(wxString::FromUTF8(iso.string()));
    ASSERT_TRUE(view->OnExecuteCommand(KM::Cmd::TakeTypedDrive));
    ASSERT_EQ(view->GetList()->GetItemCount(), 2);
    EXPECT_EQ(Project().InputDVD().m_titles.GetCount(), 2u);
}

}  // namespace
