// Decode-and-deliver speed of a playback session without pacing (the grab
// graph: every frame decoded, converted to 24-bit bottom-up and handed to the
// grabber) beside a plain libavcodec loop in the same process on the same
// clip: avcodec_send_packet/receive_frame with the same thread settings and
// sws_scale to the same 24-bit bottom-up picture. Then the seek-and-show
// latency of a paused playback graph.
//
// Usage: playback_decode [seconds of 1080p clip, default 8]
#include "BenchReport.h"
#include "engine/FrameDraw.h"
#include "engine/PlaybackGrabber.h"
#include "engine/PlaybackHelpers.h"
#include "fixtures/MediaFixtures.h"
#include "mediaeng/av/AvHandles.h"
#include "mediaeng/av/ScalerSlack.h"
#include "mediaeng/playback/PlaybackGraphBuilder.h"
#include "platform/Bitmap.h"
#include "platform/Sync.h"
#include <algorithm>
#include <atomic>
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
namespace av = mediaeng::av;
using namespace bench;

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
    if (FAILED(CreateMediaGraph(input, flag, graph.ReleaseAndGetAddressOf(), &error)))
        std::fprintf(stderr, "cannot open %s: %ls\n", clip.c_str(), error.c_str());
    return graph;
}

struct Run {
    int frames = 0;
    double seconds = 0;
};

// The grab graph from start to end; no frames when it failed.
Run Ours(const fs::path& clip)
{
    Run run;
    ComPtr<IGraphBuilder> graph = Open(clip, MEDIA_GRAPH_GRAB);
    if (!graph) return run;
    ComPtr<CCountingGrabber> counter = MakeComObject<CCountingGrabber>();
    ComPtr<IBaseFilter> grabber;
    graph->FindFilterByName(L"Grabber", grabber.ReleaseAndGetAddressOf());
    grabber.As<ISampleGrabber>()->SetCallback(counter.Get(), 0);
    ComPtr<IMediaEventEx> events = graph.As<IMediaEventEx>();
    LONGLONG zero = 0;
    graph.As<IMediaSeeking>()->SetPositions(&zero, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
    const auto t0 = Clock::now();
    graph.As<IMediaControl>()->Run();
    LONG code = 0;
    LONG_PTR p1 = 0, p2 = 0;
    const bool ended = SUCCEEDED(events->GetEvent(&code, &p1, &p2, 600000)) && code == EC_COMPLETE;
    run.seconds = Ms(Clock::now() - t0) / 1000.0;
    ClearGraphFull(graph.Get());
    if (!ended) std::fprintf(stderr, "the grab graph did not complete (event %ld)\n", static_cast<long>(code));
    run.frames = ended ? counter->m_frames.load() : 0;
    return run;
}

// 24-bit bottom-up rows, as the grab graph delivers them.
class CBottomUpBgr {
public:
    bool Convert(const AVFrame* f)
    {
        if (!m_sws) {
            m_sws.reset(sws_getContext(f->width, f->height, static_cast<AVPixelFormat>(f->format), f->width, f->height,
                                       AV_PIX_FMT_BGR24, SWS_BICUBIC, nullptr, nullptr, nullptr));
            m_stride = static_cast<int>(DibStride(f->width, 24));
            m_data.assign(size_t(m_stride) * size_t(f->height) + av::kScalerSlack, 0);
        }
        uint8_t* dst[4] = {m_data.data() + size_t(m_stride) * size_t(f->height - 1), nullptr, nullptr, nullptr};
        const int dstStride[4] = {-m_stride, 0, 0, 0};
        return m_sws && sws_scale(m_sws.get(), f->data, f->linesize, 0, f->height, dst, dstStride) == f->height;
    }
    uint8_t First() const { return m_data[0]; }

private:
    av::SwsPtr m_sws;
    int m_stride = 0;
    std::vector<uint8_t> m_data;
};

// The plain loop: the clip's video stream decoded with the playback's thread
// settings (as many threads as the decoder likes), every frame converted.
Run Reference(const fs::path& clip, unsigned* checksum)
{
    Run run;
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, clip.c_str(), nullptr, nullptr) < 0) return run;
    av::InputPtr fmt(raw);
    if (avformat_find_stream_info(fmt.get(), nullptr) < 0) return run;
    const AVCodec* dec = nullptr;
    const int index = av_find_best_stream(fmt.get(), AVMEDIA_TYPE_VIDEO, -1, -1, &dec, 0);
    if (index < 0) return run;
    av::CodecCtxPtr codec(avcodec_alloc_context3(dec));
    if (!codec || avcodec_parameters_to_context(codec.get(), fmt->streams[index]->codecpar) < 0) return run;
    codec->pkt_timebase = fmt->streams[index]->time_base;
    codec->thread_count = 0;
    if (avcodec_open2(codec.get(), dec, nullptr) < 0) return run;
    av::PacketPtr pkt = av::MakePacket();
    av::FramePtr frame = av::MakeFrame();
    CBottomUpBgr picture;
    int frames = 0;
    const auto t0 = Clock::now();
    auto drain = [&] {
        while (avcodec_receive_frame(codec.get(), frame.get()) >= 0) {
            if (!picture.Convert(frame.get())) return false;
            *checksum += picture.First();
            ++frames;
        }
        return true;
    };
    bool ok = true;
    while (ok && av_read_frame(fmt.get(), pkt.get()) >= 0) {
        if (pkt->stream_index == index) ok = avcodec_send_packet(codec.get(), pkt.get()) >= 0 && drain();
        av_packet_unref(pkt.get());
    }
    ok = ok && avcodec_send_packet(codec.get(), nullptr) >= 0 && drain();
    run.seconds = Ms(Clock::now() - t0) / 1000.0;
    run.frames = ok ? frames : 0;
    return run;
}

// False when a seek showed no frame.
bool SeekLatency(const fs::path& clip, double clipSeconds)
{
    ComPtr<IGraphBuilder> graph = Open(clip, MEDIA_GRAPH_PLAYBACK);
    if (!graph) return false;
    CArrivalSink sink;
    ComPtr<IBaseFilter> video;
    graph->FindFilterByName(L"MainVideoFilter", video.ReleaseAndGetAddressOf());
    video.As<IFrameDraw>()->SetFrameDraw(&sink);
    ComPtr<IMediaSeeking> seeking = graph.As<IMediaSeeking>();
    graph.As<IMediaControl>()->Pause();
    bool ok = sink.m_arrived.Wait(10000) == WAIT_OBJECT_0;
    std::mt19937 rng(12345);
    std::uniform_real_distribution<double> at(0.0, clipSeconds - 0.1);
    std::vector<double> ms;
    for (int i = 0; i < 20 && ok; ++i) {
        sink.m_arrived.Reset();
        LONGLONG pos = static_cast<LONGLONG>(at(rng) * 1e7);
        auto t0 = Clock::now();
        seeking->SetPositions(&pos, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
        ok = sink.m_arrived.Wait(10000) == WAIT_OBJECT_0;
        if (!ok) std::fprintf(stderr, "seek %d: no frame\n", i);
        ms.push_back(Ms(Clock::now() - t0));
    }
    ClearGraphFull(graph.Get());
    if (!ok) return false;
    std::sort(ms.begin(), ms.end());
    double sum = 0;
    for (double v : ms) sum += v;
    std::printf("seek-and-show latency, 20 random paused seeks (key frame every 12 frames): "
                "mean %.1f ms, median %.1f ms, max %.1f ms\n",
                sum / double(ms.size()), ms[ms.size() / 2], ms.back());
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 8.0;
    constexpr int kRounds = 5;
    av_log_set_level(AV_LOG_ERROR);
    const fs::path dir = fs::temp_directory_path() / ("km-bench-playback-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path clip = dir / "bench1080.mp4";
    fixtures::ClipDesc desc;
    desc.width = 1920;
    desc.height = 1080;
    desc.seconds = seconds;
    desc.audio = false;
    std::string error;
    std::printf("writing a %.0f s 1920x1080 H.264 clip...\n", seconds);
    if (fixtures::WriteClip(clip, desc, &error).empty()) return Failed("cannot write the clip: %s", error.c_str());

    // Turns alternate, so both see the same file cache and machine load.
    std::vector<double> ours, ref;
    int frames = 0, refFrames = 0;
    unsigned checksum = 0;
    for (int r = 0; r < kRounds; ++r) {
        Run a, b;
        if (r % 2 == 0) {
            a = Ours(clip);
            b = Reference(clip, &checksum);
        } else {
            b = Reference(clip, &checksum);
            a = Ours(clip);
        }
        if (a.frames == 0) return Failed("the grab graph delivered no frames");
        if (b.frames == 0) return Failed("the libavcodec loop failed");
        ours.push_back(a.frames / a.seconds);
        ref.push_back(b.frames / b.seconds);
        frames = a.frames;
        refFrames = b.frames;
    }
    std::printf("decode + 24-bit bottom-up delivery, %d frames (libavcodec %d), median of %d rounds:\n", frames,
                refFrames, kRounds);
    PrintComparison("frames per second", "fps", Median(ours), "libavcodec loop", Median(ref));
    if (frames != refFrames) return Failed("the grab graph delivered %d frames, the clip holds %d", frames, refFrames);
    const bool seeks = SeekLatency(clip, seconds);
    std::error_code ec;
    fs::remove_all(dir, ec);
    return seeks ? 0 : Failed("a paused seek showed no frame");
}
