// Split, join, image and stream-copy settings read from the job's tree.
#include "JobTestUtil.h"
#include "RecordingHandler.h"
#include "engine/ConversionJob.h"
#include "engine/EngineIds.h"
#include "mediaeng/core/EngineObjects.h"
#include "mediaeng/job/settings/JobTreeReader.h"
#include "platform/ClassRegistry.h"
#include "platform/TextConv.h"
#include <gtest/gtest.h>
#include <tuple>

namespace {

class OperationsTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoInitialize();
        ASSERT_EQ(CoCreate(CLSID_ConversionJob, m_job), S_OK);
        m_format = mediaeng::job::FirstFormatNodeOf(m_job.Get());
        ASSERT_TRUE(m_format);
        ComPtr<IEngineCollection> profiles;
        ASSERT_EQ(m_job->GetProfiles(profiles.ReleaseAndGetAddressOf()), S_OK);
        ComPtr<IUnknown> first;
        profiles->GetItem(0, first.ReleaseAndGetAddressOf());
        m_profile = first.As<IEngineNode>();
        ASSERT_TRUE(m_profile);
    }
    ComPtr<IConversionJob> m_job;
    ComPtr<IEngineNode> m_format, m_profile;
};

TEST_F(OperationsTree, SplitJoinAndImageValuesReachTheRun)
{
    m_format->SetValue(L"OutputFormatID", CVariant(int32_t{22}));  // JPEG
    m_format->SetValue(L"ScreenListEnable", CVariant(int32_t{1}));
    m_format->SetValue(L"ScreenListRows", CVariant(int32_t{3}));
    m_format->SetValue(L"ScreenListCols", CVariant(int32_t{4}));
    m_format->SetValue(L"FrameShift", CVariant(int32_t{5}));
    for (auto [name, value] : {std::pair{L"SplitUse", 1}, {L"SplitType", 1}, {L"SplitCountFrames", 6}, {L"SplitStep", 7},
                               {L"SplitSize", 8}, {L"SplitStartWith", 9}, {L"SplitLastVideo", 1}, {L"JoinType", 1}})
        m_profile->SetValue(name, CVariant(int32_t(value)));
    mediaeng::job::CJobSettings s;
    std::wstring error;
    ASSERT_EQ(mediaeng::job::ReadJobTree(m_job.Get(), s, error), S_OK) << WideToUtf8(error);
    const mediaeng::job::CJobOperations& ops = s.operations;
    EXPECT_TRUE(ops.image.enabled);
    EXPECT_EQ(ops.image.encoder, "mjpeg");
    EXPECT_TRUE(ops.image.sheet);
    EXPECT_EQ(ops.image.rows, 3);
    EXPECT_EQ(ops.image.cols, 4);
    EXPECT_EQ(ops.image.startSeconds, 5);
    EXPECT_TRUE(ops.split.use);
    EXPECT_EQ(ops.split.type, 1);
    EXPECT_EQ(ops.split.count, 6);
    EXPECT_EQ(ops.split.stepSeconds, 7);
    EXPECT_EQ(ops.split.sizeMb, 8);
    EXPECT_EQ(ops.split.startSeconds, 9);
    EXPECT_TRUE(ops.split.keepLast);
    EXPECT_FALSE(ops.join.use);  // a split wins
    EXPECT_EQ(s.output.extension, L"jpg");
}

TEST_F(OperationsTree, SameAsSourceAndJoinedTitles)
{
    m_format->SetValue(L"OutputFormatID", CVariant(int32_t{100}));
    m_profile->SetValue(L"JoinType", CVariant(int32_t{1}));
    m_profile->SetValue(L"JoinImageTime", CVariant(int32_t{4}));
    auto source = MakeComObject<mediaeng::CEngineNode>(L"Source");
    source->Prop(L"FileName", CVariant(std::wstring(L"dvdtitle:1:/media/disc")));
    source->Prop(L"AddToJoin", CVariant(0.0));
    source->SetValue(L"AddToJoin", CVariant(int32_t{1}));
    ComPtr<IFilesNode> files;
    m_job->GetFilesNode(files.ReleaseAndGetAddressOf());
    files->AddSource(static_cast<IEngineNode*>(source.Get()), 0);
    mediaeng::job::CJobSettings s;
    std::wstring error;
    ASSERT_EQ(mediaeng::job::ReadJobTree(m_job.Get(), s, error), S_OK) << WideToUtf8(error);
    EXPECT_TRUE(s.operations.streamCopy);
    EXPECT_TRUE(s.operations.join.use);
    EXPECT_EQ(s.operations.join.imageSeconds, 4);
    ASSERT_EQ(s.sources.size(), 1u);
    EXPECT_TRUE(s.sources[0].addToJoin);
}

TEST_F(OperationsTree, GalleryDisplayTimesBecomeTheSourcesRanges)
{
    m_format->SetValue(L"OutputFormatID", CVariant(int32_t{13}));
    ComPtr<IFilesNode> files;
    m_job->GetFilesNode(files.ReleaseAndGetAddressOf());
    for (const wchar_t* name : {L"/a.mp4", L"/b.mp4"}) {
        auto source = MakeComObject<mediaeng::CEngineNode>(L"Source");
        source->Prop(L"FileName", CVariant(std::wstring(name)));
        files->AddSource(static_cast<IEngineNode*>(source.Get()), 0);
    }
    // As the gallery manager keeps them: one node per range under the profile's "GalleryData".
    ComPtr<IUnknown> dataItem, holder, itemsItem;
    ASSERT_EQ(m_profile->GetItem(L"GalleryData", dataItem.ReleaseAndGetAddressOf()), S_OK);
    ASSERT_EQ(dataItem.As<IEngineProperty>()->GetChildNode(holder.ReleaseAndGetAddressOf()), S_OK);
    ASSERT_EQ(holder.As<IEngineNode>()->GetItem(L"Items", itemsItem.ReleaseAndGetAddressOf()), S_OK);
    ComPtr<IEngineCollection> items = itemsItem.As<IEngineCollection>();
    for (auto [index, start, end] : {std::tuple{1, 2.0, 4.5}, {1, 6.0, 7.0}, {5, 1.0, 2.0}}) {
        auto range = MakeComObject<mediaeng::CEngineNode>(L"Range");
        range->Prop(L"SourceIndex", CVariant(int32_t(index)));
        range->Prop(L"StartTime", CVariant(start));
        range->Prop(L"EndTime", CVariant(end));
        items->Add(static_cast<IEngineNode*>(range.Get()));
    }
    mediaeng::job::CJobSettings s;
    std::wstring error;
    ASSERT_EQ(mediaeng::job::ReadJobTree(m_job.Get(), s, error), S_OK) << WideToUtf8(error);
    ASSERT_EQ(s.sources.size(), 2u);
    EXPECT_TRUE(s.sources[0].ranges.empty());  // not named: the whole file
    ASSERT_EQ(s.sources[1].ranges.size(), 2u);
    EXPECT_EQ(s.sources[1].ranges[0].start, 20000000);
    EXPECT_EQ(s.sources[1].ranges[0].end, 45000000);
    EXPECT_EQ(s.sources[1].ranges[1].start, 60000000);  // a range for a source that is not there is passed over
}

// Through the job object, as the program runs it: the tree's values decide the work.
TEST_F(OperationsTree, JobObjectWritesAContactSheetWithTheTreesCrop)
{
    const jobtest::fs::path dir = jobtest::TestFolder();
    fixtures::ClipDesc c;
    c.seconds = 2;
    c.fpsNum = 10;
    c.audio = false;
    auto source = MakeComObject<mediaeng::CEngineNode>(L"Source");
    source->Prop(L"FileName", CVariant(Utf8ToWide(fixtures::WriteClip(dir / "clip.mp4", c).string())));
    ComPtr<IFilesNode> files;
    m_job->GetFilesNode(files.ReleaseAndGetAddressOf());
    files->AddSource(static_cast<IEngineNode*>(source.Get()), 0);
    m_format->SetValue(L"OutputFormatID", CVariant(int32_t{23}));  // PNG
    m_format->SetValue(L"DestinationFolder", CVariant(Utf8ToWide((dir / "out").string())));
    m_format->SetValue(L"ScreenListEnable", CVariant(int32_t{1}));
    m_format->SetValue(L"ScreenListRows", CVariant(int32_t{2}));
    m_format->SetValue(L"ScreenListCols", CVariant(int32_t{3}));
    m_format->SetValue(L"Crop_Left", CVariant(int32_t{40}));  // 120 x 120 pictures
    m_format->SetValue(L"Crop_Right", CVariant(int32_t{0}));
    m_format->SetValue(L"Crop_Top", CVariant(int32_t{0}));
    m_format->SetValue(L"Crop_Bottom", CVariant(int32_t{0}));
    jobtest::CRecordingHandler handler;
    ASSERT_EQ(m_job->Run(0, 0, 0, &handler), S_OK);
    ASSERT_EQ(m_job->Wait(60000), S_OK);
    HRESULT result = E_FAIL;
    m_job->GetResult(&result);
    EXPECT_EQ(result, S_OK);
    const fixtures::MediaInfo info = fixtures::ReadMedia(dir / "out" / "clip.png");
    ASSERT_TRUE(info.ok) << info.error;
    EXPECT_EQ(info.width, 3 * 120);
    EXPECT_EQ(info.height, 2 * 120);
}

}  // namespace
