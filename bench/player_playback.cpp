// Frames per second the preview player hands to its control for a 1080p clip,
// beside the engine's own decode-and-deliver figure for the same clip, and the
// time from a paused Seek to the frame at the control.
//
// Both figures run the engine's grab graph unpaced: the engine's figure
// counts the frames its grabber sees; the player's figure feeds the same
// frames into the player's IFrameDraw (as the picture stage does) and counts
// what reaches the control on the "user-interface" thread, which drains the
// player's poster in a loop.
//
// Usage: player_playback [seconds of 1080p clip, default 6]
#include "engine/PlaybackGrabber.h"
#include "engine/PlaybackHelpers.h"
#include "fixtures/MediaFixtures.h"
#include "fixtures/QueuePoster.h"
#include "mediaeng/playback/PlaybackGraphBuilder.h"
#include "player/Player.h"
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

using mediaeng::playback::CPlaybackInput;
using mediaeng::playback::CreateMediaGraph;
using mediaeng::playback::MEDIA_GRAPH_GRAB;

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

using kmtest::CQueuePoster;

class CCountingCtrl : public CPlayerCtrlImpl {
public:
    void OnFrame(FRAME_RECORD* frame) override
    {
        ++frames;
        checksum += frame->cbData ? frame->pbData[frame->cbData / 2] : 0;
    }
    void OnPlayEnd() override {}
    void OnPositionChanged() override {}
    void OnPaused() override {}
    void OnPlayStateChanged(int) override {}
    void Redraw() override {}
    void ResetButtons() override {}
    int frames = 0;
    unsigned checksum = 0;
};

// Counts the grabber's frames and, when given, hands each to a frame sink.
class CForwardingGrabber : public CComObjectBase<ISampleGrabberCB> {
public:
    explicit CForwardingGrabber(IFrameDraw* draw, std::vector<BYTE> format) : m_draw(draw), m_format(std::move(format)) {}
    HRESULT SampleCB(double time, IMediaSample* sample) override
    {
        BYTE* p = nullptr;
        sample->GetPointer(&p);
        ++m_frames;
        if (m_draw) {
            REFERENCE_TIME t = static_cast<REFERENCE_TIME>(time * 1e7);
            m_draw->DrawFrame(static_cast<DWORD>(m_format.size()), m_format.data(),
                              static_cast<DWORD>(sample->GetActualDataLength()), p, &t, 0);
        } else {
            m_checksum += p[0];
        }
        return S_OK;
    }
    HRESULT BufferCB(double, BYTE*, LONG) override { return S_OK; }
    std::atomic<int> m_frames{0};
    std::atomic<unsigned> m_checksum{0};

private:
    IFrameDraw* m_draw;
    std::vector<BYTE> m_format;
};

struct RunResult {
    int grabbed = 0;
    double seconds = 0;
};

// Runs the clip's grab graph to its end; while it runs, spin() is called.
RunResult RunGrab(const fs::path& clip, IFrameDraw* draw, const std::function<void()>& spin)
{
    CPlaybackInput input;
    input.url = clip.string();
    ComPtr<IGraphBuilder> graph;
    if (FAILED(CreateMediaGraph(input, MEDIA_GRAPH_GRAB, graph.ReleaseAndGetAddressOf()))) {
        std::fprintf(stderr, "cannot open %s\n", clip.c_str());
        std::exit(1);
    }
    ComPtr<IBaseFilter> grabber;
    graph->FindFilterByName(L"Grabber", grabber.ReleaseAndGetAddressOf());
    AM_MEDIA_TYPE mt;
    grabber.As<ISampleGrabber>()->GetConnectedMediaType(&mt);
    std::vector<BYTE> format(mt.pbFormat, mt.pbFormat + mt.cbFormat);
    FreeMediaType(mt);
    ComPtr<CForwardingGrabber> cb = MakeComObject<CForwardingGrabber>(draw, format);
    grabber.As<ISampleGrabber>()->SetCallback(cb.Get(), 0);
    ComPtr<IMediaEventEx> events = graph.As<IMediaEventEx>();
    LONGLONG zero = 0;
    graph.As<IMediaSeeking>()->SetPositions(&zero, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
    auto t0 = Clock::now();
    graph.As<IMediaControl>()->Run();
    LONG code = 0;
    LONG_PTR p1 = 0, p2 = 0;
    while (FAILED(events->GetEvent(&code, &p1, &p2, 0))) spin();
    spin();
    RunResult r;
    r.seconds = std::chrono::duration<double>(Clock::now() - t0).count();
    r.grabbed = cb->m_frames;
    grabber.As<ISampleGrabber>()->SetCallback(nullptr, 0);
    ClearGraphFull(graph.Get());
    return r;
}

}  // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 6.0;
    const fs::path dir = fs::temp_directory_path() / "km_bench_player";
    fs::create_directories(dir);
    const fs::path clip = dir / "bench1080.mp4";
    fixtures::ClipDesc desc;
    desc.width = 1920;
    desc.height = 1080;
    desc.seconds = seconds;
    desc.audio = false;
    std::string error;
    std::printf("writing a %.0f s 1920x1080 H.264 clip...\n", seconds);
    if (fixtures::WriteClip(clip, desc, &error).empty()) {
        std::fprintf(stderr, "cannot write the clip: %s\n", error.c_str());
        return 1;
    }

    RunGrab(clip, nullptr, [] {});  // warm-up: file cache and decoder threads
    RunResult engine = RunGrab(clip, nullptr, [] {});
    if (engine.grabbed == 0) return std::fprintf(stderr, "FAILED: the grab graph delivered no frames\n"), 1;
    const double engineFps = engine.grabbed / engine.seconds;

    CQueuePoster poster;
    CPlayer player(poster);
    CCountingCtrl ctrl;
    CKMFilePtr entry = CKMFile::Create(clip.wstring(), 0);
    if (entry->OpenMediaSource(clip.wstring()) != S_OK) {
        std::fprintf(stderr, "cannot open the clip as an entry\n");
        return 1;
    }
    player.Attach(&ctrl, nullptr, entry.get());
    player.Seek(0);  // the entry's playback record exists from here on
    for (auto until = Clock::now() + std::chrono::seconds(10); ctrl.frames == 0 && Clock::now() < until;) poster.Drain();
    player.Stop();
    player.CloseGraph();  // its frames would count too
    const int before = ctrl.frames;
    RunResult ours = RunGrab(clip, player.AsFrameDraw(), [&] { poster.Drain(); });
    const int handed = ctrl.frames - before;
    if (handed == 0) return std::fprintf(stderr, "FAILED: no frame reached the control\n"), 1;
    const double playerFps = handed / ours.seconds;
    std::printf("1080p frames to the control: player %.1f fps (%d of %d frames), engine decode + delivery "
                "%.1f fps (%d frames), ratio %.2f (goal >= 0.95)\n",
                playerFps, handed, ours.grabbed, engineFps, engine.grabbed, playerFps / engineFps);

    // Seek (paused) to the frame at the control.
    std::mt19937 rng(12345);
    std::uniform_real_distribution<double> at(0.0, seconds - 0.1);
    std::vector<double> ms;
    int missed = 0;
    player.Seek(0);
    for (auto until = Clock::now() + std::chrono::seconds(10); Clock::now() < until && ctrl.frames == before + handed;)
        poster.Drain();
    for (int i = 0; i < 50; ++i) {
        const int count = ctrl.frames;
        const int64_t pos = static_cast<int64_t>(at(rng) * 1e7);
        auto t0 = Clock::now();
        player.Seek(pos);
        auto until = t0 + std::chrono::seconds(10);
        while (ctrl.frames == count && Clock::now() < until) poster.Drain();
        if (ctrl.frames == count) std::printf("seek %d: no frame\n", i), ++missed;
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("paused Seek to the frame at the control, 50 random seeks: median %.1f ms, worst %.1f ms "
                "(goal: median < 50 ms)\n",
                ms[ms.size() / 2], ms.back());
    player.Attach(nullptr, nullptr, nullptr);
    fs::remove_all(dir);
    if (missed) return std::fprintf(stderr, "FAILED: %d seeks showed no frame\n", missed), 1;
    return 0;
}
