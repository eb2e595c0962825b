// The playback graph: frame-accurate seeks, the stop time, control from every
// state, and sound that plays as long as the source and with the picture.
#include "fixtures/PlaybackTestSupport.h"
#include "fixtures/MediaFixtures.h"
#include <gtest/gtest.h>
#include <atomic>
#include <cstring>
#include <fstream>
#include <thread>

using mediaeng::playback::MEDIA_GRAPH_PLAYBACK;

using namespace pbtest;
using namespace std::chrono_literals;

namespace {

fs::path Clip(const std::string& name, fixtures::ClipDesc desc = {})
{
    fs::path file = TestDir() / name;
    if (!fs::exists(file)) {
        std::string error;
        EXPECT_FALSE(fixtures::WriteClip(file, desc, &error).empty()) << error;
    }
    return file;
}

REFERENCE_TIME Ms(int ms) { return REFERENCE_TIME(ms) * 10000; }

// Counts the graph's "event queued" notes.
class CNotifyCounter : public CComObjectBase<IGraphNotify> {
public:
    void OnGraphNotify(LONG msg, LONG_PTR instance) override
    {
        if (msg == 0x478 && instance == 7) ++m_calls;
    }
    std::atomic<int> m_calls{0};
};

struct SeekCase {
    const char* clip;
    int ms;
    int counter;
};

void PrintTo(const SeekCase& c, std::ostream* os) { *os << c.clip << " at " << c.ms << " ms"; }

class PausedSeek : public ::testing::TestWithParam<SeekCase> {};

}  // namespace

// The frame shown after a paused seek is the one on screen at that time, also
// between frames and past several key frames (a key frame every 12 frames).
TEST_P(PausedSeek, ShowsTheFrameAtTheTime)
{
    const SeekCase c = GetParam();
    CRecordingSink sink;  // outlives the graph
    ComPtr<IGraphBuilder> graph = OpenGraph(Clip(c.clip), MEDIA_GRAPH_PLAYBACK);
    ASSERT_TRUE(graph);
    HookSink(graph.Get(), &sink);
    auto control = graph.As<IMediaControl>();
    control->Pause();
    ASSERT_TRUE(sink.WaitFrames(1, kHangGuard));
    sink.Reset();
    ASSERT_EQ(Seek(graph.Get(), Ms(c.ms)), S_OK);
    ASSERT_TRUE(sink.WaitFrames(1, kHangGuard));
    std::this_thread::sleep_for(100ms);  // a paused graph shows one frame only
    auto frames = sink.Frames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].counter, c.counter);
    LONGLONG pos = -1;
    graph.As<IMediaSeeking>()->GetCurrentPosition(&pos);
    EXPECT_EQ(pos, Ms(c.ms));
    ClearGraphFull(graph.Get());
}

// The AVI clip's frames after the first sit one frame late (frame n at
// (n + 1) x 40 ms) and the MKV clip's video starts 23 ms after its audio: the
// frame shown follows the file's own times.
INSTANTIATE_TEST_SUITE_P(Clips, PausedSeek,
                         ::testing::Values(SeekCase{"seek.mp4", 1000, 25}, SeekCase{"seek.mp4", 0, 0},
                                           SeekCase{"seek.mp4", 1039, 25}, SeekCase{"seek.mp4", 1979, 49},
                                           SeekCase{"seek.mp4", 520, 13}, SeekCase{"seek.avi", 1000, 24},
                                           SeekCase{"seek.avi", 999, 23}, SeekCase{"seek.mkv", 1022, 24},
                                           SeekCase{"seek.mkv", 1023, 25}),
                         [](const ::testing::TestParamInfo<SeekCase>& info) {
                             std::string name = std::string(info.param.clip).substr(5) + "_" + std::to_string(info.param.ms);
                             return name + "ms";
                         });

// Playing from 0.2 s to a stop time of 0.6 s shows frames 5 to 14 in order, each
// at its time, and ends with exactly one end-of-play.
TEST(PlaybackGraph, PlaysToTheStopTimeWithOneEndOfPlay)
{
    CRecordingSink sink;  // outlives the graph
    ComPtr<IGraphBuilder> graph = OpenGraph(Clip("stop.mp4"), MEDIA_GRAPH_PLAYBACK);
    ASSERT_TRUE(graph);
    HookSink(graph.Get(), &sink);
    ComPtr<CNotifyCounter> notify = MakeComObject<CNotifyCounter>();
    graph.As<IMediaEventEx>()->SetNotifyWindow(notify.Get(), 0x478, 7);
    ASSERT_EQ(Seek(graph.Get(), Ms(200), Ms(600)), S_OK);
    ASSERT_EQ(graph.As<IMediaControl>()->Run(), S_OK);
    ASSERT_EQ(WaitEvent(graph.Get(), kHangGuard), EC_COMPLETE);
    EXPECT_EQ(WaitEvent(graph.Get(), 400ms), 0) << "a second event came";
    EXPECT_EQ(notify->m_calls, 1);
    auto frames = sink.Frames();
    ASSERT_EQ(frames.size(), 10u);
    for (size_t i = 0; i < frames.size(); ++i) {
        EXPECT_EQ(frames[i].counter, int(5 + i));
        EXPECT_EQ(frames[i].sampleTime, Ms(40) * REFERENCE_TIME(i));  // counted from the seek
    }
    // Paced: the last frame comes about 0.36 s after the first.
    auto span = std::chrono::duration_cast<std::chrono::milliseconds>(frames.back().at - frames.front().at);
    EXPECT_GT(span.count(), 300);
    ClearGraphFull(graph.Get());
}

// Every control call from every state returns at once and the graph ends
// cleanly wherever it was, with or without sound.
TEST(PlaybackGraph, ControlFromEveryStateNeverHangs)
{
    const fs::path clips[] = {Clip("ctl.mp4"), Clip("ctl-silent.mp4", [] {
                                  fixtures::ClipDesc s;
                                  s.audio = false;
                                  return s;
                              }())};
    enum Op { Run, Pause, Stop, SeekHalf, SeekEnd };
    const std::vector<std::vector<Op>> sequences = {
        {Run, Pause, Run, Stop, Run},          {Pause, Stop, Pause, Run, Pause},
        {Stop, Stop, Run, Run, Pause, Pause},  {Run, SeekHalf, Pause, SeekEnd, Run},
        {SeekEnd, Run, Stop, SeekHalf, Pause}, {Run},
        {Pause},                               {},
    };
    WithWatchdog(120s, [&] {
        for (const fs::path& clip : clips)
            for (const auto& seq : sequences) {
                CRecordingSink sink;  // outlives the graph
                ComPtr<IGraphBuilder> graph = OpenGraph(clip, MEDIA_GRAPH_PLAYBACK);
                ASSERT_TRUE(graph);
                HookSink(graph.Get(), &sink);
                auto control = graph.As<IMediaControl>();
                for (Op op : seq) {
                    auto t0 = Clock::now();
                    switch (op) {
                    case Run: control->Run(); break;
                    case Pause: control->Pause(); break;
                    case Stop: control->Stop(); break;
                    case SeekHalf: Seek(graph.Get(), Ms(1000)); break;
                    case SeekEnd: Seek(graph.Get(), Ms(1990)); break;
                    }
                    // A hang guard, not a speed goal: a call that waited for
                    // the streaming thread would wait for the whole clip.
                    EXPECT_LT(Clock::now() - t0, 10s) << "a control call waited for the streaming thread";
                    std::this_thread::sleep_for(30ms);
                }
                auto t0 = Clock::now();
                ClearGraphFull(graph.Get());
                EXPECT_LT(Clock::now() - t0, 10s) << "tear-down waited";
                // A cleared graph refuses further work and never calls the sink again.
                EXPECT_TRUE(FAILED(control->Run()));
                LONG code = 0;
                LONG_PTR p1 = 0, p2 = 0;
                EXPECT_EQ(graph.As<IMediaEventEx>()->GetEvent(&code, &p1, &p2, -1), E_ABORT);
                size_t n = sink.Frames().size();
                std::this_thread::sleep_for(20ms);
                EXPECT_EQ(sink.Frames().size(), n);
            }
    });
}

// Stop keeps the position: the next pause shows the frame where it stopped.
TEST(PlaybackGraph, PauseAfterStopShowsTheStoppedFrame)
{
    CRecordingSink sink;  // outlives the graph
    ComPtr<IGraphBuilder> graph = OpenGraph(Clip("stopped.mp4"), MEDIA_GRAPH_PLAYBACK);
    ASSERT_TRUE(graph);
    HookSink(graph.Get(), &sink);
    auto control = graph.As<IMediaControl>();
    Seek(graph.Get(), Ms(800));
    control->Pause();
    ASSERT_TRUE(sink.WaitFrames(1, kHangGuard));
    control->Stop();
    sink.Reset();
    EXPECT_EQ(control->Pause(), S_FALSE);
    ASSERT_TRUE(sink.WaitFrames(1, kHangGuard));
    EXPECT_EQ(sink.Frames()[0].counter, 20);
    ClearGraphFull(graph.Get());
}

// A source with sound only reports its position while it plays and ends once.
TEST(PlaybackGraph, SoundOnlySourceReportsItsPosition)
{
    fs::path wav = TestDir() / "tone.wav";
    ASSERT_FALSE(fixtures::WriteAudio(wav, 0.6).empty());
    CRecordingSink sink;  // outlives the graph
    ComPtr<IGraphBuilder> graph = OpenGraph(wav, MEDIA_GRAPH_PLAYBACK);
    ASSERT_TRUE(graph);
    ComPtr<IBaseFilter> none;
    EXPECT_TRUE(FAILED(graph->FindFilterByName(L"MainVideoFilter", none.ReleaseAndGetAddressOf())));
    EXPECT_FALSE(graph.As<IVideoWindow>());
    HookSink(graph.Get(), &sink, L"WaveCodec");
    graph.As<IMediaControl>()->Run();
    ASSERT_EQ(WaitEvent(graph.Get(), kHangGuard), EC_COMPLETE);
    auto positions = sink.Positions();
    ASSERT_GE(positions.size(), 3u);
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
    EXPECT_LE(positions.back(), Ms(600));
    ClearGraphFull(graph.Get());
}

namespace {
// First and last frame of sound above silence in 16-bit stereo raw samples.
std::pair<size_t, size_t> HeardSpan(const std::vector<int16_t>& samples)
{
    size_t first = SIZE_MAX, last = 0;
    for (size_t i = 0; i < samples.size(); ++i)
        if (std::abs(samples[i]) > 1000) {
            first = std::min(first, i / 2);
            last = i / 2;
        }
    return {first, last};
}
}  // namespace

// With SDL's disk driver the sound written is as long as the source's and
// starts when the first picture is shown. Both are measured on the device's
// own clock, the samples it has written, so a slow machine moves neither.
TEST(PlaybackSound, DiskDriverGetsTheWholeSoundWithThePicture)
{
    const fs::path raw = TestDir() / "heard.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);
    fixtures::ClipDesc desc;
    desc.seconds = 1.0;
    CRecordingSink sink;  // outlives the graph
    // The samples (16-bit stereo) the device had written when a picture was handed over.
    sink.SetProbe([&raw] {
        std::error_code ec;
        const auto bytes = fs::file_size(raw, ec);
        return ec ? int64_t(-1) : int64_t(bytes / 4);
    });
    ComPtr<IGraphBuilder> graph = OpenGraph(Clip("sound.mp4", desc), MEDIA_GRAPH_PLAYBACK);
    ASSERT_TRUE(graph);
    HookSink(graph.Get(), &sink);
    std::this_thread::sleep_for(200ms);  // the device writes silence meanwhile
    graph.As<IMediaControl>()->Run();
    ASSERT_EQ(WaitEvent(graph.Get(), kHangGuard), EC_COMPLETE);
    auto frames = sink.Frames();
    ClearGraphFull(graph.Get());
    graph = nullptr;
    ASSERT_FALSE(frames.empty());

    std::ifstream in(raw, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    auto [first, last] = HeardSpan(samples);
    ASSERT_NE(first, SIZE_MAX) << "no sound was written";
    const double heard = double(last - first + 1) / 44100.0;
    EXPECT_NEAR(heard, 1.0, 0.05);
    // The device takes sound a buffer (1024 samples) at a time: the picture
    // never comes before the sound it goes with, less that buffer and 40 ms.
    // It may come later only by the time the picture thread waited for the
    // processor, which a loaded machine stretches: that side only guards
    // against a picture that does not follow the sound at all.
    ASSERT_GE(frames.front().probe, 0);
    const double soundStart = double(first) / 44100.0;
    const double pictureStart = double(frames.front().probe) / 44100.0;
    EXPECT_GE(pictureStart, soundStart - (0.04 + 1024 / 44100.0));
    EXPECT_LE(pictureStart, soundStart + 0.5);
}

// A seek while playing goes on playing from the new time: once the seek has
// returned, no frame from before it arrives, and the first frame after it is
// the one at the new time.
TEST(PlaybackGraph, SeekWhilePlayingContinuesFromTheNewTime)
{
    CRecordingSink sink;  // outlives the graph
    ComPtr<IGraphBuilder> graph = OpenGraph(Clip("running.mp4"), MEDIA_GRAPH_PLAYBACK);
    ASSERT_TRUE(graph);
    HookSink(graph.Get(), &sink);
    auto control = graph.As<IMediaControl>();
    control->Run();
    ASSERT_TRUE(sink.WaitFrames(4, kHangGuard));
    ASSERT_EQ(Seek(graph.Get(), Ms(1200)), S_OK);
    const size_t before = sink.Frames().size();
    ASSERT_TRUE(sink.WaitFrames(before + 5, kHangGuard));
    LONG state = -1;
    control->GetState(0, &state);
    EXPECT_EQ(state, State_Running);
    auto frames = sink.Frames();
    EXPECT_EQ(frames[before].counter, 30);
    EXPECT_EQ(frames[before].sampleTime, 0);
    for (size_t i = before + 1; i < frames.size(); ++i) EXPECT_EQ(frames[i].counter, frames[i - 1].counter + 1);
    ClearGraphFull(graph.Get());
}

// Without an audio device a source with sound plays silently on the steady clock.
TEST(PlaybackSound, NoDevicePlaysOnTheSteadyClock)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    CRecordingSink sink;  // outlives the graph
    ComPtr<IGraphBuilder> graph = OpenGraph(Clip("nodevice.mp4"), MEDIA_GRAPH_PLAYBACK);
    ASSERT_TRUE(graph);
    HookSink(graph.Get(), &sink);
    Seek(graph.Get(), 0, Ms(400));
    graph.As<IMediaControl>()->Run();
    ASSERT_EQ(WaitEvent(graph.Get(), kHangGuard), EC_COMPLETE);
    auto frames = sink.Frames();
    ASSERT_EQ(frames.size(), 10u);
    EXPECT_EQ(frames.back().counter, 9);
    auto span = std::chrono::duration_cast<std::chrono::milliseconds>(frames.back().at - frames.front().at);
    EXPECT_GT(span.count(), 300);
    ClearGraphFull(graph.Get());
}
