// The application's start-up and shut-down inside the test program: the
// services it installs, the project it opens, and an exit that does not wait
// for ever on the update thread.
#include "ShellTestSupport.h"
#include "wx/WxTestSupport.h"
#include "model/source/SourceShell.h"
#include "platform/Settings.h"
#include "platform/TextConv.h"
#include "player/Player.h"
#include "shell/KestrelMediaApp.h"
#include "document/KestrelMediaDoc.h"
#include "document/MessageMng.h"
#include "fixtures/LocalHttpServer.h"
#include "shell/dialogs/ShellGridDialogs.h"
#include <gtest/gtest.h>
#include <atomic>
#include <wx/frame.h>
#include <wx/msgdlg.h>

namespace {

CKestrelMediaApp::StartupOptions Options(std::wstring commandLine = L"")
{
    CKestrelMediaApp::StartupOptions o;
    o.resourceFolder = KM_RES_DIR;
    o.showSplash = false;
    o.showMainWindow = false;
    o.commandLineFile = std::move(commandLine);
    return o;
}

TEST(AppStartup, InstallsServicesAndTearsThemDown)
{
    CSettingsStore::Instance().SetInt(L"Settings", L"AutoCheck", 0);
    {
        CKestrelMediaApp app;
        ASSERT_TRUE(app.InitInstance(Options()));
        EXPECT_EQ(CKestrelMediaApp::Get(), &app);
        ASSERT_NE(app.GetDocument(), nullptr);
        EXPECT_NE(app.GetDocument()->GetProject(), nullptr);
        EXPECT_EQ(CPlayer::Instance(), &app.GetPlayer());
        EXPECT_EQ(__GetMessageHandler(), app.GetMessageMng());
        EXPECT_EQ(app.GetMessageMng()->GetHandler(), app.GetDocument());
        EXPECT_NE(SourceShell::GetProgressDlgFactory(), nullptr);
        EXPECT_NE(SourceShell::GetActiveDocument(), nullptr);
        EXPECT_NE(SourceShell::GetFileBrowser(), nullptr);
        EXPECT_NE(SourceShell::GetWaitCursor(), nullptr);
        EXPECT_NE(dynamic_cast<CShellGridDialogs*>(GetGridDialogs()), nullptr);
        EXPECT_NE(app.GetMainFrame(), nullptr);
        EXPECT_EQ(app.GetContextMenus().Entries().size(), 13u);

        // The model's error report reaches the document's listeners.
        shelltest::RecordingListener listener;
        app.GetDocument()->AddListener(&listener);
        SourceShell::GetActiveDocument()->ReportError(L"probe failed");
        EXPECT_EQ(listener.events, (std::vector<std::wstring>{L"msg|8|probe failed"}));
        app.ExitInstance();
    }
    EXPECT_EQ(CKestrelMediaApp::Get(), nullptr);
    EXPECT_EQ(__GetMessageHandler(), nullptr);
    EXPECT_EQ(CPlayer::Instance(), nullptr);
    EXPECT_EQ(SourceShell::GetActiveDocument(), nullptr);
    EXPECT_EQ(SourceShell::GetProgressDlgFactory(), nullptr);
    EXPECT_EQ(GetGridDialogs(), nullptr);
}

TEST(AppStartup, RecentProjectIsReopenedAndACommandLineFileThatFailsKeepsTheProgramRunning)
{
    CSettingsStore::Instance().SetInt(L"Settings", L"AutoCheck", 0);
    std::filesystem::path dir = shelltest::TestFolder("AppStartupRecent");
    std::wstring project = Utf8ToWide((dir / "recent.km").string());
    {
        CKestrelMediaApp app;
        ASSERT_TRUE(app.InitInstance(Options()));
        app.GetDocument()->GetProject()->InputFiles().AddFile(L"/m/a.mp4");
        ASSERT_TRUE(app.GetDocument()->OnSaveDocument(project));
        app.GetRecentFiles().Add(project);
        app.ExitInstance();
    }
    {
        CKestrelMediaApp app;
        ASSERT_TRUE(app.InitInstance(Options()));
        EXPECT_EQ(app.GetStartupDecision().kind, StartupDecision::Kind::OpenRecent);
        EXPECT_EQ(app.GetDocument()->GetPathName(), project);
        EXPECT_EQ(app.GetDocument()->GetProject()->InputFiles().GetCount(), 1u);
        app.ExitInstance();
    }
    {
        kmtest::ModalHook hook;
        hook.AnswerMessageBox(wxID_OK);  // the document's "could not be opened": one message, not two
        CKestrelMediaApp app;
        std::wstring bad = Utf8ToWide((dir / "missing.km").string());
        ASSERT_TRUE(app.InitInstance(Options(bad)));  // still running
        EXPECT_EQ(app.GetStartupDecision().kind, StartupDecision::Kind::OpenCommandLine);
        EXPECT_TRUE(app.GetDocument()->GetPathName().empty());  // a new untitled project
        EXPECT_EQ(hook.Count(), 1);
        EXPECT_EQ(hook.Unexpected(), 0);
        app.ExitInstance();
    }
}

TEST(AppStartup, TheUpdateCheckStartsWithTheProgramAndAnExitDuringItsExchangeEndsIt)
{
    kmtest::CLocalHttpServer server;
    server.SetReply("/scripts/updates.php", {200, "", true});  // never answers
    CSettingsStore::Instance().SetInt(L"Settings", L"AutoCheck", 1);
    CSettingsStore::Instance().SetString(L"Settings", L"UpdateServer", Utf8ToWide(server.BaseUrl()));
    {
        CKestrelMediaApp app;
        ASSERT_TRUE(app.InitInstance(Options()));
        EXPECT_TRUE(server.WaitForRequests("/scripts/updates.php", 1));  // asked at start
        app.ExitInstance();  // cancels the exchange and joins the thread
        EXPECT_EQ(CKestrelMediaApp::Get(), nullptr);
    }
    CSettingsStore::Instance().SetInt(L"Settings", L"AutoCheck", 0);
    {
        CKestrelMediaApp app;
        ASSERT_TRUE(app.InitInstance(Options()));
        app.ExitInstance();
    }
    EXPECT_EQ(server.RequestCount("/scripts/updates.php"), 1);  // "AutoCheck" off: no second check
}

TEST(AppStartup, ClosingTheMainWindowFirstLeavesACleanExit)
{
    CSettingsStore::Instance().SetInt(L"Settings", L"AutoCheck", 0);
    CKestrelMediaApp app;
    ASSERT_TRUE(app.InitInstance(Options()));
    ASSERT_NE(app.GetMainFrame(), nullptr);
    app.GetMainFrame()->Close(true);  // as the user does; nothing modified, so no question
    ASSERT_TRUE(kmtest::PumpUntil([&] { return app.GetMainFrame() == nullptr; }));
    app.ExitInstance();
    EXPECT_EQ(CKestrelMediaApp::Get(), nullptr);
}

}  // namespace
