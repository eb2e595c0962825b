// A plain batch converts several files side by side: its messages still come
// in the order of the files, from one thread, and a stop ends every file under
// way without leaving a partial output.
#include "JobTestUtil.h"
#include "RecordingHandler.h"
#include "mediaeng/job/run/BatchRunner.h"
#include "mediaeng/job/operations/JobMessages.h"
#include "platform/TextConv.h"
#include <mutex>
#include <set>
#include <thread>

namespace {

using namespace jobtest;
using mediaeng::job::CBatchRunner;

// Records which thread sends each message, beside what it sends.
class ThreadCheckingHandler final : public IMsgHandler {
public:
    CRecordingHandler lines;
    std::mutex mutex;
    std::set<std::thread::id> threads;
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT OnTextMessage(const wchar_t* text, DWORD flags) override
    {
        Note();
        return lines.OnTextMessage(text, flags);
    }
    HRESULT OnNotifyMessage(DWORD id, DWORD value, DWORD extra) override
    {
        Note();
        return lines.OnNotifyMessage(id, value, extra);
    }

private:
    void Note()
    {
        std::lock_guard<std::mutex> lk(mutex);
        threads.insert(std::this_thread::get_id());
    }
};

// Sources of falling length, so later files would end first.
mediaeng::job::CJobSettings FallingBatch(const fs::path& dir, int files)
{
    mediaeng::job::CJobSettings settings;
    for (int i = 0; i < files; ++i) {
        fixtures::ClipDesc desc;
        desc.seconds = 0.4 * (files - i);
        const fs::path clip = fixtures::WriteClip(dir / "src" / ("clip" + std::to_string(i) + ".mkv"), desc);
        mediaeng::job::CJobSource s;
        s.path = Utf8ToWide(clip.string());
        s.duration = desc.seconds;
        settings.sources.push_back(s);
    }
    settings.output.naming.destinationFolder = Utf8ToWide((dir / "out").string());
    return settings;
}

// The index of the clip a line names, -1 for none.
int ClipOf(const std::wstring& text)
{
    const size_t at = text.find(L"clip");
    return at == std::wstring::npos ? -1 : int(text[at + 4] - L'0');
}

TEST(BatchSideBySide, LinesComeInTheOrderOfTheFilesFromOneThread)
{
    const fs::path dir = TestFolder();
    const mediaeng::job::CJobSettings settings = FallingBatch(dir, 5);
    ThreadCheckingHandler handler;
    CBatchRunner runner;
    ASSERT_EQ(runner.Start(settings, &handler), S_OK);
    ASSERT_EQ(runner.Wait(120000), S_OK);
    EXPECT_EQ(runner.Result(), S_OK);
    EXPECT_EQ(handler.threads.size(), 1u);

    // Start, link, file line for each clip in turn, then the summary.
    std::vector<std::pair<DWORD, int>> got;
    for (const auto& l : handler.lines.Lines()) got.emplace_back(l.flags, ClipOf(l.text));
    std::vector<std::pair<DWORD, int>> want;
    for (int i = 0; i < 5; ++i) {
        want.emplace_back(MSGF_START, i);
        want.emplace_back(MSGF_ENGINE_TEXT, i);
        want.emplace_back(MSGF_FILE_DONE, i);
    }
    want.emplace_back(MSGF_FINISHED, -1);
    EXPECT_EQ(got, want);
    DWORD last = 0;
    for (const auto& e : handler.lines.Events()) {
        if (e.id != MSGE_FILE_POS) continue;
        EXPECT_GE(e.value, last);
        last = e.value;
    }
    EXPECT_EQ(last, mediaeng::job::kProgressScale);
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(fixtures::ReadMedia(dir / "out" / ("clip" + std::to_string(i) + ".mp4")).ok) << i;
}

TEST(BatchSideBySide, StopEndsEveryFileUnderWay)
{
    const fs::path dir = TestFolder();
    const mediaeng::job::CJobSettings settings = FallingBatch(dir, 4);
    ThreadCheckingHandler handler;
    CBatchRunner runner;
    ASSERT_EQ(runner.Start(settings, &handler), S_OK);
    for (int i = 0; i < 2000 && handler.lines.Events().size() < 4; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    ASSERT_EQ(runner.Stop(), S_OK);
    EXPECT_EQ(runner.Result(), E_ABORT);
    EXPECT_EQ(handler.lines.Count(MSGF_ABORTED), 1);
    EXPECT_EQ(handler.lines.Count(MSGF_FINISHED), 0);
    EXPECT_EQ(handler.threads.size(), 1u);
    // Starts name the files in order; every file linked exists whole, and
    // nothing else is left in the folder.
    int nextStart = 0, linked = 0;
    for (const auto& l : handler.lines.Lines()) {
        if (l.flags & MSGF_START) {
            EXPECT_EQ(ClipOf(l.text), nextStart++);
        }
        if (l.flags & MSGF_FILE_DONE) {
            ++linked;
            EXPECT_TRUE(fixtures::ReadMedia(WideToUtf8(l.text)).ok);
        }
    }
    int files = 0;
    if (fs::exists(dir / "out"))
        for (auto it = fs::directory_iterator(dir / "out"); it != fs::directory_iterator(); ++it) ++files;
    EXPECT_EQ(files, linked);
}

}  // namespace
