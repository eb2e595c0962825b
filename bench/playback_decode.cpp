// Decode-and-deliver speed of a playback session without pacing (the grab
// graph: every frame decoded, converted to 24-bit bottom-up and handed to the
// grabber) against `ffmpeg -f null` decoding the same clip to the same pixel
// format, and the seek-and-show latency of a paused playback graph.
//
// Usage: playback_decode [seconds of 1080p clip, default 8]
#include "engine/FrameDraw.h"
#include "engine/PlaybackGrabber.h"
#include "engine/PlaybackHelpers.h"
#include "fixtures/MediaFixtures.h"
#include "mediaeng/playback/PlaybackGraphBuilder.h"
#include "platform/Sync.h"
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

using mediaeng::playback::CPlaybackInput;
using mediaeng::playback::CreateMediaGraph;
using mediaeng::playback::MEDIA_GRAPH_GRAB;
using mediaeng::playback::MEDIA_GRAPH_PLAYBACK;

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

class CCountingGrabber : public CComObjectBase<ISampleGrabberCB> {
public:
    HRESULT SampleCB(double, IMediaSample* sample) override
    {
        BYTE* p = nullptr;
        sample->GetPointer(&p);
        m_checksum += p[0];
        ++m_frames;
        return S_OK;
    }
    HRESULT BufferCB(double, BYTE*, LONG) override { return S_OK; }
    std::atomic<int> m_frames{0};
    std::atomic<unsigned> m_checksum{0};
};

class CArrivalSink : public IFrameDraw {
public:
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT SetFrameDraw(IFrameDraw*) override { return E_NOTIMPL; }
    HRESULT DrawFrame(DWORD, BYTE*, DWORD, BYTE*, REFERENCE_TIME*, DWORD) override
    {
        m_arrived.Set();
        return S_OK;
    }
    HRESULT UpdatePosition(REFERENCE_TIME*, DWORD) override { return S_OK; }
    CEvent m_arrived;
};

ComPtr<IGraphBuilder> Open(const fs::path& clip, int flag)
{
    CPlaybackInput input;
    input.url = clip.string();
    ComPtr<IGraphBuilder> graph;
    std::wstring error;
    if (FAILED(CreateMediaGraph(input, flag, graph.ReleaseAndGetAddressOf(), &error))) {
        std::fprintf(stderr, "cannot open %s: %ls\n", clip.c_str(), error.c_str());
        std::exit(1);
    }
    return graph;
}

double OurFps(const fs::path& clip, int* frames)
{
    ComPtr<IGraphBuilder> graph = Open(clip, MEDIA_GRAPH_GRAB);
    ComPtr<CCountingGrabber> counter = MakeComObject<CCountingGrabber>();
    ComPtr<IBaseFilter> grabber;
    graph->FindFilterByName(L"Grabber", grabber.ReleaseAndGetAddressOf());
    grabber.As<ISampleGrabber>()->SetCallback(counter.Get(), 0);
    ComPtr<IMediaEventEx> events = graph.As<IMediaEventEx>();
    LONGLONG zero = 0;
    graph.As<IMediaSeeking>()->SetPositions(&zero, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
    auto t0 = Clock::now();
    graph.As<IMediaControl>()->Run();
    LONG code = 0;
    LONG_PTR p1 = 0, p2 = 0;
    events->GetEvent(&code, &p1, &p2, 600000);
    double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
    ClearGraphFull(graph.Get());
    *frames = counter->m_frames;
    return counter->m_frames / seconds;
}

double FfmpegFps(const fs::path& clip, int frames)
{
    std::string cmd = "ffmpeg -v error -nostdin -i '" + clip.string() + "' -pix_fmt bgr24 -f null - 2>/dev/null";
    auto t0 = Clock::now();
    int rc = std::system(cmd.c_str());
    double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
    if (rc != 0) return 0;
    return frames / seconds;
}

void SeekLatency(const fs::path& clip, double clipSeconds)
{
    ComPtr<IGraphBuilder> graph = Open(clip, MEDIA_GRAPH_PLAYBACK);
    CArrivalSink sink;
    ComPtr<IBaseFilter> video;
    graph->FindFilterByName(L"MainVideoFilter", video.ReleaseAndGetAddressOf());
    video.As<IFrameDraw>()->SetFrameDraw(&sink);
    ComPtr<IMediaSeeking> seeking = graph.As<IMediaSeeking>();
    graph.As<IMediaControl>()->Pause();
    sink.m_arrived.Wait(10000);
    std::mt19937 rng(12345);
    std::uniform_real_distribution<double> at(0.0, clipSeconds - 0.1);
    std::vector<double> ms;
    for (int i = 0; i < 20; ++i) {
        sink.m_arrived.Reset();
        LONGLONG pos = static_cast<LONGLONG>(at(rng) * 1e7);
        auto t0 = Clock::now();
        seeking->SetPositions(&pos, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
        if (sink.m_arrived.Wait(10000) != WAIT_OBJECT_0) std::printf("seek %d: no frame\n", i);
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    }
    ClearGraphFull(graph.Get());
    std::sort(ms.begin(), ms.end());
    double sum = 0;
    for (double v : ms) sum += v;
    std::printf("seek-and-show latency, 20 random paused seeks (key frame every 12 frames): "
                "mean %.1f ms, median %.1f ms, max %.1f ms\n",
                sum / ms.size(), ms[ms.size() / 2], ms.back());
}

}  // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 8.0;
    const fs::path dir = fs::temp_directory_path() / "km_bench_playback";
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
    int frames = 0;
    double ours = OurFps(clip, &frames);
    double ref = FfmpegFps(clip, frames);
    std::printf("decode + 24-bit delivery, %d frames: ours %.1f fps, ffmpeg -pix_fmt bgr24 -f null %.1f fps, "
                "ratio %.2f\n",
                frames, ours, ref, ref > 0 ? ours / ref : 0.0);
    SeekLatency(clip, seconds);
    fs::remove_all(dir);
    return 0;
}
