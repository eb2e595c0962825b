#include "TransferFixture.h"
#include "model/job/JobTreeAccess.h"
#include "model/source/PropertyAccess.h"
#include "platform/ClassRegistry.h"
#include <gtest/gtest.h>

using namespace jobfakes;
using Lines = std::vector<std::wstring>;

namespace {

void AddRanges(CKMFile* entry, std::initializer_list<std::pair<int64_t, int64_t>> ranges)
{
    entry->m_timelines.RemoveAt(-1);
    for (const auto& [start, end] : ranges) {
        CTimelineObj* range = entry->m_timelines.CreateItem();
        range->m_startTime = start;
        range->m_endTime = end;
    }
}

class GalleryTransfer : public ::testing::Test {
protected:
    GalleryTransfer() : factory(project.log)
    {
        project.outputs[CParametersTransfer::kVideoOutput].is_create = 1;
        for (const wchar_t* f : {L"/m/a.mp4", L"/m/b.mp4", L"/m/c.mp4"}) project.InputFiles().AddFile(f);
    }
    TestProject project;
    SourceFactory factory;
    MessageRecorder messages;
};

TEST_F(GalleryTransfer, SplitResetsGalleryDataAndWarnsOnceAboutTrims)
{
    project.advanced[CParametersTransfer::kVideoOutput].adv_enable_split = 1;
    AddRanges(project.InputFiles().GetAt(0), {{0, 10000000}});
    AddRanges(project.InputFiles().GetAt(2), {{0, 10000000}, {20000000, 30000000}});
    project.AttachJob();
    EXPECT_EQ(S_OK, project.TransferInputs());

    Lines calls;
    for (const std::wstring& l : project.log->lines)
        if (l.find(L"Update(") != std::wstring::npos) calls.push_back(l);
    EXPECT_EQ((Lines{L"P0|GalleryData|Update(0,0,1)", L"S0|GalleryData|Update(0,0,1)",
                     L"S1|GalleryData|Update(0,0,1)", L"S2|GalleryData|Update(0,0,1)"}),
              calls);
    EXPECT_EQ(1, messages.Count(MSGF_WARNING));
}

TEST_F(GalleryTransfer, SplitWithoutTrimsDoesNotWarn)
{
    project.advanced[CParametersTransfer::kVideoOutput].adv_enable_split = 1;
    for (uint32_t i = 0; i < 3; ++i) AddRanges(project.InputFiles().GetAt(i), {});
    project.AttachJob();
    EXPECT_EQ(S_OK, project.TransferInputs());
    EXPECT_EQ(0, messages.Count(MSGF_WARNING));
}

// The ranges the engine's gallery data holds: (source index, start, end).
std::vector<std::tuple<int, double, double>> GalleryRanges(IConversionJob* job)
{
    std::vector<std::tuple<int, double, double>> out;
    ComPtr<IEngineCollection> profiles = GetProfilesNode(job);
    ComPtr<IUnknown> profile;
    profiles->GetItem(0, profile.ReleaseAndGetAddressOf());
    ComPtr<IEngineProperty> data = GetNamedProperty(profile.Get(), L"GalleryData", nullptr);
    ComPtr<IUnknown> holder;
    data->GetChildNode(holder.ReleaseAndGetAddressOf());
    ComPtr<IUnknown> items;
    holder.As<IEngineNode>()->GetItem(L"Items", items.ReleaseAndGetAddressOf());
    ComPtr<IEngineCollection> ranges = items.As<IEngineCollection>();
    LONG count = 0;
    ranges->GetCount(&count);
    for (LONG i = 0; i < count; ++i) {
        ComPtr<IUnknown> range;
        ranges->GetItem(i, range.ReleaseAndGetAddressOf());
        out.emplace_back(GetSourceProperty(range.Get(), L"SourceIndex").AsInt(),
                         GetSourceProperty(range.Get(), L"StartTime").AsDouble(),
                         GetSourceProperty(range.Get(), L"EndTime").AsDouble());
    }
    return out;
}

TEST_F(GalleryTransfer, WithoutSplitEachTrimRangeBecomesAGalleryTimeline)
{
    CoInitialize();
    ASSERT_EQ(S_OK, CoCreate(CLSID_ConversionJob, project.m_job));
    // A source already in the job that no entry stands for is left alone.
    ComPtr<Node> stranger = MakeSource(project.log, L"X");
    GetFilesNode(project.m_job.Get())->AddSource(static_cast<IEngineNode*>(stranger.Get()), 0);
    AddRanges(project.InputFiles().GetAt(0), {{10000000, 20000000}, {30000000, 40000000}, {50000000, 60000000}});
    AddRanges(project.InputFiles().GetAt(1), {});
    AddRanges(project.InputFiles().GetAt(2), {{0, 5000000}});

    EXPECT_EQ(S_OK, project.TransferInputs());
    using R = std::tuple<int, double, double>;
    EXPECT_EQ((std::vector<R>{R{1, 1.0, 2.0}, R{1, 3.0, 4.0}, R{1, 5.0, 6.0}, R{3, 0.0, 0.5}}),
              GalleryRanges(project.m_job.Get()));
    EXPECT_EQ(0, messages.Count(MSGF_WARNING));
    project.ResetMontageData();
    project.m_job = nullptr;
}

}  // namespace
