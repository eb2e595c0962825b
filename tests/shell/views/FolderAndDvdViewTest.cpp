// The folder and DVD pages inside the main window: browsing a folder tree with
// "[..]", check marks kept as the sources' exclusions, and a DVD's titles.
#include "shell/ShellTestSupport.h"
#include "fixtures/DvdImageFixture.h"
#include "fixtures/DvdFixture.h"
#include "fixtures/MediaFixtures.h"
#include "wx/WxTestSupport.h"
#include "controls/convert/OutputRichEditCtrl.h"
#include "controls/ids/CommandIds.h"
#include "controls/small/ErrorCaptionWnd.h"
#include "model/project/Project.h"
#include "platform/Settings.h"
#include "platform/TextConv.h"
#include "shell/KestrelMediaApp.h"
#include "document/KestrelMediaDoc.h"
#include "shell/frame/MainFrame.h"
#include "shell/frame/PageKinds.h"
#include "shell/views/ConvertView.h"
#include "shell/views/DvdDrives.h"
#include "shell/views/SourceIcons.h"
#include "shell/views/SourceTypeDVDView.h"
#include "shell/views/SourceTypeFolderViewFiles.h"
#include <cstdlib>
#include <gtest/gtest.h>
#include <wx/combobox.h>
#include <fstream>
#include <wx/imaglist.h>
#include <wx/listctrl.h>
#include <wx/tglbtn.h>

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

TEST(DvdDrives, OpticalDrivesThenMountedDiscsHoldingVideoTs)
{
    const fs::path root = shelltest::TestFolder("DvdDrives");
    const auto device = [&](const std::string& name, const std::string& type) {
        fs::create_directories(root / "block" / name / "device");
        std::ofstream(root / "block" / name / "device" / "type") << type << "\n";
    };
    device("sr1", "5");
    device("sr0", "5");
    device("sda", "0");
    fs::create_directories(root / "block" / "loop0");  // no device folder
    fs::create_directories(root / "My Disc" / "VIDEO_TS");
    fs::create_directories(root / "udf" / "VIDEO_TS");
    fs::create_directories(root / "data" / "FILES");
    fs::create_directories(root / "home" / "VIDEO_TS");
    const std::string escaped = (root / "My\\040Disc").string();
    const std::string mounts = "/dev/sr0 " + escaped + " iso9660 ro 0 0\n" +                 // a video disc
                               "/dev/sr1 " + (root / "udf").string() + " udf ro 0 0\n" +      // another
                               "/dev/sr2 " + (root / "data").string() + " iso9660 ro 0 0\n" + // no VIDEO_TS
                               "/dev/sda1 " + (root / "home").string() + " ext4 rw 0 0\n" +    // not a disc
                               "garbage\n";
    const std::vector<std::wstring> drives = ListDvdDrives(root / "block", mounts);
    EXPECT_EQ(drives, (std::vector<std::wstring>{L"/dev/sr0", L"/dev/sr1", Utf8ToWide((root / "My Disc").string()),
                                                 Utf8ToWide((root / "udf").string())}));
    EXPECT_TRUE(ListDvdDrives(root / "none", "").empty());  // a machine without drives lists nothing
}

TEST(SourceIcons, ExactTypeThenItsFamilyThenAPlainFile)
{
    const struct {
        std::string mime;
        std::vector<std::string> names;
    } cases[] = {
        {"video/mp4", {"video-mp4", "video-x-generic", "text-x-generic"}},
        {"audio/mpeg", {"audio-mpeg", "audio-x-generic", "text-x-generic"}},
        {"image/png", {"image-png", "image-x-generic", "text-x-generic"}},
        {"application/x-iso9660-image", {"application-x-iso9660-image", "text-x-generic"}},
        {"", {"text-x-generic"}},
        {"video/", {"text-x-generic"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IconNamesForMimeType(c.mime), c.names) << c.mime;
    const fs::path dir = shelltest::TestFolder("SourceIcons");
    EXPECT_EQ(IconNamesForPath(Utf8ToWide(dir.string())), FolderIconNames());
    EXPECT_EQ(IconNamesForPath(Utf8ToWide((dir / "clip.mp4").string())).back(), "text-x-generic");
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
    // The rows' icons come from the desktop's theme: the subfolder shows the
    // theme's folder, the clip another picture.
    const auto image = [&](long row) {
        wxListItem item;
        item.SetId(row);
        item.SetMask(wxLIST_MASK_IMAGE);
        list->GetItem(item);
        return item.GetImage();
    };
    const wxBitmap folderIcon = LoadThemeIcon(FolderIconNames(), wxSize(16, 16));
    ASSERT_TRUE(folderIcon.IsOk()) << "the desktop icon theme (adwaita-icon-theme) is installed with GTK";
    ASSERT_GE(image(0), 0);
    ASSERT_GE(image(1), 0);
    EXPECT_NE(image(0), image(1));
    const wxImage shown = list->GetImageList(wxIMAGE_LIST_SMALL)->GetBitmap(image(0)).ConvertToImage();
    const wxImage theme = folderIcon.ConvertToImage().Rescale(16, 16, wxIMAGE_QUALITY_HIGH);
    int same = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            same += kmtest::PixelAt(shown, x, y) == kmtest::PixelAt(theme, x, y) ? 1 : 0;
    EXPECT_GT(same, 16 * 16 * 9 / 10);

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

// A disc with one damaged title set opens with the other set's titles, and
// the user is told which set was left out: in the status bar, whatever page
// is shown, and as an error line of the conversion log.
TEST_F(SourcePagesTest, ADvdWithADamagedTitleSetListsTheRestAndNamesTheSetLeftOut)
{
    std::string error;
    const fs::path disc = fixtures::WriteDvdWithTitleSets(dir / "disc", 2, &error);
    if (disc.empty())
        GTEST_SKIP() << error;
    ASSERT_TRUE(fixtures::TruncateDvdTitleSet(disc, 2));
    kmtest::ModalHook hook;
    ASSERT_TRUE(frame->DispatchCommand(KM::Cmd::SourceDvd));
    auto* view = dynamic_cast<CSourceTypeDVDView*>(frame->FindMainView(kPageDvd));
    ASSERT_NE(view, nullptr);
    view->GetDriveCombo()->SetValue(wxString::FromUTF8(disc.string()));
    ASSERT_TRUE(view->OnExecuteCommand(KM::Cmd::TakeTypedDrive));
    EXPECT_EQ(view->GetList()->GetItemCount(), 2);

    const wxString said = wxString::FromUTF8(disc.string()) + "\" was read without its damaged title sets: 2.";
    CErrorCaptionWnd* caption = frame->GetCaption();
    ASSERT_NE(caption, nullptr);
    // The caption may be cut to fit; its tool tip holds the whole text.
    ASSERT_TRUE(kmtest::PumpUntil([&] { return !caption->GetCaption().empty(); }));
    EXPECT_TRUE(caption->GetToolTipText().EndsWith(said)) << caption->GetToolTipText();
    auto* convert = dynamic_cast<CConvertView*>(frame->FindMainView(kPageConversion));
    ASSERT_NE(convert, nullptr);
    COutputRichEditCtrl* log = convert->GetLog();
    ASSERT_TRUE(kmtest::PumpUntil([&] { return log->GetValue().Contains(said); })) << log->GetValue();
    long from = log->GetValue().Find(said);
    wxTextAttr style;
    ASSERT_TRUE(log->GetStyle(from, style));
    EXPECT_EQ(style.GetTextColour(), COutputRichEditCtrl::KindColour(2));  // an error line
}

TEST_F(SourcePagesTest, ADvdImageFileListsTheSameTitlesAsItsFolder)
{
    std::string error;
    const fs::path iso = fixtures::WriteDvdImage(dir, &error);
    if (iso.empty())
        GTEST_SKIP() << error;
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
