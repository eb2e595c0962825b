// A batch on the worker thread: order, failures that do not end the batch,
// pause and resume, stop, progress and the end of the run.
#include "JobTestUtil.h"
#include "RecordingHandler.h"
#include "mediaeng/job/run/BatchRunner.h"
#include "mediaeng/job/operations/JobMessages.h"
#include "platform/LogLinkText.h"
#include "platform/TextConv.h"
#include <algorithm>
#include <thread>

namespace {

using namespace jobtest;
using mediaeng::job::CBatchRunner;
using mediaeng::job::EBatchState;

mediaeng::job::CJobSource SourceOf(const fs::path& file, double duration = 2.0)
{
    mediaeng::job::CJobSource s;
    s.path = Utf8ToWide(file.string());
    s.duration = duration;
    return s;
}

TEST(BatchRunner, DamagedSourceBetweenTwoGoodOnesGivesTwoOutputsAndOneError)
{
    const fs::path dir = TestFolder();
    const fixtures::FixtureSet set = fixtures::WriteFixtureSet(dir / "src");
    mediaeng::job::CJobSettings settings;
    settings.sources = {SourceOf(set.avi), SourceOf(set.textAsMp4), SourceOf(set.mkv)};
    settings.output.naming.destinationFolder = Utf8ToWide((dir / "out" / "new").string());  // created on demand

    CRecordingHandler handler;
    CBatchRunner runner;
    ASSERT_EQ(runner.Start(settings, &handler), S_OK);
    ASSERT_EQ(runner.Wait(60000), S_OK);
    EXPECT_EQ(runner.State(), EBatchState::kDone);
    EXPECT_EQ(runner.Result(), S_FALSE);

    EXPECT_TRUE(fixtures::ReadMedia(dir / "out" / "new" / "clip.mp4").ok);
    EXPECT_EQ(handler.Count(MSGF_ERROR), 1);
    EXPECT_EQ(handler.Count(MSGF_START), 3);
    EXPECT_EQ(handler.Count(MSGF_FILE_DONE), 2);
    EXPECT_EQ(handler.Count(MSGF_FINISHED), 1);
    EXPECT_EQ(handler.Count(MSGF_ABORTED), 0);
    int files = 0;
    for (auto it = fs::directory_iterator(dir / "out" / "new"); it != fs::directory_iterator(); ++it) ++files;
    EXPECT_EQ(files, 2);  // clip.mp4 and clip_01.mp4 (both sources are named "clip")
    EXPECT_TRUE(fs::exists(dir / "out" / "new" / "clip_01.mp4"));

    const auto lines = handler.Lines();
    for (const auto& l : lines) {
        if (l.flags & MSGF_ERROR) {
            EXPECT_NE(l.text.find(L"text.mp4"), std::wstring::npos) << WideToUtf8(l.text);
        }
    }
    // Order: the first source's link line comes before the second start line.
    size_t firstLink = lines.size(), secondStart = lines.size();
    int starts = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if ((lines[i].flags & MSGF_ENGINE_TEXT) && firstLink == lines.size()) firstLink = i;
        if ((lines[i].flags & MSGF_START) && ++starts == 2) secondStart = i;
    }
    EXPECT_LT(firstLink, secondStart);
    EXPECT_NE(lines[firstLink].text.find(L"#*link*#clip.mp4#*#"), std::wstring::npos);
    EXPECT_EQ(lines.back().flags, DWORD(MSGF_FINISHED));

    // Progress: starts with the range, climbs, ends at the whole bar.
    const auto events = handler.Events();
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events.front().id, DWORD(MSGE_NEW_JOB));
    EXPECT_EQ(events.front().extra, mediaeng::job::kProgressRange);
    DWORD last = 0;
    for (const auto& e : events) {
        if (e.id != MSGE_FILE_POS) continue;
        EXPECT_GE(e.value, last);
        last = e.value;
    }
    EXPECT_EQ(last, mediaeng::job::kProgressScale);
}

TEST(BatchRunner, PauseHoldsAndRunResumes)
{
    const fs::path dir = TestFolder();
    fixtures::ClipDesc desc;
    desc.seconds = 6;
    const fs::path src = fixtures::WriteClip(dir / "long.mkv", desc);
    mediaeng::job::CJobSettings settings;
    settings.sources = {SourceOf(src, 6)};
    settings.output.naming.destinationFolder = Utf8ToWide((dir / "out").string());
    CRecordingHandler handler;
    CBatchRunner runner;
    ASSERT_EQ(runner.Start(settings, &handler), S_OK);
    ASSERT_EQ(runner.Pause(), S_OK);
    EXPECT_EQ(runner.State(), EBatchState::kPaused);
    const size_t events = handler.Events().size();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(runner.Wait(0), S_FALSE);
    EXPECT_LE(handler.Events().size(), events + 2);  // at most what was under way
    EXPECT_EQ(runner.Start(settings, &handler), S_OK);
    EXPECT_EQ(runner.State(), EBatchState::kRunning);
    ASSERT_EQ(runner.Wait(60000), S_OK);
    EXPECT_EQ(runner.Result(), S_OK);
    EXPECT_EQ(fixtures::ReadMedia(dir / "out" / "long.mp4").frames, 150);
}

TEST(BatchRunner, StopMidFileLeavesNoPartialFileAndReportsTheAbort)
{
    const fs::path dir = TestFolder();
    fixtures::ClipDesc desc;
    desc.seconds = 8;
    const fs::path src = fixtures::WriteClip(dir / "long.mkv", desc);
    mediaeng::job::CJobSettings settings;
    settings.sources = {SourceOf(src, 8), SourceOf(src, 8)};
    settings.output.naming.destinationFolder = Utf8ToWide((dir / "out").string());
    CRecordingHandler handler;
    CBatchRunner runner;
    ASSERT_EQ(runner.Start(settings, &handler), S_OK);
    for (int i = 0; i < 500 && handler.Events().size() < 4; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_EQ(runner.Stop(), S_OK);
    EXPECT_EQ(runner.Wait(0), S_OK);  // Stop has joined the worker
    EXPECT_EQ(runner.Result(), E_ABORT);
    EXPECT_EQ(runner.State(), EBatchState::kIdle);
    EXPECT_EQ(handler.Count(MSGF_ABORTED), 1);
    EXPECT_EQ(handler.Count(MSGF_FINISHED), 0);
    EXPECT_FALSE(fs::exists(dir / "out" / "long.mp4"));
    if (fs::exists(dir / "out")) {
        EXPECT_TRUE(fs::is_empty(dir / "out"));
    }
}

TEST(BatchRunner, StopWhilePausedEndsTheRun)
{
    const fs::path dir = TestFolder();
    mediaeng::job::CJobSettings settings;
    settings.sources = {SourceOf(fixtures::WriteClip(dir / "a.mkv"))};
    settings.output.naming.destinationFolder = Utf8ToWide((dir / "out").string());
    CRecordingHandler handler;
    CBatchRunner runner;
    ASSERT_EQ(runner.Start(settings, &handler), S_OK);
    ASSERT_EQ(runner.Pause(), S_OK);
    ASSERT_EQ(runner.Stop(), S_OK);
    EXPECT_EQ(runner.Wait(0), S_OK);
    EXPECT_EQ(runner.Result(), E_ABORT);
    EXPECT_EQ(handler.Count(MSGF_ABORTED), 1);
    EXPECT_FALSE(fs::exists(dir / "out" / "a.mp4"));
}

// A handler that stops the job from inside its own callbacks, as the program
// does on an abort, must not deadlock.
class StoppingHandler final : public IMsgHandler {
public:
    CBatchRunner* runner = nullptr;
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT OnTextMessage(const wchar_t*, DWORD flags) override
    {
        if (flags & MSGF_START) runner->Stop();
        return S_OK;
    }
    HRESULT OnNotifyMessage(DWORD, DWORD, DWORD) override { return S_OK; }
};

TEST(BatchRunner, StopFromInsideTheHandlerEndsTheRun)
{
    const fs::path dir = TestFolder();
    const fs::path src = fixtures::WriteClip(dir / "a.avi");
    mediaeng::job::CJobSettings settings;
    settings.sources = {SourceOf(src)};
    StoppingHandler handler;
    CBatchRunner runner;
    handler.runner = &runner;
    ASSERT_EQ(runner.Start(settings, &handler), S_OK);
    ASSERT_EQ(runner.Wait(30000), S_OK);
    EXPECT_EQ(runner.Result(), E_ABORT);
}

}  // namespace

namespace {

// The "Saved" line links the output whatever its name holds.
TEST(JobMessagesLinks, SavedLineLinksOddNamesWhole)
{
    const std::wstring outputs[] = {L"/o/plain.mp4", L"/o/x#*#y.mp4", L"/o/#*link*#evil#*#/etc#*#1.mp4",
                                    L"/o/*a%#%2A.mp4", L"/o/日本 été.mp4"};
    for (const std::wstring& output : outputs) {
        jobtest::CRecordingHandler handler;
        mediaeng::job::CJobMessages(&handler).FileSaved(output);
        const auto lines = handler.Lines();
        ASSERT_FALSE(lines.empty());
        const auto runs = ParseLogLine(lines[0].text);
        const auto link = std::find_if(runs.begin(), runs.end(), [](const STextTag& t) { return t.link; });
        ASSERT_NE(link, runs.end());
        EXPECT_EQ(link->text, output.substr(output.find_last_of(L'/') + 1));
        EXPECT_EQ(link->target, output);
        EXPECT_EQ(std::count_if(runs.begin(), runs.end(), [](const STextTag& t) { return t.link; }), 1);

        jobtest::CRecordingHandler starts;
        mediaeng::job::CJobMessages(&starts).FileStart(output);
        for (const STextTag& run : ParseLogLine(starts.Lines()[0].text))
            EXPECT_FALSE(run.link);
    }
}

// A run handed two sources of five: three were left out before it began.
TEST(BatchRunner, SummaryCountsTheSourcesLeftOutBeforeTheRun)
{
    const fs::path dir = TestFolder();
    mediaeng::job::CJobSettings settings;
    settings.sources = {SourceOf(fixtures::WriteClip(dir / "a.mp4")), SourceOf(fixtures::WriteClip(dir / "b.mkv"))};
    settings.leftOut = 3;
    settings.output.naming.destinationFolder = Utf8ToWide((dir / "out").string());

    CRecordingHandler handler;
    CBatchRunner runner;
    ASSERT_EQ(runner.Start(settings, &handler), S_OK);
    ASSERT_EQ(runner.Wait(60000), S_OK);
    EXPECT_EQ(handler.Count(MSGF_FILE_DONE), 2);
    EXPECT_EQ(runner.Result(), S_FALSE);  // not a plain success: files were left out
    const auto lines = handler.Lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back().flags, DWORD(MSGF_FINISHED));
    EXPECT_NE(lines.back().text.find(L"2 of 5"), std::wstring::npos) << WideToUtf8(lines.back().text);

    settings.leftOut = 0;  // all handed over and converted: plain success
    CBatchRunner again;
    ASSERT_EQ(again.Start(settings, &handler), S_OK);
    ASSERT_EQ(again.Wait(60000), S_OK);
    EXPECT_EQ(again.Result(), S_OK);
    EXPECT_NE(handler.Lines().back().text.find(L"2 of 2"), std::wstring::npos);
}
}  // namespace
