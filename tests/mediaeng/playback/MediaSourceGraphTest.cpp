// Graphs reached the way the player reaches them: through an engine media
// source's BuildGraph and ReadFrame.
#include "fixtures/PlaybackTestSupport.h"
#include "engine/EngineIds.h"
#include "engine/FrameRecord.h"
#include "engine/MediaSourceGraph.h"
#include "fixtures/DvdFixture.h"
#include "fixtures/MediaFixtures.h"
#include "platform/ClassRegistry.h"
#include <gtest/gtest.h>
#include <cstdlib>

using namespace pbtest;
using namespace std::chrono_literals;

namespace {

ComPtr<IMediaSourceGraph> OpenSource(const fs::path& file)
{
    ComPtr<IEngineNode> node;
    EXPECT_EQ(CoCreate(CLSID_MediaSource, node), S_OK);
    if (!node) return {};
    node->SetValue(L"FileName", CVariant(file.wstring()));
    node->SetValue(L"Type", CVariant(int32_t{0}));
    ComPtr<IMediaSourceGraph> source = node.As<IMediaSourceGraph>();
    EXPECT_EQ(source->Open(nullptr), S_OK) << file;
    return source;
}

}  // namespace

TEST(MediaSourceGraph, BuildsGraphsAndReadsFramesOfTheSource)
{
    fs::path clip = TestDir() / "source.mp4";
    ASSERT_FALSE(fixtures::WriteClip(clip).empty());
    ComPtr<IMediaSourceGraph> source = OpenSource(clip);
    ASSERT_TRUE(source);

    CRecordingSink sink;  // outlives the graph that holds it
    ComPtr<IUnknown> unknown;
    ASSERT_EQ(source->BuildGraph(1, unknown.ReleaseAndGetAddressOf()), S_OK);
    ComPtr<IGraphBuilder> graph = unknown.As<IGraphBuilder>();
    ASSERT_TRUE(graph);
    HookSink(graph.Get(), &sink);
    Seek(graph.Get(), kSecond);
    graph.As<IMediaControl>()->Pause();
    ASSERT_TRUE(sink.WaitFrames(1, kHangGuard));
    EXPECT_EQ(sink.Frames().back().counter, 25);
    ClearGraphFull(graph.Get());

    FRAME_RECORD record;
    record.pbFormat = static_cast<BYTE*>(std::malloc(4));
    ASSERT_EQ(source->ReadFrame(kSecond / 2, &record, &record.pbFormat, &record.cbData, &record.pbData), S_OK);
    EXPECT_EQ(record.cbFormat, 40u);
    EXPECT_EQ(CounterOfDib(record.pbFormat, record.pbData), 12);
    std::free(record.pbFormat);
    std::free(record.pbData);
}

TEST(MediaSourceGraph, SourceWhoseFileWentAwayFailsWithATextOnTheCaller)
{
    fs::path clip = TestDir() / "gone.mp4";
    ASSERT_FALSE(fixtures::WriteClip(clip).empty());
    ComPtr<IMediaSourceGraph> source = OpenSource(clip);
    ASSERT_TRUE(source);
    fs::remove(clip);
    ComPtr<IUnknown> graph;
    EXPECT_TRUE(FAILED(source->BuildGraph(0, graph.ReleaseAndGetAddressOf())));
    EXPECT_FALSE(graph);
    std::wstring text;
    EXPECT_TRUE(CErrorMng().IsLastError(&text));
    EXPECT_FALSE(text.empty());
}

namespace {
struct NoProgress : IProgressImpl {
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT SetRange(LONGLONG) override { return S_OK; }
    HRESULT SetPos(LONGLONG) override { return S_OK; }
    HRESULT Reserved() override { return S_OK; }
    BOOL CanContinue() override { return 1; }
};
}  // namespace

// A DVD title plays and gives its pictures like a file (its picture has no counter).
TEST(MediaSourceGraph, DvdTitlePlaysAndGrabsLikeAFile)
{
    std::string why;
    const fs::path disc = fixtures::WriteDvd(TestDir() / "dvd", &why);
    if (disc.empty()) GTEST_SKIP() << "no DVD fixture: " << why;
    ComPtr<IEngineNode> dvd;
    ASSERT_EQ(CoCreate(CLSID_MediaSource, dvd), S_OK);
    dvd->SetValue(L"FileName", CVariant(disc.wstring()));
    dvd->SetValue(L"Type", CVariant(int32_t{1}));
    auto dvdGraph = dvd.As<IMediaSourceGraph>();
    HRESULT hr = dvdGraph->Open(nullptr);
    NoProgress progress;
    if (hr == MS_OPEN_PENDING) hr = dvdGraph->ContinueOpen(&progress);
    ASSERT_EQ(hr, S_OK);
    ComPtr<IUnknown> list, item;
    dvd->GetItem(L"SubFiles", list.ReleaseAndGetAddressOf());
    ASSERT_TRUE(list.As<IEngineCollection>());
    list.As<IEngineCollection>()->GetItem(0, item.ReleaseAndGetAddressOf());
    ComPtr<IMediaSourceGraph> title = item.As<IMediaSourceGraph>();
    ASSERT_TRUE(title);

    CRecordingSink sink;  // outlives the graph
    ComPtr<IUnknown> unknown;
    ASSERT_EQ(title->BuildGraph(1, unknown.ReleaseAndGetAddressOf()), S_OK);
    ComPtr<IGraphBuilder> graph = unknown.As<IGraphBuilder>();
    ASSERT_TRUE(graph);
    LONGLONG duration = 0;
    graph.As<IMediaSeeking>()->GetDuration(&duration);
    ASSERT_GT(duration, kSecond * 3 / 4);  // the titles last 1 s and 2 s
    HookSink(graph.Get(), &sink);
    Seek(graph.Get(), duration - kSecond / 2);
    graph.As<IMediaControl>()->Run();
    EXPECT_EQ(WaitEvent(graph.Get(), kHangGuard), EC_COMPLETE);
    auto frames = sink.Frames();
    EXPECT_GE(frames.size(), 10u);
    ASSERT_FALSE(frames.empty());
    for (size_t i = 1; i < frames.size(); ++i) EXPECT_EQ(frames[i].sampleTime - frames[i - 1].sampleTime, 400000);
    ClearGraphFull(graph.Get());

    FRAME_RECORD record;
    ASSERT_EQ(title->ReadFrame(kSecond / 2, &record, &record.pbFormat, &record.cbData, &record.pbData), S_OK);
    EXPECT_EQ(reinterpret_cast<BITMAPINFOHEADER*>(record.pbFormat)->biWidth, 720);
    EXPECT_EQ(record.cbData, DibStride(720, 24) * 576);
    std::free(record.pbFormat);
    std::free(record.pbData);
}
