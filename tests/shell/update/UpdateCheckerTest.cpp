// The update thread and what the user is told, with a local server and a
// stand-in for the user-interface thread.
#include "UpdateTestSupport.h"
#include "shell/update/UpdateNotice.h"
#include "shell/update/UpdateVersion.h"
#include "platform/TextConv.h"
#include <chrono>
#include <fstream>

using kmtest::CLocalHttpServer;
using kmtest::CQueuePoster;
using kmtest::CRecordingMessages;
using kmtest::Shown;

namespace {
const char* const kVersionPath = "/scripts/updates.php";
const char* const kNewsPath = "/scripts/auto_news.php";

std::string NewerText()
{
    VersionNumbers v = *ParseVersionText(GetOwnVersionText());
    v[0] += 1;
    return std::to_string(v[0]) + "." + std::to_string(v[1]) + "." + std::to_string(v[2]);
}
std::wstring Wide(const std::string& s)
{
    return std::wstring(s.begin(), s.end());
}
std::wstring LastResponse()
{
    return CSettingsStore::Instance().GetString(L"Settings", L"LastResponse", L"(none)");
}
}  // namespace

TEST(UpdateNoticeTest, AutomaticCheckSpeaksOnlyOfAnswersNewToTheUser)
{
    struct Case {
        int result;
        const wchar_t* answer;
        const wchar_t* last;
        uint32_t id;
        bool store;
    };
    const Case cases[] = {
        {UPDATE_UP_TO_DATE, L"1.0.0", L"1.0.0", 0, false},
        {UPDATE_NEWER, L"2.0.1", L"1.0.0", 417, true},
        {UPDATE_NEWER, L"2.0.1", L"2.0.1", 0, false},
        {UPDATE_UP_TO_DATE, L"0.9.0", L"1.0.0", 416, true},
        {UPDATE_CHECK_FAILED, L"", L"1.0.0", 0, false},
    };
    for (const Case& c : cases) {
        const UpdateNotice n = DecideAutoNotice(c.result, c.answer, c.last);
        EXPECT_EQ(n.stringId, c.id) << c.result << " " << WideToUtf8(c.answer);
        EXPECT_EQ(n.storeAnswer, c.store);
        EXPECT_FALSE(n.error);
    }
}

TEST(UpdateNoticeTest, ManualCheckAlwaysSays)
{
    EXPECT_EQ(DecideManualNotice(UPDATE_CHECK_FAILED).stringId, 415u);
    EXPECT_TRUE(DecideManualNotice(UPDATE_CHECK_FAILED).error);
    EXPECT_FALSE(DecideManualNotice(UPDATE_CHECK_FAILED).storeAnswer);
    EXPECT_EQ(DecideManualNotice(UPDATE_UP_TO_DATE).stringId, 416u);
    EXPECT_EQ(DecideManualNotice(UPDATE_NEWER).stringId, 417u);
    EXPECT_TRUE(DecideManualNotice(UPDATE_NEWER).storeAnswer);
}

class UpdateCheckerTest : public kmtest::UpdateTestBase {
protected:
    // One start of the program: the automatic check, run to its end.
    void RunAutoCheck()
    {
        CUpdateChecker checker(Service(server.BaseUrl()), poster, messages);
        const int before = messages.autoDone;
        ASSERT_TRUE(checker.StartAuto());
        ASSERT_TRUE(poster.RunUntil([&] { return messages.autoDone > before; }));
    }
    void RunManualCheck(CUpdateChecker& checker)
    {
        const int before = messages.manualDone;
        checker.CheckNow();
        ASSERT_TRUE(poster.RunUntil([&] { return messages.manualDone > before; }));
    }

    CLocalHttpServer server;
    CQueuePoster poster;
    CRecordingMessages messages;
};

TEST_F(UpdateCheckerTest, SameVersionAtStartSaysNothing)
{
    server.SetReply(kVersionPath, {200, WideToUtf8(GetOwnVersionText()), false});
    RunAutoCheck();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(LastResponse(), L"(none)");
}

TEST_F(UpdateCheckerTest, NewerVersionIsAnnouncedOnceAcrossStarts)
{
    server.SetReply(kVersionPath, {200, NewerText() + "\r\n", false});
    server.SetReply(kNewsPath, {200, "<html>news</html>", false});
    RunAutoCheck();
    RunAutoCheck();
    EXPECT_EQ(messages.shown, (std::vector<Shown>{{417, false}}));
    EXPECT_EQ(LastResponse(), Wide(NewerText()));
    EXPECT_EQ(server.RequestCount(kVersionPath), 2);
    EXPECT_EQ(server.RequestCount(kNewsPath), 2);
    EXPECT_TRUE(std::filesystem::exists(NewsPath()));
}

TEST_F(UpdateCheckerTest, OlderVersionIsNeverAnnouncedAsAnotherVersion)
{
    server.SetReply(kVersionPath, {200, "0.0.0", false});
    RunAutoCheck();
    RunAutoCheck();
    EXPECT_EQ(messages.shown, (std::vector<Shown>{{416, false}}));
    CUpdateChecker checker(Service(server.BaseUrl()), poster, messages);
    RunManualCheck(checker);
    EXPECT_EQ(messages.shown.back(), (Shown{416, false}));
}

TEST_F(UpdateCheckerTest, FailedAutomaticCheckIsSilentAndKeepsTheNews)
{
    std::filesystem::create_directories(NewsPath().parent_path());
    std::ofstream(NewsPath()) << "old news";
    server.SetReply(kVersionPath, {404, NewerText(), false});
    server.SetReply(kNewsPath, {404, "<html>gone</html>", false});
    RunAutoCheck();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(LastResponse(), L"(none)");
    std::ifstream f(NewsPath());
    std::string text;
    std::getline(f, text);
    EXPECT_EQ(text, "old news");
}

TEST_F(UpdateCheckerTest, ManualCheckTellsEveryTimeAndRunsOffTheCallersThread)
{
    server.SetReply(kVersionPath, {200, NewerText(), false});
    CUpdateChecker checker(Service(server.BaseUrl()), poster, messages);
    RunManualCheck(checker);
    RunManualCheck(checker);
    EXPECT_EQ(messages.shown, (std::vector<Shown>{{417, false}, {417, false}}));
    EXPECT_EQ(LastResponse(), Wide(NewerText()));
    // The news page came first, as the manual check orders it.
    EXPECT_EQ(server.RequestCount(kNewsPath), 2);

    // A stalled server: CheckNow returns at once and nothing is told until it ends.
    server.SetReply(kNewsPath, {200, "", true});
    checker.CheckNow();
    ASSERT_TRUE(server.WaitForRequests(kNewsPath, 3));
    poster.Drain();
    EXPECT_EQ(messages.shown.size(), 2u);
}

TEST_F(UpdateCheckerTest, ManualCheckWithoutAServerSaysItFailed)
{
    const std::string url = "http://127.0.0.1:" + std::to_string(CLocalHttpServer::ClosedPort()) + "/";
    CUpdateChecker checker(Service(url), poster, messages);
    RunManualCheck(checker);
    EXPECT_EQ(messages.shown, (std::vector<Shown>{{415, true}}));
    EXPECT_EQ(LastResponse(), L"(none)");
}

TEST_F(UpdateCheckerTest, AutoCheckOffStartsNothing)
{
    CSettingsStore::Instance().SetInt(L"Settings", L"AutoCheck", 0);
    CUpdateChecker checker(Service(server.BaseUrl()), poster, messages);
    EXPECT_FALSE(checker.StartAuto());
    checker.Shutdown();
    EXPECT_EQ(server.RequestCount(kVersionPath), 0);
}

TEST_F(UpdateCheckerTest, ExitWhileTheServerHangsEndsPromptly)
{
    server.SetReply(kVersionPath, {200, "9.9.9", true});
    HttpGetLimits slow;
    slow.connectTimeoutMs = 120000;
    slow.totalTimeoutMs = 120000;
    CUpdateChecker checker(CUpdateService(server.BaseUrl(), NewsPath(), slow), poster, messages);
    ASSERT_TRUE(checker.StartAuto());
    checker.CheckNow();  // queued behind the hanging one
    ASSERT_TRUE(server.WaitForRequests(kVersionPath, 1));
    const auto start = std::chrono::steady_clock::now();
    checker.Shutdown();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    poster.Drain();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(messages.autoDone + messages.manualDone, 0);
    EXPECT_EQ(server.RequestCount(kNewsPath), 0);
}

TEST_F(UpdateCheckerTest, OutcomeArrivingAfterShutdownIsDropped)
{
    server.SetReply(kVersionPath, {200, NewerText(), false});
    {
        CUpdateChecker checker(Service(server.BaseUrl()), poster, messages);
        checker.StartAuto();
        ASSERT_TRUE(server.WaitForRequests(kNewsPath, 1));
        checker.Shutdown();
    }
    poster.Drain();  // the checker is gone: its queued tasks do nothing
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(LastResponse(), L"(none)");
}
