// The conversion road of the document: how engine flags and events become log
// lines, progress and state, and how start, pause, resume and stop drive the
// project's job and the elapsed time.
#include "ShellTestSupport.h"
#include "document/KestrelMediaDoc.h"
#include "document/ShellStrings.h"
#include <gtest/gtest.h>

using namespace shelltest;
using Events = std::vector<std::wstring>;
namespace fs = std::filesystem;

namespace {

std::wstring Msg(DWORD code, const std::wstring& text)
{
    wchar_t hex[16];
    std::swprintf(hex, 16, L"%X", static_cast<unsigned>(code));
    return L"msg|" + std::wstring(hex) + L"|" + text;
}

std::wstring Elapsed(const std::wstring& time)
{
    return Msg(LOG_PLAIN, ShellText(IDS_RUN_ELAPSED, {TextArg(time)}));
}

// Exposes the engine side of the document to the tables.
class TestDoc : public CKestrelMediaDoc {
public:
    explicit TestDoc(CMessageMng* mng, IRunClock* clock) : CKestrelMediaDoc(mng, nullptr, nullptr, clock)
    {
        OnNewDocument();
        SetConvertingSetter([this](bool on) { converting = on; });
    }
    using CKestrelMediaDocProcessing::HandleNotifyMessage;
    using CKestrelMediaDocProcessing::OnEngineMessage;
    bool converting = false;
};

class DocProcessing : public ::testing::Test {
protected:
    DocProcessing() : doc(nullptr, &clock) { doc.AddListener(&listener); }

    ResourceScope resources;
    FakeClock clock;
    TestDoc doc;
    RecordingListener listener;
};

TEST_F(DocProcessing, EngineFlagsDecideInFixedOrder)
{
    const std::wstring t = L"text";
    const std::wstring end = Msg(LOG_PLAIN, ShellText(IDS_RUN_END));
    struct Case {
        DWORD flags;
        Events expected;
    } cases[] = {
        {0x400 | 0x100, {Msg(0x400, t)}},  // passed on; the job is not treated as finished
        {0x120, {end, Elapsed(L"00:00"), L"finished"}},  // finished, and no file counted
        {0x40 | 0x02, {}},
        {0x40 | 0x80, {}},
        {0x40 | 0x200, {}},
        {0x40 | 0x20, {}},
        {0x40 | 0x08, {}},
        {0x40 | 0x10, {}},
        {0x02, {end, Elapsed(L"00:00"), L"aborted"}},
        {0x80, {Msg(LOG_PLAIN, ShellText(IDS_ENGINE_TEXT, {TextArg(t)}))}},
        {0x200, {Msg(LOG_NOTE, ShellText(IDS_ENGINE_NOTE, {TextArg(t)}))}},
        {0x20, {Msg(LOG_FILE_DONE, ShellText(IDS_FILE_DONE)), L"done|1"}},
        {0x08, {Msg(8, t)}},
        {0x10, {Msg(16, t)}},
        {0x00, {Msg(0, t)}},
        {0x01, {Msg(1, t)}},
        {0x04, {Msg(4, t)}},
        {0x1000, {Msg(0x1000, t)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "flags 0x" << std::hex << c.flags);
        TestDoc fresh(nullptr, &clock);
        RecordingListener heard;
        fresh.AddListener(&heard);
        fresh.OnTextMessage(t.c_str(), c.flags);
        EXPECT_EQ(heard.events, c.expected);
        EXPECT_EQ(fresh.GetFilesDone(), c.flags == 0x20 ? 1 : 0);
    }
}

TEST_F(DocProcessing, ProgressEventsFollowJobPartAndPassWeights)
{
    struct Step {
        DWORD id, value, extra;
        Events expected;
    } steps[] = {
        {MSGE_FILE_POS, 1000, 0, {}},  // no file total yet: the progress stays
        {MSGE_NEW_JOB, 100, 5000, {L"range|5000", L"pos|100"}},
        {MSGE_FILE_POS, 1000, 2000, {L"pos|350"}},      // half a file = 250 units
        {MSGE_FILE_POS, 2000, 0, {L"pos|600"}},         // total 2000 still known
        {MSGE_PASS, 500000, 0, {}},                     // 500 units done, next pass at half weight
        {MSGE_FILE_POS, 1000, 0, {L"pos|725"}},         // 100 + 125 + 500
        {MSGE_PASS, 0xFFFFFFFFu, 0, {}},                // weight 1, passes forgotten
        {MSGE_FILE_POS, 2000, 0, {L"pos|600"}},
        {MSGE_NEXT_PART, 600, 3000, {L"range|3000", L"pos|700"}},
        {MSGE_FILE_POS, 2000, 0, {L"pos|1200"}},        // job base + part base + 500
        {MSGE_PROGRESS_POS, 42, 0, {L"pos|42"}},
        {9999, 1, 2, {}},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << "event " << s.id << " value " << s.value);
        doc.OnNotifyMessage(s.id, s.value, s.extra);
        EXPECT_EQ(listener.Take(), s.expected);
    }
}

TEST_F(DocProcessing, TextEventsGoThroughTheEngineMessageRules)
{
    doc.OnNotifyText(MSGE_ENGINE_TEXT, L"x", 0);
    doc.OnNotifyText(MSGE_TEXT_FLAGS, L"y", MSGF_WARNING);
    doc.OnNotifyText(MSGE_TEXT_FLAGS, L"z", 0);  // not handled: nothing is broadcast
    EXPECT_EQ(listener.Take(), (Events{Msg(LOG_PLAIN, ShellText(IDS_ENGINE_TEXT, {TextArg(L"x")})), Msg(16, L"y")}));
}

TEST_F(DocProcessing, ListenersHearBroadcastsInRegistrationOrder)
{
    RecordingListener second;
    std::vector<std::wstring> order;
    struct Tagging : RecordingListener {
        Tagging(std::vector<std::wstring>& o, std::wstring tag) : order(o), tag(std::move(tag)) {}
        void ClearMessages() override { order.push_back(tag); }
        std::vector<std::wstring>& order;
        std::wstring tag;
    } a(order, L"a"), b(order, L"b");
    TestDoc d(nullptr, &clock);
    d.AddListener(&a);
    d.AddListener(&b);
    d.AddListener(&a);  // already there
    d.BroadcastClearMessages();
    EXPECT_EQ(order, (std::vector<std::wstring>{L"a", L"b"}));
    d.ReportError(L"bad");
    EXPECT_EQ(a.events, (Events{Msg(8, L"bad")}));
}

TEST_F(DocProcessing, PauseAndStopDoNothingWhileIdle)
{
    doc.PauseConversion();
    doc.StopConversion();
    EXPECT_TRUE(listener.events.empty());  // no stop line, no file counted
    EXPECT_EQ(doc.GetRunState(), CRunManager::kIdle);
}

// A project with one generated clip and the video output on, so the real job
// is made and filled; the runner only counts.
class DocRun : public DocProcessing {
protected:
    DocRun()
    {
        clip = AddClipToConvert(*doc.GetProject(),
                                TestFolder(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    }

    FakeRunnerScope runner;
    std::filesystem::path clip;
};

TEST_F(DocRun, StartPauseResumeTwiceStopCountsOnlyRunningStretches)
{
    ASSERT_FALSE(clip.empty());
    ASSERT_EQ(doc.StartConversion(), S_OK);
    EXPECT_EQ(doc.GetRunState(), CRunManager::kRunning);
    EXPECT_TRUE(doc.converting);
    EXPECT_EQ(FakeRunnerScope::counts.runs, 1);
    Events started = listener.Take();
    ASSERT_EQ(started.size(), 3u);
    EXPECT_EQ(started[0], L"clear");
    EXPECT_EQ(started[1], L"done|0");
    EXPECT_EQ(started[2].rfind(L"msg|1|", 0), 0u);

    EXPECT_EQ(doc.StartConversion(), S_FALSE);  // already running: nothing happens
    EXPECT_TRUE(listener.Take().empty());

    clock.tick += 3000;  // run 3 s
    doc.PauseConversion();
    EXPECT_EQ(doc.GetRunState(), CRunManager::kPaused);
    EXPECT_EQ(FakeRunnerScope::counts.pauses, 1);
    clock.tick += 60000;  // paused a minute
    doc.PauseConversion();  // resume
    EXPECT_EQ(doc.GetRunState(), CRunManager::kRunning);
    clock.tick += 2000;
    doc.PauseConversion();
    clock.tick += 9000;
    EXPECT_EQ(doc.StartConversion(), S_OK);  // the start command resumes as well
    EXPECT_EQ(FakeRunnerScope::counts.runs, 3);
    EXPECT_EQ(FakeRunnerScope::counts.inits, 1);  // the same job throughout
    clock.tick += 1500;
    Events middle = listener.Take();
    const std::wstring pause = Msg(LOG_PAUSE, ShellText(IDS_RUN_PAUSE));
    const std::wstring resume = Msg(LOG_PLAIN, ShellText(IDS_RUN_RESUME));
    EXPECT_EQ(middle, (Events{pause, resume, pause, resume}));  // no start line, no clearing

    doc.StopConversion();
    EXPECT_EQ(listener.Take(), (Events{Msg(LOG_PLAIN, ShellText(IDS_RUN_STOP)), Elapsed(L"00:06"), L"done|0"}));
    EXPECT_EQ(doc.GetRunState(), CRunManager::kIdle);
    EXPECT_FALSE(doc.GetProject()->m_job);
    EXPECT_EQ(FakeRunnerScope::counts.live, 0);
    EXPECT_FALSE(doc.converting);
}

TEST_F(DocRun, StopWhilePausedCountsNothingSinceThePause)
{
    ASSERT_EQ(doc.StartConversion(), S_OK);
    clock.tick += 4000;
    doc.PauseConversion();
    clock.tick += 100000;
    listener.Take();
    doc.StopConversion();
    EXPECT_EQ(listener.Take(), (Events{Msg(LOG_PLAIN, ShellText(IDS_RUN_STOP)), Elapsed(L"00:04"), L"done|0"}));
}

TEST_F(DocRun, FinishedJobIsReleasedAndTheRunEnds)
{
    ASSERT_EQ(doc.StartConversion(), S_OK);
    doc.OnTextMessage(L"", MSGF_FILE_DONE);
    clock.tick += 65000;
    listener.Take();
    doc.OnTextMessage(L"", MSGF_FINISHED);
    EXPECT_EQ(listener.Take(), (Events{Msg(LOG_PLAIN, ShellText(IDS_RUN_END)), Elapsed(L"00:01:05"), L"finished"}));
    EXPECT_EQ(doc.GetFilesDone(), 1);
    EXPECT_EQ(doc.GetRunState(), CRunManager::kIdle);
    EXPECT_FALSE(doc.GetProject()->m_job);
    EXPECT_EQ(FakeRunnerScope::counts.live, 0);
    EXPECT_FALSE(doc.converting);
}

TEST_F(DocRun, TheEndOfARunSaysHowManyWereConvertedLeftOutAndCutShort)
{
    struct Case {
        DWORD converted, total, shortened;
        DWORD code;            // of the summary line
        const wchar_t* holds;  // a part of its text
        bool plain;
    } cases[] = {
        {2, 2, 0, LOG_PLAIN, L"2 of 2", true},
        {0, 3, 0, LOG_ERROR, L"Left out: 3", false},
        {1, 2, 0, LOG_ERROR, L"Left out: 1", false},
        {2, 2, 1, LOG_WARNING, L"source", false},
        {1, 3, 1, LOG_ERROR, L"Left out: 2", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.converted << " of " << c.total << ", " << c.shortened << " short");
        ASSERT_EQ(doc.StartConversion(), S_OK);
        listener.Take();
        doc.OnNotifyMessage(MSGE_RUN_COUNTS, c.converted, c.total);
        doc.OnNotifyMessage(MSGE_RUN_SHORTENED, c.shortened, 0);
        doc.OnTextMessage(L"", MSGF_FINISHED);
        const Events heard = listener.Take();
        ASSERT_EQ(heard.size(), 4u);
        EXPECT_EQ(heard[2], Msg(c.code, doc.GetRunSummary().Text()));
        EXPECT_NE(heard[2].find(c.holds), std::wstring::npos) << heard[2];
        EXPECT_EQ(heard[3], L"finished");
        EXPECT_EQ(doc.GetRunSummary().IsPlainSuccess(), c.plain);
    }
}

TEST_F(DocRun, FailedStartRestoresStateAndSaysWhy)
{
    FakeRunnerScope::counts.runResult = E_ACCESSDENIED;
    EXPECT_EQ(doc.StartConversion(), E_ACCESSDENIED);
    EXPECT_EQ(doc.GetRunState(), CRunManager::kIdle);
    EXPECT_FALSE(doc.GetProject()->m_job);
    EXPECT_FALSE(doc.converting);
    Events heard = listener.Take();
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(heard.back(), Msg(LOG_ERROR, ShellText(IDS_RUN_START_FAILED, CauseArgs(E_ACCESSDENIED))));
    EXPECT_NE(heard.back().find(L"access is denied"), std::wstring::npos);
    EXPECT_NE(heard.back().find(L"0x80070005"), std::wstring::npos);
}

TEST_F(DocRun, FailedResumeStaysPaused)
{
    ASSERT_EQ(doc.StartConversion(), S_OK);
    doc.PauseConversion();
    FakeRunnerScope::counts.runResult = E_FAIL;
    EXPECT_EQ(doc.StartConversion(), E_FAIL);
    EXPECT_EQ(doc.GetRunState(), CRunManager::kPaused);
    EXPECT_TRUE(doc.GetProject()->m_job);
    EXPECT_TRUE(doc.converting);  // the paused job is still there
    doc.StopConversion();
    EXPECT_FALSE(doc.converting);
}

TEST_F(DocRun, NothingToConvertFailsWithoutAJob)
{
    doc.GetProject()->InputFiles().RemoveFiles(-1);
    EXPECT_LT(doc.StartConversion(), 0);
    EXPECT_EQ(doc.GetRunState(), CRunManager::kIdle);
    EXPECT_FALSE(doc.GetProject()->m_job);
    EXPECT_EQ(FakeRunnerScope::counts.live, 0);
}

TEST_F(DocRun, NewAndOpenStopARunningConversionFirst)
{
    ASSERT_EQ(doc.StartConversion(), S_OK);
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(FakeRunnerScope::counts.stops, 1);
    EXPECT_EQ(FakeRunnerScope::counts.live, 0);
    EXPECT_FALSE(doc.converting);
    EXPECT_EQ(doc.GetRunState(), CRunManager::kIdle);
}

}  // namespace
