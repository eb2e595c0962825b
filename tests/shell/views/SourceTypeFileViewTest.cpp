// The file list page inside the main window: files dropped, pasted, cut and
// removed, and the selected row shown by the properties beside it.
#include "shell/ShellTestSupport.h"
#include "fixtures/DvdImageFixture.h"
#include "fixtures/MediaFixtures.h"
#include "wx/WxTestSupport.h"
#include "controls/grid/PropertiesCtrl.h"
#include "controls/ids/CommandIds.h"
#include "model/project/Project.h"
#include "platform/Settings.h"
#include "platform/TextConv.h"
#include "shell/KestrelMediaApp.h"
#include "document/KestrelMediaDoc.h"
#include "shell/frame/MainFrame.h"
#include "shell/frame/PageKinds.h"
#include "shell/views/SourceRowText.h"
#include "shell/views/SourceTypeFileView.h"
#include "shell/views/SourceTypeFileViewProperties.h"
#include <fstream>
#include <gtest/gtest.h>
#include <wx/dnd.h>
#include <wx/listctrl.h>

namespace {

namespace fs = std::filesystem;

TEST(SourceRowText, TrailingSlashesGoAndOnlyTheDuplicateKeyLosesItsCapitals)
{
    EXPECT_EQ(NormalisedRowText(L"C:\\Media\\Clip.MP4\\"), L"c:\\media\\clip.mp4");
    EXPECT_EQ(NormalisedRowText(L"/Home/A/"), L"/home/a");
    EXPECT_EQ(NormalisedRowText(L""), L"");
    // A path's case is part of its name here: the clipboard keeps it.
    EXPECT_EQ(ClipboardRowText(L"/Home/Clip.MP4/"), L"/Home/Clip.MP4");
    EXPECT_EQ(ClipboardRowText(L"/Home/A\\/"), L"/Home/A");
    EXPECT_EQ(ClipboardRowText(L""), L"");
}

class FileViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(shelltest::StartProgram(app));
        frame = dynamic_cast<CMainFrame*>(app.GetMainFrame());
        ASSERT_NE(frame, nullptr);
        view = dynamic_cast<CSourceTypeFileView*>(frame->FindMainView(kPageFiles));
        ASSERT_NE(view, nullptr);
        const CViewGroup* group = frame->FindGroup(kPageFiles);
        properties = dynamic_cast<CSourceTypeFileViewProperties*>(group->pageWindows[1]);
        ASSERT_NE(properties, nullptr);
        dir = shelltest::TestFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    void TearDown() override
    {
        shelltest::StopProgram(app);
    }
    std::vector<std::wstring> Clips(int n)
    {
        std::vector<std::wstring> paths;
        for (int i = 0; i < n; ++i) {
            const fs::path clip = dir / ("Clip" + std::to_string(i) + ".mp4");
            std::ofstream(clip) << "not really a clip";
            paths.push_back(Utf8ToWide(clip.string()));
        }
        return paths;
    }
    CFiles& Files() { return app.GetDocument()->GetProject()->InputFiles(); }
    void Drop(const std::vector<std::wstring>& paths)
    {
        wxArrayString names;
        for (const auto& p : paths)
            names.Add(wxString(p));
        auto* target = dynamic_cast<wxFileDropTarget*>(view->GetList()->GetDropTarget());
        ASSERT_NE(target, nullptr);
        EXPECT_TRUE(target->OnDropFiles(10, 10, names));
    }
    void Select(std::initializer_list<long> rows)
    {
        for (long row : rows)
            view->GetList()->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    }

    CKestrelMediaApp app;
    CMainFrame* frame = nullptr;
    CSourceTypeFileView* view = nullptr;
    CSourceTypeFileViewProperties* properties = nullptr;
    fs::path dir;
};

TEST_F(FileViewTest, DroppedFilesBecomeRowsButFoldersDoNot)
{
    std::vector<std::wstring> dropped = Clips(2);
    fs::create_directories(dir / "folder");
    dropped.insert(dropped.begin() + 1, Utf8ToWide((dir / "folder").string()));
    Drop(dropped);
    EXPECT_EQ(Files().GetCount(), 2u);
    EXPECT_EQ(view->GetList()->GetItemCount(), 2);
    EXPECT_TRUE(app.GetDocument()->IsModified());
    EXPECT_TRUE(view->HasRowText(Files().GetAt(0)->GetDisplayName()));
}

TEST_F(FileViewTest, CutTakesNonAdjacentRowsLastFirstAndPasteBringsThemBack)
{
    const std::vector<std::wstring> clips = Clips(5);
    Drop(clips);
    ASSERT_EQ(view->GetList()->GetItemCount(), 5);
    Select({0, 2, 4});
    ASSERT_TRUE(frame->DispatchCommand(KM::Cmd::EditCut));
    ASSERT_EQ(Files().GetCount(), 2u);
    // The row starts with the entry's name (these clips are not media, so the
    // reason follows it).
    EXPECT_EQ(view->GetList()->GetItemText(0).ToStdWstring().rfind(Files().GetAt(0)->GetDisplayName(), 0), 0u);
    EXPECT_NE(Files().GetAt(0)->GetDisplayName().find(L"Clip1"), std::wstring::npos);
    EXPECT_NE(Files().GetAt(1)->GetDisplayName().find(L"Clip3"), std::wstring::npos);

    const std::vector<std::wstring> onClipboard = CSourceTypeFileView::ClipboardFiles();
    if (onClipboard.empty())
        GTEST_SKIP() << "no clipboard on this display";
    ASSERT_EQ(onClipboard.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(onClipboard[i], clips[i * 2]);  // capitals kept: the pasted path names the same file
        EXPECT_TRUE(fs::exists(fs::path(onClipboard[i])));
    }
    ASSERT_TRUE(frame->DispatchCommand(KM::Cmd::EditPaste));
    EXPECT_EQ(Files().GetCount(), 5u);
    EXPECT_EQ(view->GetList()->GetItemCount(), 5);
}

TEST_F(FileViewTest, RemoveWithoutASelectionEmptiesTheList)
{
    Drop(Clips(3));
    Select({1});
    ASSERT_TRUE(frame->DispatchCommand(KM::Cmd::RemoveSources));
    EXPECT_EQ(Files().GetCount(), 2u);
    for (long row = 0; row < view->GetList()->GetItemCount(); ++row)
        view->GetList()->SetItemState(row, 0, wxLIST_STATE_SELECTED);
    ASSERT_TRUE(frame->DispatchCommand(KM::Cmd::RemoveSources));
    EXPECT_EQ(Files().GetCount(), 0u);
    EXPECT_EQ(view->GetList()->GetItemCount(), 0);
    EXPECT_EQ(app.GetDocument()->GetCurrentFile(), nullptr);
}

TEST_F(FileViewTest, TheFocusedRowIsTheCurrentFileAndItsFactsAreShown)
{
    const fs::path clip = fixtures::WriteClip(dir / "real.mp4");
    ASSERT_FALSE(clip.empty());
    Drop({Utf8ToWide(clip.string())});
    view->GetList()->SetItemState(0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                                  wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    ASSERT_TRUE(kmtest::PumpUntil([&] { return app.GetDocument()->GetCurrentFile() == Files().GetAt(0); }));
    ASSERT_TRUE(kmtest::PumpUntil([&] { return properties->GetGrid()->GetSource() == Files().GetAt(0); }));
    EXPECT_GT(properties->GetGrid()->GetRoot()->GetChildCount(), 0u);
    EXPECT_TRUE(kmtest::SaveWindowPng(*frame, "source-files-page"));
}

}  // namespace

#include "controls/preview/PreviewPlayerCtrl.h"
#include "shell/views/SourceTypeFileViewPreview.h"

namespace {

TEST_F(FileViewTest, TheCurrentFileIsPreviewedAtItsShapeAndPlays)
{
    fixtures::ClipDesc desc;
    desc.width = 1920;
    desc.height = 1080;
    desc.seconds = 1.0;
    const fs::path clip = fixtures::WriteClip(dir / "wide.mp4", desc);
    ASSERT_FALSE(clip.empty());
    auto* preview = dynamic_cast<CSourceTypeFileViewPreview*>(frame->FindGroup(kPageFiles)->pageWindows[2]);
    ASSERT_NE(preview, nullptr);
    CPreviewPlayerCtrl* ctrl = preview->GetPlayerCtrl();
    Drop({Utf8ToWide(clip.string())});
    view->GetList()->SetItemState(0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                                  wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    ASSERT_TRUE(kmtest::PumpUntil([&] { return ctrl->GetItem() == Files().GetAt(0); }));
    ctrl->SetSize(400, 300);
    ASSERT_TRUE(kmtest::PumpUntil([&] {
        ctrl->Refresh(false);
        return ctrl->ShownPicture().IsOk();
    }, std::chrono::seconds(30)));
    // 1920x1080 in the 390 x 264 box above the strip.
    EXPECT_EQ(ctrl->ShownPicture().GetWidth(), 390);
    EXPECT_EQ(ctrl->ShownPicture().GetHeight(), 219);
    wxRect rect(0, 0, 400, 300);
    double scale = 0;
    ASSERT_TRUE(ctrl->GetImageRect(rect, scale));
    EXPECT_EQ(rect, ctrl->ShownRect());
    EXPECT_NEAR(scale, 1920.0 / 390, 1e-9);
    EXPECT_TRUE(ctrl->Faces().playEnabled);
    EXPECT_TRUE(kmtest::SaveWindowPng(*frame, "source-preview"));

    ctrl->OnPlayerButton(KM::Cmd::PlayPause);
    ASSERT_TRUE(kmtest::PumpUntil([&] { return Files().GetAt(0)->m_currentPosition > 0; }, std::chrono::seconds(30)));
    ctrl->OnPlayerButton(460);
    EXPECT_EQ(Files().GetAt(0)->m_currentPosition, 0);
}

}  // namespace

#include "model/source/KMFile.h"
#include "shell/views/ConvertView.h"
#include "controls/convert/OutputRichEditCtrl.h"
#include "shell/frame/PageKinds.h"

namespace {

// A disc image dropped on the list, or a disc folder pasted on it, is read
// as the disc when it is added; once chosen it splits into its titles, each
// on its own row at once.
TEST_F(FileViewTest, ADiscImageSplitIntoTitlesShowsEveryTitleAsItsRowAtOnce)
{
    std::string error;
    fs::path folder;
    const fs::path iso = fixtures::WriteDvdImage(dir, &error, &folder);
    if (iso.empty())
        GTEST_SKIP() << error;
    wxListCtrl* list = view->GetList();
    auto expectSplit = [&](const fs::path& disc) {
        SCOPED_TRACE(disc.string());
        ASSERT_EQ(list->GetItemCount(), 1);
        EXPECT_TRUE(Files().GetAt(0)->m_openError.empty()) << Files().GetAt(0)->m_openError;
        EXPECT_EQ(list->GetItemText(0).ToStdWstring(), Utf8ToWide(disc.string()));
        list->SetItemState(0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                           wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
        ASSERT_TRUE(kmtest::PumpUntil([&] { return Files().GetCount() == 2u; }));
        // No refresh needed: the second title has its row, the first row names the first title.
        ASSERT_EQ(list->GetItemCount(), 2);
        for (long row = 0; row < 2; ++row) {
            EXPECT_EQ(list->GetItemText(row).ToStdWstring(),
                      Files().GetAt(static_cast<uint32_t>(row))->GetDisplayName());
            EXPECT_EQ(view->EntryAt(row), Files().GetAt(static_cast<uint32_t>(row)));
        }
        EXPECT_NE(list->GetItemText(0).ToStdWstring(), Utf8ToWide(disc.string()));
    };
    Drop({Utf8ToWide(iso.string())});
    expectSplit(iso);
    ASSERT_TRUE(frame->DispatchCommand(319));
    view->AddFiles({Utf8ToWide(folder.string())});  // what a paste adds; a drop leaves folders out
    expectSplit(folder);
}

TEST_F(FileViewTest, RemovingARowKeepsTheLogUnlessNoFileIsLeftToShow)
{
    auto* conversion = dynamic_cast<CConvertView*>(frame->FindMainView(kPageConversion));
    ASSERT_NE(conversion, nullptr);
    std::vector<std::wstring> clips;
    for (const char* name : {"a.mp4", "b.mp4", "c.mp4"}) {
        const fs::path clip = fixtures::WriteClip(dir / name);  // real clips: no error lines of their own
        ASSERT_FALSE(clip.empty());
        clips.push_back(Utf8ToWide(clip.string()));
    }
    Drop(clips);
    wxListCtrl* list = view->GetList();
    list->SetItemState(0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    ASSERT_TRUE(kmtest::PumpUntil([&] { return app.GetDocument()->GetCurrentFile() == Files().GetAt(0); }));
    conversion->GetLog()->Clear();
    conversion->OnMessage(L"a line the user still reads", 0);
    ASSERT_TRUE(kmtest::PumpUntil([&] { return conversion->GetLog()->GetLastPosition() > 0; }));

    list->SetItemState(0, 0, wxLIST_STATE_SELECTED);  // row 0 keeps the focus
    Select({1});
    ASSERT_TRUE(frame->DispatchCommand(KM::Cmd::RemoveSources));
    kmtest::PumpFor(std::chrono::milliseconds(50));
    EXPECT_EQ(Files().GetCount(), 2u);
    EXPECT_GT(conversion->GetLog()->GetLastPosition(), 0);
    EXPECT_EQ(app.GetDocument()->GetCurrentFile(), Files().GetAt(0));

    ASSERT_TRUE(frame->DispatchCommand(319));  // nothing left: the messages go
    EXPECT_TRUE(kmtest::PumpUntil([&] { return conversion->GetLog()->GetLastPosition() == 0; }));
    EXPECT_EQ(app.GetDocument()->GetCurrentFile(), nullptr);
}

}  // namespace

#include "shell/frame/MainFrmRibbon.h"
#include <wx/filedlg.h>
#include <wx/toolbar.h>

namespace {

// New and Open from the quick-access bar while the source preview plays a
// file of the project they replace: the preview and the properties let go of
// the old project's entry before it is freed, so a paint right after it (and
// the paints the event loop then runs) reads nothing freed. AddressSanitizer
// tells a freed read.
TEST_F(FileViewTest, NewAndOpenWhileAFileIsPreviewedAndPlaysLeaveNothingOfTheOldProject)
{
    fixtures::ClipDesc desc;
    desc.seconds = 4.0;
    const fs::path clip = fixtures::WriteClip(dir / "playing.mp4", desc);
    ASSERT_FALSE(clip.empty());
    auto* preview = dynamic_cast<CSourceTypeFileViewPreview*>(frame->FindGroup(kPageFiles)->pageWindows[2]);
    ASSERT_NE(preview, nullptr);
    CPreviewPlayerCtrl* ctrl = preview->GetPlayerCtrl();
    const std::wstring project = Utf8ToWide((dir / "playing.km").string());
    kmtest::ModalHook dialogs;
    auto previewAndPlay = [&] {
        Drop({Utf8ToWide(clip.string())});
        view->GetList()->SetItemState(0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                                      wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
        ASSERT_TRUE(kmtest::PumpUntil([&] { return ctrl->GetItem() && ctrl->GetItem() == Files().GetAt(0); }));
        ASSERT_EQ(properties->GetGrid()->GetSource(), Files().GetAt(0));
        ctrl->OnPlayerButton(KM::Cmd::PlayPause);
        ASSERT_TRUE(kmtest::PumpUntil([&] { return Files().GetAt(0)->m_currentPosition > 0; }, std::chrono::seconds(30)));
    };
    auto press = [&](int command) {
        wxToolBar* bar = frame->GetQuickAccessBar();
        wxCommandEvent click(wxEVT_TOOL, command);
        click.SetEventObject(bar);
        bar->ProcessWindowEvent(click);
    };
    auto paintsReadNothingOld = [&](const char* step) {
        SCOPED_TRACE(step);
        EXPECT_EQ(ctrl->GetItem(), nullptr) << "the preview still holds an entry of the freed project";
        EXPECT_EQ(properties->GetGrid()->GetSource(), nullptr);
        EXPECT_EQ(view->GetList()->GetItemCount(), 0) << "rows still point at the old project's entries";
        kmtest::PaintNow(*ctrl);
        kmtest::PumpFor(std::chrono::milliseconds(200));
        kmtest::PaintNow(*ctrl);
    };

    ASSERT_NO_FATAL_FAILURE(previewAndPlay());
    ASSERT_TRUE(app.GetDocument()->OnSaveDocument(project));
    press(KM::Cmd::FileNew);
    paintsReadNothingOld("New");
    EXPECT_EQ(Files().GetCount(), 0u);

    ASSERT_NO_FATAL_FAILURE(previewAndPlay());
    app.GetDocument()->SetModifiedFlag(false);
    // GTK's file chooser gives no path unless a person picks one: the bar's
    // Open is answered with Cancel and the chosen file opened as Open then does.
    dialogs.AnswerDialog(wxString(wxFileDialogNameStr), wxID_CANCEL);
    press(KM::Cmd::FileOpen);
    EXPECT_EQ(dialogs.Count(), 1) << "Open asks for the file";
    ASSERT_TRUE(app.OpenDocumentFile(project));
    EXPECT_EQ(app.GetDocument()->GetPathName(), project) << "the project was opened";
    paintsReadNothingOld("Open");
    ASSERT_EQ(Files().GetCount(), 1u);
    EXPECT_TRUE(kmtest::PumpUntil([&] { return kmtest::PaintNow(*ctrl).IsOk(); }));
}

}  // namespace
