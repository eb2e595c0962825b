// Graphs reached the way the player reaches them: through an engine media
// source's BuildGraph and ReadFrame.
#include "PlaybackTestSupport.h"
#include "engine/EngineIds.h"
#include "engine/FrameRecord.h"
#include "engine/MediaSourceGraph.h"
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
    ASSERT_TRUE(sink.WaitFrames(1, 5s));
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
