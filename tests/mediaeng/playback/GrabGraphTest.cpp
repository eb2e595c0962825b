// The grab graph as the frame grabber drives it, the picture read at a time,
// and sources that cannot give a picture.
#include "fixtures/PlaybackTestSupport.h"
#include "fixtures/MediaFixtures.h"
#include "platform/Bitmap.h"
#include "platform/Sync.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include <thread>

using mediaeng::playback::CPlaybackInput;
using mediaeng::playback::ReadPictureAt;
using mediaeng::playback::MEDIA_GRAPH_GRAB;
using mediaeng::playback::MEDIA_GRAPH_PLAYBACK;

using namespace pbtest;
using namespace std::chrono_literals;

namespace {

fs::path GrabClip()
{
    fs::path file = TestDir() / "grab.mp4";
    if (!fs::exists(file)) {
        EXPECT_FALSE(fixtures::WriteClip(file).empty());
    }
    return file;
}

// Keeps the first sample after each reset, as the player's grabber does.
class CSampleKeeper : public CComObjectBase<ISampleGrabberCB> {
public:
    HRESULT SampleCB(double time, IMediaSample* sample) override
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        ++m_calls;
        if (m_ready.IsSet()) return S_OK;
        BYTE* p = nullptr;
        sample->GetPointer(&p);
        m_bytes.assign(p, p + sample->GetActualDataLength());
        m_time = time;
        m_ready.Set();
        return S_OK;
    }
    HRESULT BufferCB(double, BYTE*, LONG) override { return S_OK; }
    CEvent m_ready;
    std::mutex m_mutex;
    std::vector<BYTE> m_bytes;
    double m_time = -1;
    int m_calls = 0;
};

struct Grabbed {
    std::vector<BYTE> format;
    std::vector<BYTE> data;
    double time = -1;
};

// One grab in the frame grabber's order of calls.
Grabbed GrabLikeThePlayer(IGraphBuilder* graph, REFERENCE_TIME pos)
{
    Grabbed out;
    ComPtr<IBaseFilter> grabber;
    EXPECT_EQ(graph->FindFilterByName(L"Grabber", grabber.ReleaseAndGetAddressOf()), S_OK);
    if (!grabber) return out;
    ComPtr<IPin> pin;
    EXPECT_EQ(GetPin(grabber.Get(), PINDIR_INPUT, 0, pin.ReleaseAndGetAddressOf()), S_OK);
    AM_MEDIA_TYPE mt;
    EXPECT_EQ(pin->ConnectionMediaType(&mt), S_OK);
    BYTE* block = nullptr;
    DWORD size = 0;
    EXPECT_EQ(CRunGraphImpl::_SaveFormat(&mt, &block, &size), S_OK);
    FreeMediaType(mt);
    out.format.assign(block, block + size);
    CRunGraphImpl::_FreeFormat(block);

    ComPtr<CSampleKeeper> keeper = MakeComObject<CSampleKeeper>();
    ComPtr<ISampleGrabber> sg = grabber.As<ISampleGrabber>();
    EXPECT_EQ(sg->SetCallback(keeper.Get(), 0) | sg->SetOneShot(0) | sg->SetBufferSamples(0), S_OK);
    ComPtr<IMediaSeeking> seeking = ComPtr<IGraphBuilder>(graph).As<IMediaSeeking>();
    LONGLONG stop = 2 * kSecond;
    EXPECT_EQ(seeking->SetPositions(&pos, AM_SEEKING_AbsolutePositioning, &stop, AM_SEEKING_AbsolutePositioning), S_OK);
    ComPtr<IMediaControl> control = ComPtr<IGraphBuilder>(graph).As<IMediaControl>();
    EXPECT_EQ(control->Run(), S_OK);
    EXPECT_EQ(keeper->m_ready.Wait(5000), WAIT_OBJECT_0);
    control->Stop();
    ComPtr<IGraphBuilder>(graph).As<IMediaEventSink>()->Notify(EC_COMPLETE, 0, 0);
    EXPECT_EQ(WaitEvent(graph, 1s), EC_COMPLETE);
    std::lock_guard<std::mutex> lk(keeper->m_mutex);
    out.data = keeper->m_bytes;
    out.time = keeper->m_time;
    return out;
}

}  // namespace

// Grabs at 0 and 1 s on one graph give frames 0 and 25 as 24-bit bottom-up
// pictures whose format block describes them.
TEST(GrabGraph, GrabsTheFramesAtZeroAndOneSecond)
{
    WithWatchdog(120s, [] {
        ComPtr<IGraphBuilder> graph = OpenGraph(GrabClip(), MEDIA_GRAPH_GRAB);
        ASSERT_TRUE(graph);
        for (auto [pos, counter] : {std::pair{REFERENCE_TIME(0), 0}, std::pair{kSecond, 25}}) {
            Grabbed g = GrabLikeThePlayer(graph.Get(), pos);
            ASSERT_EQ(g.format.size(), sizeof(BITMAPINFOHEADER));
            BITMAPINFOHEADER h;
            std::memcpy(&h, g.format.data(), sizeof(h));
            EXPECT_EQ(h.biWidth, 160);
            EXPECT_EQ(h.biHeight, 120);
            EXPECT_EQ(h.biBitCount, 24);
            ASSERT_EQ(g.data.size(), DibStride(160, 24) * 120);
            EXPECT_EQ(CounterOfDib(g.format.data(), g.data.data()), counter);
            EXPECT_DOUBLE_EQ(g.time, 0.0);  // counted from the seek
            // Bottom-up: the first stored row is the red-and-blue marker at the bottom.
            const BYTE* left = g.data.data() + 3 * 10;
            const BYTE* right = g.data.data() + 3 * 150;
            EXPECT_GT(left[2], 150);  // red
            EXPECT_LT(left[0], 80);
            EXPECT_GT(right[0], 150);  // blue
            EXPECT_LT(right[2], 80);
        }
        ClearGraphFull(graph.Get());
    });
}

// Grab graphs have no sound stage and no picture sink; playback graphs no grabber.
TEST(GrabGraph, OffersOnlyItsOwnStages)
{
    ComPtr<IGraphBuilder> grab = OpenGraph(GrabClip(), MEDIA_GRAPH_GRAB);
    ComPtr<IGraphBuilder> play = OpenGraph(GrabClip(), MEDIA_GRAPH_PLAYBACK);
    ASSERT_TRUE(grab && play);
    ComPtr<IBaseFilter> f;
    EXPECT_TRUE(FAILED(grab->FindFilterByName(L"WaveCodec", f.ReleaseAndGetAddressOf())));
    EXPECT_TRUE(FAILED(play->FindFilterByName(L"Grabber", f.ReleaseAndGetAddressOf())));
    EXPECT_EQ(play->FindFilterByName(L"WaveCodec", f.ReleaseAndGetAddressOf()), S_OK);
    EXPECT_EQ(play->FindFilterByName(L"MainVideoFilter", f.ReleaseAndGetAddressOf()), S_OK);
    EXPECT_EQ(f.As<IFilterMode>()->SetFilterMode(2), S_OK);
    ComPtr<IFrameDraw> draw = f.As<IFrameDraw>();
    EXPECT_EQ(draw->DrawFrame(0, nullptr, 0, nullptr, nullptr, 0), E_NOTIMPL);
    ClearGraphFull(grab.Get());
    ClearGraphFull(play.Get());
}

// The picture of a source at a time, as a still-picture source is read.
TEST(ReadPicture, ReadsTheFrameAtTheTimeAndPictureFiles)
{
    fs::path png = fixtures::WritePicture(TestDir() / "still.png", 64, 48, 7);
    ASSERT_FALSE(png.empty());
    struct Case {
        fs::path file;
        REFERENCE_TIME time;
        int counter;
        LONG width;
    } cases[] = {{GrabClip(), kSecond, 25, 160}, {GrabClip(), 0, 0, 160}, {png, 0, 7, 64}};
    DWORD formatSize = 0, dataSize = 0;
    BYTE* format = static_cast<BYTE*>(std::malloc(8));  // replaced blocks are freed
    BYTE* data = nullptr;
    for (const Case& c : cases) {
        CPlaybackInput input;
        input.url = c.file.string();
        std::wstring error;
        ASSERT_EQ(ReadPictureAt(input, c.time, &formatSize, &format, &dataSize, &data, &error), S_OK) << c.file;
        ASSERT_EQ(formatSize, sizeof(BITMAPINFOHEADER));
        EXPECT_EQ(reinterpret_cast<BITMAPINFOHEADER*>(format)->biWidth, c.width);
        EXPECT_EQ(CounterOfDib(format, data), c.counter) << c.file;
    }
    std::free(format);
    std::free(data);
}

// Sources without a picture at the time give an error text and never hang:
// missing, empty, not media, truncated before the time, or out of time.
TEST(ReadPicture, FailsWithATextAndWithoutHanging)
{
    const fs::path dir = TestDir();
    fs::path truncated = fixtures::WriteTruncatedClip(dir / "cut.avi", 0.5);
    ASSERT_FALSE(truncated.empty());
    struct Case {
        fs::path file;
        REFERENCE_TIME time;
        DWORD limitMs;
    } cases[] = {
        {dir / "missing.mp4", 0, 5000},
        {fixtures::WriteZeroByteFile(dir / "empty.mp4"), 0, 5000},
        {fixtures::WriteTextFile(dir / "text.mp4"), 0, 5000},
        {truncated, 19 * kSecond / 10, 5000},
        {fixtures::WriteAudio(dir / "sound.wav", 0.5), 0, 5000},
        {GrabClip(), kSecond, 0},  // no time at all
    };
    WithWatchdog(120s, [&] {
        for (const Case& c : cases) {
            CPlaybackInput input;
            input.url = c.file.string();
            DWORD formatSize = 0, dataSize = 0;
            BYTE *format = nullptr, *data = nullptr;
            std::wstring error;
            auto t0 = Clock::now();
            EXPECT_TRUE(FAILED(ReadPictureAt(input, c.time, &formatSize, &format, &dataSize, &data, &error, c.limitMs)))
                << c.file;
            EXPECT_LT(Clock::now() - t0, 10s) << c.file;  // a hang guard, not a speed goal
            EXPECT_FALSE(error.empty()) << c.file;
            EXPECT_EQ(format, nullptr);
            EXPECT_EQ(data, nullptr);
        }
    });
}

// A grab graph that reaches the end without a frame at the time ends with an
// event, so the grabber's wait ends, and tells why.
TEST(GrabGraph, TruncatedSourceEndsWithAnEventAndAText)
{
    fs::path truncated = fixtures::WriteTruncatedClip(TestDir() / "cut2.avi", 0.5);
    WithWatchdog(120s, [&] {
        ComPtr<IGraphBuilder> graph = OpenGraph(truncated, MEDIA_GRAPH_GRAB);
        ASSERT_TRUE(graph);
        ComPtr<CSampleKeeper> keeper = MakeComObject<CSampleKeeper>();
        ComPtr<IBaseFilter> grabber;
        graph->FindFilterByName(L"Grabber", grabber.ReleaseAndGetAddressOf());
        grabber.As<ISampleGrabber>()->SetCallback(keeper.Get(), 0);
        Seek(graph.Get(), 19 * kSecond / 10);
        graph.As<IMediaControl>()->Run();
        EXPECT_EQ(WaitEvent(graph.Get(), kHangGuard), EC_COMPLETE);
        EXPECT_EQ(keeper->m_calls, 0);
        EXPECT_FALSE(GetGraphError(graph.Get()).empty());
        ClearGraphFull(graph.Get());
    });
}

TEST(RunGraphFormat, RefusesBlocksThatDoNotHoldTheirHeader)
{
    BYTE small[8] = {40, 0, 0, 0};
    AM_MEDIA_TYPE none, shortBlock, claimsMore;
    shortBlock.pbFormat = small;
    shortBlock.cbFormat = sizeof(small);
    BITMAPINFOHEADER h;
    h.biSize = 400;
    claimsMore.pbFormat = reinterpret_cast<BYTE*>(&h);
    claimsMore.cbFormat = sizeof(h);
    for (const AM_MEDIA_TYPE* mt : {&none, &shortBlock, &claimsMore}) {
        BYTE* block = reinterpret_cast<BYTE*>(1);
        DWORD size = 9;
        EXPECT_EQ(CRunGraphImpl::_SaveFormat(mt, &block, &size), E_INVALIDARG);
        EXPECT_EQ(block, nullptr);
        EXPECT_EQ(size, 0u);
    }
}
