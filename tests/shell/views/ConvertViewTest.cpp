// The conversion page inside the main window: its line rules, its command
// states, and a real conversion started from it that leaves a playable file,
// a full bar and a log that links the output.
#include "shell/ShellTestSupport.h"
#include "fixtures/MediaFixtures.h"
#include "wx/WxTestSupport.h"
#include "controls/convert/ConvertProgressCtrl.h"
#include "controls/convert/OutputRichEditCtrl.h"
#include "controls/convert/SystemTray.h"
#include "controls/ids/CommandIds.h"
#include "model/job/RunManager.h"
#include "model/project/Project.h"
#include "platform/Settings.h"
#include "platform/TextConv.h"
#include "shell/KestrelMediaApp.h"
#include "document/KestrelMediaDoc.h"
#include "document/MessageMngHandler.h"
#include "shell/frame/MainFrame.h"
#include "shell/frame/PageKinds.h"
#include "shell/views/ConvertLogLines.h"
#include "shell/views/ConvertView.h"
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<ConvertLogLine>;

TEST(ConvertLogLines, EachMessageBecomesItsLinesOrTheCaption)
{
    ConvertMessageResult r = RouteConvertMessage(L"File converted.", LOG_FILE_DONE, 0);
    EXPECT_EQ(r.lines, (Lines{{L"File converted.", 0}, {L"\n", 0}}));
    r = RouteConvertMessage(L"ends\n", LOG_WARNING, 0);
    EXPECT_EQ(r.lines, (Lines{{L"ends\n", 1}}));  // no second line feed
    r = RouteConvertMessage(L"bad", LOG_ERROR, 0);
    EXPECT_EQ(r.lines, (Lines{{L"bad", 2}, {L"\n", 2}}));

    // A caption leaves the log and the code the next line looks back at.
    r = RouteConvertMessage(L"clip.mp4", LOG_RAW, LOG_NOTE);
    EXPECT_TRUE(r.isCaption);
    EXPECT_TRUE(r.lines.empty());
    EXPECT_EQ(r.lastCode, static_cast<DWORD>(LOG_NOTE));

    // An engine note stays open; the pause after it starts a line of its own.
    r = RouteConvertMessage(L"note", LOG_NOTE, 0);
    EXPECT_EQ(r.lines, (Lines{{L"note", 0}}));
    r = RouteConvertMessage(L"Paused", LOG_PAUSE, r.lastCode);
    EXPECT_EQ(r.lines, (Lines{{L"\n", 0}, {L"Paused", 0}, {L"\n", 0}}));
}

TEST(ConvertLogLines, CommandStatesFollowTheRunAndTheLog)
{
    using namespace KM::Cmd;
    const ConvertLogState noLog;
    const ConvertLogState focused{true, 10, false};
    const ConvertLogState selected{true, 10, true};
    struct Case { int command; DWORD state; ConvertLogState log; bool enabled, checked; } cases[] = {
        {ConversionStart, CRunManager::kIdle, noLog, true, false},
        {ConversionStart, CRunManager::kRunning, noLog, true, true},
        {ConversionPause, CRunManager::kIdle, noLog, false, false},
        {ConversionPause, CRunManager::kPaused, noLog, true, true},
        {ConversionStop, CRunManager::kRunning, noLog, true, false},
        {SendToTray, CRunManager::kIdle, noLog, false, false},
        {SelectAll, CRunManager::kIdle, noLog, false, false},
        {SelectAll, CRunManager::kIdle, focused, true, false},
        {EditCopy, CRunManager::kIdle, focused, false, false},
        {EditCopy, CRunManager::kIdle, selected, true, false},
    };
    for (const Case& c : cases) {
        const ConvertCommandUi ui = ConvertCommandState(c.command, c.state, c.log);
        EXPECT_TRUE(ui.handled);
        EXPECT_EQ(ui.enabled, c.enabled) << c.command << " in " << c.state;
        EXPECT_EQ(ui.checked, c.checked) << c.command << " in " << c.state;
    }
    EXPECT_FALSE(ConvertCommandState(452, 0, noLog).handled);
}

class ConvertViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(shelltest::StartProgram(app));
        frame = dynamic_cast<CMainFrame*>(app.GetMainFrame());
        ASSERT_NE(frame, nullptr);
        view = dynamic_cast<CConvertView*>(frame->FindMainView(kPageConversion));
        ASSERT_NE(view, nullptr);
    }
    void TearDown() override
    {
        shelltest::StopProgram(app);
    }

    CKestrelMediaApp app;
    CMainFrame* frame = nullptr;
    CConvertView* view = nullptr;
};

TEST_F(ConvertViewTest, StartFromThePageConvertsAndLinksTheOutput)
{
    const fs::path dir = shelltest::TestFolder("ConvertViewRun");
    const fs::path clip = fixtures::WriteClip(dir / "a.mp4");
    ASSERT_FALSE(clip.empty());
    CProject& project = *app.GetDocument()->GetProject();
    project.InputFiles().AddFile(Utf8ToWide(clip.string()));
    CVideoFileObj* video = project.GetVideoOutput();
    video->SetValue(L"is_create", CVariant(int32_t{1}));
    video->SetValue(L"file_format", CVariant(int32_t{13}));  // MP4
    video->SetValue(L"destination", CVariant(Utf8ToWide((dir / "out").string())));
    video->SetValue(L"file_name", CVariant(L"*.*"));

    kmtest::ModalHook hook;
    hook.AnswerMessageBox(wxID_OK);  // "finished"
    ASSERT_TRUE(frame->DispatchCommand(KM::Cmd::StartConversionFromRibbon));
    EXPECT_EQ(frame->ShownGroup()->kind, kPageConversion);
    ASSERT_TRUE(kmtest::PumpUntil([&] { return view->IsFinished(); }, std::chrono::seconds(120)))
        << view->GetLog()->GetValue() << " state " << app.GetDocument()->GetRunState();
    ASSERT_TRUE(kmtest::PumpUntil([&] { return !view->GetLog()->Links().empty(); }));
    EXPECT_EQ(hook.Count(), 1);
    EXPECT_EQ(app.GetDocument()->GetRunState(), CRunManager::kIdle);
    EXPECT_EQ(view->GetProgress()->GetPercent(), 100);
    EXPECT_EQ(view->GetProgress()->m_nFilesDone, 1);

    const SLink& link = view->GetLog()->Links().front();
    EXPECT_TRUE(fs::exists(fs::path(WideToUtf8(link.target)))) << WideToUtf8(link.target);
    const fixtures::MediaInfo info = fixtures::ReadMedia(fs::path(WideToUtf8(link.target)), false);
    EXPECT_GT(info.duration, 0.5);
    EXPECT_TRUE(kmtest::SaveWindowPng(*frame, "conversion-page"));
}

// The notification area as the test sets it, for the view's own tray.
struct TrayStandIn {
    static inline bool available = false;
    static inline bool adds = false;
    static inline CSystemTray* tray = nullptr;
};

class StandInTrayHost : public ITrayIconHost {
public:
    bool IsAvailable() const override { return TrayStandIn::available; }
    bool SetIcon(const wxIcon&, const std::wstring&) override { return TrayStandIn::adds; }
    bool RemoveIcon() override { return true; }
};

class ConvertViewTrayTest : public ConvertViewTest {
protected:
    void SetUp() override
    {
        m_previous = CSystemTray::SetHostFactory([](CSystemTray& tray) {
            TrayStandIn::tray = &tray;
            return std::make_unique<StandInTrayHost>();
        });
        ConvertViewTest::SetUp();
    }
    void TearDown() override
    {
        ConvertViewTest::TearDown();
        CSystemTray::SetHostFactory(std::move(m_previous));
        TrayStandIn::tray = nullptr;
    }

private:
    CSystemTray::HostFactory m_previous;
};

TEST_F(ConvertViewTrayTest, ToTrayHidesTheWindowOnlyWhenItsIconWentIn)
{
    frame->Show();
    ASSERT_NE(TrayStandIn::tray, nullptr);
    struct Case {
        bool available, adds, hidden;
    } cases[] = {
        {false, false, false},  // no notification area: minimised instead
        {true, false, false},   // one that refused the icon: the same
        {true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "available " << c.available << " adds " << c.adds);
        TrayStandIn::available = c.available;
        TrayStandIn::adds = c.adds;
        ASSERT_TRUE(view->OnExecuteCommand(KM::Cmd::SendToTray));
        EXPECT_EQ(frame->IsShown(), !c.hidden);
        if (c.hidden) {
            TrayStandIn::tray->OnDoubleClick();  // the way back
            EXPECT_TRUE(frame->IsShown());
            EXPECT_TRUE(TrayStandIn::tray->IsHidden());
        }
        frame->Iconize(false);
    }
}

}  // namespace
