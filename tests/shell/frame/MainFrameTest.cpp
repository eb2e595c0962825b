// The main frame as the program makes it: tabs and pages, the frame's own
// commands, the status bar's error caption and the close sequence.
#include "shell/ShellTestSupport.h"
#include "fixtures/MediaFixtures.h"
#include "wx/WxTestSupport.h"
#include "controls/ids/CommandIds.h"
#include "controls/small/ErrorCaptionWnd.h"
#include "model/job/RunManager.h"
#include "model/project/Project.h"
#include "platform/Settings.h"
#include "platform/TextConv.h"
#include "shell/BaseView.h"
#include "shell/KestrelMediaApp.h"
#include "document/KestrelMediaDoc.h"
#include "shell/frame/KMRibbonBar.h"
#include "shell/frame/MainFrame.h"
#include "shell/frame/PageKinds.h"
#include "shell/views/ConvertView.h"
#include "shell/views/EditingView.h"
#include "shell/views/OutputView.h"
#include <gtest/gtest.h>
#include <wx/choice.h>
#include <set>
#include <wx/msgdlg.h>

namespace {

namespace fs = std::filesystem;

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(shelltest::StartProgram(app));
        frame = dynamic_cast<CMainFrame*>(app.GetMainFrame());
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(kmtest::PumpUntil([&] { return frame->IsShownOnScreen(); }));
    }

    void TearDown() override
    {
        shelltest::StopProgram(app);
    }

    void ShowTab(int position) { frame->GetRibbon()->SetActiveCategory(frame->GetCategory(position)); }
    int ShownKind() const { return frame->ShownGroup() ? frame->ShownGroup()->kind : -1; }
    CKestrelMediaDoc& Doc() { return *app.GetDocument(); }

    CKestrelMediaApp app;
    CMainFrame* frame = nullptr;
};

TEST_F(MainFrameTest, EveryTabShowsItsPageAndOnlyThatPage)
{
    EXPECT_EQ(ShownKind(), kPageFiles);
    struct Case { int tab; int kind; } cases[] = {
        {kCategoryEditing, kPageEditing}, {kCategoryOutput, kPageOutput}, {kCategoryConversion, kPageConversion},
        {kCategoryNews, kPageNews},       {kCategorySource, kPageFiles},
    };
    for (const Case& c : cases) {
        ShowTab(c.tab);
        EXPECT_EQ(ShownKind(), c.kind) << c.tab;
        EXPECT_EQ(frame->ActiveCategoryPosition(), c.tab);
        ASSERT_NE(frame->GetActiveView(), nullptr);
        EXPECT_TRUE(frame->GetActiveView()->IsShown());
        // The shown page fills the client area; every other page is hidden.
        EXPECT_EQ(frame->GetActiveView()->GetScreenRect().GetWidth() > 0, true);
        for (int kind : {kPageFiles, kPageFolder, kPageDvd, kPageOutput, kPageConversion, kPageEditing, kPageNews}) {
            const CViewGroup* group = frame->FindGroup(kind);
            ASSERT_NE(group, nullptr) << kind;
            EXPECT_EQ(group->pageWindows.front()->IsShownOnScreen(), kind == c.kind) << "tab " << c.tab << " page " << kind;
        }
    }
    EXPECT_FALSE(CBaseView::IsPageSwitching());
}

// The window comes up without the pages the user has not opened; the
// conversion page is there from the start, as its log follows any run.
TEST_F(MainFrameTest, PagesOfOneViewAreMadeWhenFirstNeededButTheConversionPageAtOnce)
{
    auto count = [&](auto isKind) {
        int n = 0;
        for (wxWindow* child : frame->GetClientArea()->GetChildren()) n += isKind(child) ? 1 : 0;
        return n;
    };
    auto editing = [](wxWindow* w) { return dynamic_cast<CEditingView*>(w) != nullptr; };
    auto output = [](wxWindow* w) { return dynamic_cast<COutputView*>(w) != nullptr; };
    auto conversion = [](wxWindow* w) { return dynamic_cast<CConvertView*>(w) != nullptr; };
    EXPECT_EQ(count(editing), 0);
    EXPECT_EQ(count(output), 0);
    EXPECT_EQ(count(conversion), 1);

    wxWindow* view = frame->FindMainView(kPageEditing);
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(view->IsShown());  // made, not shown
    EXPECT_EQ(frame->FindMainView(kPageEditing), view);  // and made once
    EXPECT_EQ(count(editing), 1);
    ShowTab(kCategoryOutput);
    EXPECT_EQ(count(output), 1);
    EXPECT_TRUE(frame->GetActiveView()->IsShown());
}

TEST_F(MainFrameTest, ScreenshotOfTheEmptyFrameHasTheRibbonAndPages)
{
    wxImage shot = kmtest::PaintToImage(*frame);
    ASSERT_TRUE(shot.IsOk());
    EXPECT_GE(shot.GetWidth(), 600);
    EXPECT_GE(shot.GetHeight(), 400);
    // Not one flat colour: the ribbon's buttons and texts are drawn.
    std::set<unsigned> colours;
    for (int y = 0; y < shot.GetHeight(); y += 3)
        for (int x = 0; x < shot.GetWidth(); x += 3)
            colours.insert((shot.GetRed(x, y) << 16) | (shot.GetGreen(x, y) << 8) | shot.GetBlue(x, y));
    EXPECT_GT(colours.size(), 20u);
    EXPECT_TRUE(kmtest::SaveWindowPng(*frame, "main-frame"));
}

TEST_F(MainFrameTest, SourceTypeCommandsSwitchPagesAndARealChangeLetsGoOfTheCurrentFile)
{
    const fs::path clip = fixtures::WriteClip(shelltest::TestFolder("FrameSourceType") / "a.mp4");
    ASSERT_FALSE(clip.empty());
    CKMFile* entry = Doc().GetProject()->InputFiles().AddFile(Utf8ToWide(clip.string()));
    Doc().SetCurrentFile(entry);
    shelltest::RecordingListener listener;
    Doc().AddListener(&listener);
    kmtest::ModalHook hook;  // the folder choosers the pages open are cancelled

    ASSERT_TRUE(frame->DispatchCommand(KM::Cmd::SourceFolder));
    EXPECT_EQ(Doc().GetProject()->m_sourceType, 1);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(frame->ActiveCategoryPosition(), kCategorySource);
    EXPECT_EQ(ShownKind(), kPageFolder);
    EXPECT_EQ(Doc().GetCurrentFile(), nullptr);
    const auto events = listener.Take();
    EXPECT_NE(std::find(events.begin(), events.end(), L"clear"), events.end());

    // Back to the file list; the same type again through the tab keeps the
    // page and lets nothing go.
    ASSERT_TRUE(frame->DispatchCommand(KM::Cmd::SourceFileList));
    EXPECT_EQ(ShownKind(), kPageFiles);
    Doc().SetCurrentFile(entry);
    ShowTab(kCategoryConversion);
    ShowTab(kCategorySource);
    EXPECT_EQ(ShownKind(), kPageFiles);
    EXPECT_EQ(Doc().GetCurrentFile(), entry);

    ASSERT_TRUE(frame->DispatchCommand(KM::Cmd::SourceType3));  // no page of its own
    EXPECT_EQ(Doc().GetProject()->m_sourceType, 3);
    EXPECT_EQ(ShownKind(), kPageFiles);
    ASSERT_TRUE(frame->DispatchCommand(KM::Cmd::SourceDvd));
    EXPECT_EQ(ShownKind(), kPageDvd);
    Doc().GetProject()->m_sourceType = 0;
    Doc().RemoveListener(&listener);
}

TEST_F(MainFrameTest, EditingTabFillsTheFileChoiceAndAReplacedProjectEmptiesIt)
{
    CProject& project = *Doc().GetProject();
    for (int i = 0; i < 150; ++i)
        project.InputFiles().AddFile(L"/nowhere/clip" + std::to_wstring(i) + L".mp4");
    ShowTab(kCategoryEditing);
    wxChoice* combo = frame->GetFileCombo();
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->GetCount(), 102u);
    EXPECT_EQ(combo->GetString(0), "clip0.mp4");
    EXPECT_EQ(combo->GetSelection(), 0);  // with no current file, the first is shown
    combo->SetSelection(3);
    EXPECT_EQ(CMainFrmRibbon::GetComboFileEntry(frame), project.InputFiles().GetAt(3));

    Doc().SetModifiedFlag(false);
    Doc().OnNewDocument();
    EXPECT_EQ(combo->GetCount(), 0u);
    EXPECT_EQ(CMainFrmRibbon::GetComboFileEntry(frame), nullptr);
}

TEST_F(MainFrameTest, StartCommandGoesToTheConversionTabAndStartsOneRunOnly)
{
    ASSERT_FALSE(shelltest::AddClipToConvert(*Doc().GetProject(), shelltest::TestFolder("FrameStart")).empty());
    shelltest::FakeRunnerScope runner;

    ASSERT_TRUE(frame->DispatchCommand(KM::Cmd::StartConversionFromRibbon));
    EXPECT_EQ(frame->ActiveCategoryPosition(), kCategoryConversion);
    EXPECT_EQ(ShownKind(), kPageConversion);
    EXPECT_EQ(Doc().GetRunState(), CRunManager::kRunning);
    ASSERT_TRUE(frame->DispatchCommand(KM::Cmd::StartConversionFromRibbon));
    EXPECT_EQ(shelltest::FakeRunnerScope::counts.runs, 1);
    Doc().StopConversion();
}

TEST_F(MainFrameTest, TogglesStartFromTheirDefaultAndWriteTheOtherValue)
{
    CSettingsStore::Instance().SetPath(shelltest::TestFolder("FrameToggles") / "settings.ini");
    ASSERT_TRUE(frame->DispatchCommand(KM::Cmd::LoadRecentDoc));
    EXPECT_EQ(CSettingsStore::Instance().GetInt(L"Settings", L"LoadRecentDoc", -1), 0);
    ASSERT_TRUE(frame->DispatchCommand(KM::Cmd::LoadRecentDoc));
    EXPECT_EQ(CSettingsStore::Instance().GetInt(L"Settings", L"LoadRecentDoc", -1), 1);
    CSettingsStore::Instance().SetInt(L"Settings", L"AutoCheck", 1);
    ASSERT_TRUE(frame->DispatchCommand(KM::Cmd::AutoCheckUpdates));
    EXPECT_EQ(CSettingsStore::Instance().GetInt(L"Settings", L"AutoCheck", -1), 0);
    ASSERT_TRUE(frame->DispatchCommand(212));
    EXPECT_EQ(frame->GetApplicationLook(), 212);
    EXPECT_EQ(CSettingsStore::Instance().GetInt(L"", L"ApplicationLook", 0), 212);
}

TEST_F(MainFrameTest, OnlyErrorLinesReachTheCaptionAndAChangeOfFileEmptiesIt)
{
    CErrorCaptionWnd* caption = frame->GetCaption();
    ASSERT_NE(caption, nullptr);
    Doc().NotifyListeners(L"just a note", LOG_PLAIN);
    Doc().NotifyListeners(L"a warning", LOG_WARNING);
    kmtest::PumpFor(std::chrono::milliseconds(50));
    EXPECT_TRUE(caption->GetCaption().empty());

    Doc().ReportError(L"Cannot read /media/broken.mp4");
    ASSERT_TRUE(kmtest::PumpUntil([&] { return !caption->GetCaption().empty(); }));
    EXPECT_EQ(caption->GetCaption(), "Cannot read /media/broken.mp4");
    EXPECT_EQ(caption->GetToolTipText(), "Cannot read /media/broken.mp4");

    Doc().BroadcastCurrentFileChanged();
    EXPECT_TRUE(caption->GetCaption().empty());
    EXPECT_EQ(frame->GetStatusText(), L"Cannot read /media/broken.mp4");  // kept for the next resize
    frame->SetSize(frame->GetSize() + wxSize(10, 0));
    ASSERT_TRUE(kmtest::PumpUntil([&] { return !caption->GetCaption().empty(); }));

    Doc().BroadcastClearMessages();
    ASSERT_TRUE(kmtest::PumpUntil([&] { return caption->GetCaption().empty(); }));
}

TEST_F(MainFrameTest, ClosingAModifiedProjectAsksFirstAndCancelKeepsEverything)
{
    const fs::path settings = shelltest::TestFolder("FrameClose") / "settings.ini";
    CSettingsStore::Instance().SetPath(settings);
    Doc().SetModifiedFlag(true);
    {
        kmtest::ModalHook hook;
        hook.AnswerMessageBox(wxID_CANCEL);
        EXPECT_FALSE(frame->Close(false));
        EXPECT_EQ(hook.Count(), 1);
    }
    kmtest::PumpFor(std::chrono::milliseconds(20));
    ASSERT_NE(app.GetMainFrame(), nullptr);
    EXPECT_EQ(CSettingsStore::Instance().GetInt(L"Workspace", L"client_x", -1), -1);  // nothing written yet

    frame->SetSize(800, 600);
    kmtest::PumpFor(std::chrono::milliseconds(20));
    {
        kmtest::ModalHook hook;
        hook.AnswerMessageBox(wxID_NO);
        EXPECT_TRUE(frame->Close(false));
        EXPECT_EQ(hook.Count(), 1);
    }
    ASSERT_TRUE(kmtest::PumpUntil([&] { return app.GetMainFrame() == nullptr; }));
    EXPECT_EQ(CSettingsStore::Instance().GetInt(L"Workspace", L"client_x", -1), 800);
    EXPECT_EQ(CSettingsStore::Instance().GetInt(L"Workspace", L"client_y", -1), 600);
}

TEST_F(MainFrameTest, ClosingWhileConvertingAsksToSaveFirstAndOnlyThenStopsTheRun)
{
    ASSERT_FALSE(shelltest::AddClipToConvert(*Doc().GetProject(), shelltest::TestFolder("FrameCloseConverting")).empty());
    shelltest::FakeRunnerScope runner;
    ASSERT_TRUE(frame->DispatchCommand(KM::Cmd::StartConversionFromRibbon));
    ASSERT_EQ(Doc().GetRunState(), CRunManager::kRunning);
    Doc().SetModifiedFlag(true);
    {
        kmtest::ModalHook hook;
        hook.AnswerMessageBox(wxID_CANCEL);
        EXPECT_FALSE(frame->Close(false));
        EXPECT_EQ(hook.Count(), 1);
    }
    EXPECT_EQ(Doc().GetRunState(), CRunManager::kRunning);  // a cancelled close leaves the run alone
    EXPECT_EQ(shelltest::FakeRunnerScope::counts.stops, 0);
    {
        kmtest::ModalHook hook;
        hook.AnswerMessageBox(wxID_NO);
        EXPECT_TRUE(frame->Close(false));
        EXPECT_EQ(hook.Count(), 1);
    }
    ASSERT_TRUE(kmtest::PumpUntil([&] { return app.GetMainFrame() == nullptr; }));
    EXPECT_GE(shelltest::FakeRunnerScope::counts.stops, 1);
    EXPECT_EQ(Doc().GetRunState(), CRunManager::kIdle);
}

TEST_F(MainFrameTest, AnsweringYesSavesTheProjectBeforeTheWindowGoes)
{
    const fs::path dir = shelltest::TestFolder("FrameCloseSave");
    const fs::path project = dir / "project.km";
    ASSERT_TRUE(Doc().OnSaveDocument(Utf8ToWide(project.string())));
    const auto emptySize = fs::file_size(project);
    const fs::path clip = fixtures::WriteClip(dir / "a.mp4");
    ASSERT_FALSE(clip.empty());
    Doc().GetProject()->InputFiles().AddFile(Utf8ToWide(clip.string()));
    Doc().SetModifiedFlag(true);
    {
        kmtest::ModalHook hook;
        hook.AnswerMessageBox(wxID_YES);
        EXPECT_TRUE(frame->Close(false));
        EXPECT_EQ(hook.Count(), 1);
    }
    ASSERT_TRUE(kmtest::PumpUntil([&] { return app.GetMainFrame() == nullptr; }));
    EXPECT_GT(fs::file_size(project), emptySize);  // the added source went into the file
    EXPECT_FALSE(Doc().IsModified());
}

}  // namespace
