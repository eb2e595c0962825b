// The job object as the program drives it: the tree filled by name, Run with
// a handler, outputs on disk with the format node's edits and settings.
#include "JobTestUtil.h"
#include "RecordingHandler.h"
#include "engine/ConversionJob.h"
#include "engine/EngineIds.h"
#include "engine/EngineInit.h"
#include "engine/GalleriesMng.h"
#include "engine/OutputFormatEnum.h"
#include "mediaeng/core/EngineObjects.h"
#include "mediaeng/core/FormatTable.h"
#include "mediaeng/job/operations/JobMessages.h"
#include "mediaeng/job/settings/JobTreeReader.h"
#include "platform/ClassRegistry.h"
#include "platform/TextConv.h"
#include <atomic>
#include <thread>

namespace {

using namespace jobtest;

class JobRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoInitialize();
        ASSERT_EQ(CoCreate(CLSID_ConversionJob, m_job), S_OK);
        m_format = mediaeng::job::FirstFormatNodeOf(m_job.Get());
        ASSERT_TRUE(m_format);
    }

    // A media source node as the job's "Files" node receives it.
    ComPtr<mediaeng::CEngineNode> AddSource(const fs::path& file, double duration = 2.0)
    {
        auto source = MakeComObject<mediaeng::CEngineNode>(L"Source");
        source->Prop(L"FileName", CVariant(Utf8ToWide(file.string())));
        source->Prop(L"DurationByS", CVariant(duration));
        source->Prop(L"IsVirtualVideoFile", CVariant(int32_t{0}));
        source->Prop(L"VirtualDuration", CVariant(0.0));
        ComPtr<IFilesNode> files;
        m_job->GetFilesNode(files.ReleaseAndGetAddressOf());
        files->AddSource(static_cast<IEngineNode*>(source.Get()), 0);
        return source;
    }

    void Set(const wchar_t* name, const CVariant& v) { m_format->SetValue(name, v); }

    HRESULT RunToEnd(CRecordingHandler& handler)
    {
        HRESULT hr = m_job->Run(0, 0, 0, &handler);
        if (FAILED(hr)) return hr;
        EXPECT_EQ(m_job->Wait(60000), S_OK);
        HRESULT result = E_FAIL;
        m_job->GetResult(&result);
        return result;
    }

    ComPtr<IConversionJob> m_job;
    ComPtr<IEngineNode> m_format;
};

TEST_F(JobRun, TreeSettingsReachTheOutput)
{
    const fs::path dir = TestFolder();
    AddSource(fixtures::WriteClip(dir / "src" / "A clip.mkv"));
    Set(L"OutputFormatID", CVariant(int32_t{16}));  // MKV
    Set(L"DestinationFolder", CVariant(Utf8ToWide((dir / "out").string())));
    Set(L"FileNamePattern", CVariant(L"%f_%n"));
    Set(L"WebSafe", CVariant(int32_t{1}));
    Set(L"NameCase", CVariant(int32_t{1}));
    Set(L"Resize", CVariant(L"320 x 240"));
    Set(L"FrameRateID", CVariant(int32_t{12500}));
    Set(L"Channels", CVariant(int32_t{1}));
    Set(L"SamplingRate", CVariant(int32_t{22050}));
    CRecordingHandler handler;
    ASSERT_EQ(RunToEnd(handler), S_OK);
    LONG state = -1;
    m_job->GetState(&state);
    EXPECT_EQ(state, JOB_DONE);

    const fixtures::MediaInfo info = fixtures::ReadMedia(dir / "out" / "a_clip_00.mkv");
    ASSERT_TRUE(info.ok) << info.error;
    EXPECT_EQ(info.videoCodec, "h264");
    EXPECT_EQ(info.width, 320);
    EXPECT_EQ(info.height, 240);
    EXPECT_NEAR(info.fps, 12.5, 0.01);
    EXPECT_EQ(info.frames, 25);
    EXPECT_EQ(info.counters.at(1), 2) << ::testing::PrintToString(info.counters);  // every second picture
    EXPECT_EQ(info.channels, 1);
    EXPECT_EQ(info.sampleRate, 22050);
    EXPECT_EQ(handler.Count(MSGF_FINISHED), 1);
}

// The program tells the job how many of the user's sources it could not hand
// over; the summary and the result count them.
TEST_F(JobRun, SourcesLeftOutCountInTheSummary)
{
    const fs::path dir = TestFolder();
    AddSource(fixtures::WriteClip(dir / "src" / "a.mp4"));
    Set(L"OutputFormatID", CVariant(int32_t{13}));  // MP4
    Set(L"DestinationFolder", CVariant(Utf8ToWide((dir / "out").string())));
    ASSERT_EQ(m_job.As<IEngineNode>()->SetValue(L"FilesLeftOut", CVariant(int32_t{4})), S_OK);
    CRecordingHandler handler;
    EXPECT_EQ(RunToEnd(handler), S_FALSE);
    const auto lines = handler.Lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines.back().text.find(L"1 of 5"), std::wstring::npos) << WideToUtf8(lines.back().text);
}

// A phone clip is turned upright first; the user's turn and flip, set on the
// upright picture, come on top of it.
TEST_F(JobRun, UsersTurnAndFlipApplyOnTopOfThePhonesRotation)
{
    const fs::path dir = TestFolder();
    const fs::path stored = fixtures::WriteClip(dir / "src" / "stored.mp4");
    const fs::path phone = fixtures::WriteRotatedCopy(stored, dir / "src" / "phone.mp4", 90);  // shown 120x160
    ASSERT_FALSE(phone.empty());
    AddSource(phone);
    Set(L"OutputFormatID", CVariant(int32_t{13}));  // MP4
    Set(L"DestinationFolder", CVariant(Utf8ToWide((dir / "out").string())));
    struct Case {
        int rotate, flipH;
        double redX, redY, blueX, blueY;  // the marker's two halves, as shares of the picture
    } cases[] = {
        {2, 0, 0.9, 0.75, 0.9, 0.25},  // upright, then 180: down the right side, red below
        {0, 1, 0.9, 0.25, 0.9, 0.75},  // upright, then mirrored: down the right side, red on top
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rotate * 10 + c.flipH);
        Set(L"Rotate", CVariant(int32_t{c.rotate}));
        Set(L"FlipH", CVariant(int32_t{c.flipH}));
        CRecordingHandler handler;
        ASSERT_EQ(RunToEnd(handler), S_OK);
        const fixtures::MediaInfo info = fixtures::ReadMedia(dir / "out" / "phone.mp4");
        ASSERT_TRUE(info.ok) << info.error;
        ASSERT_EQ(info.width, 120);
        ASSERT_EQ(info.height, 160);
        auto colour = [&](double fx, double fy) {
            const uint8_t* p = info.firstFrameRgb.data() + (size_t(fy * info.height) * size_t(info.width) + size_t(fx * info.width)) * 3;
            return p[0] > 150 && p[2] < 100 ? "red" : p[2] > 150 && p[0] < 100 ? "blue" : "other";
        };
        EXPECT_STREQ(colour(c.redX, c.redY), "red");
        EXPECT_STREQ(colour(c.blueX, c.blueY), "blue");
    }
}

TEST_F(JobRun, CropAndRotationShowInTheOutputSize)
{
    const fs::path dir = TestFolder();
    AddSource(fixtures::WriteClip(dir / "clip.mkv"));
    Set(L"OutputFormatID", CVariant(int32_t{1}));  // AVI
    Set(L"DestinationFolder", CVariant(Utf8ToWide(dir.string())));
    Set(L"Crop_Left", CVariant(int32_t{20}));
    Set(L"Crop_Right", CVariant(int32_t{20}));  // 120 x 120 left
    Set(L"Crop_Top", CVariant(int32_t{0}));
    Set(L"Crop_Bottom", CVariant(int32_t{40}));  // 120 x 80
    Set(L"Rotate", CVariant(int32_t{1}));  // a quarter turn: 80 x 120
    CRecordingHandler handler;
    ASSERT_EQ(RunToEnd(handler), S_OK);
    const fixtures::MediaInfo info = fixtures::ReadMedia(dir / "clip.avi");
    ASSERT_TRUE(info.ok) << info.error;
    EXPECT_EQ(info.width, 80);
    EXPECT_EQ(info.height, 120);
    EXPECT_EQ(info.frames, 50);
}

TEST_F(JobRun, TrimRangesFromTheGalleryManager)
{
    const fs::path dir = TestFolder();
    AddSource(fixtures::WriteClip(dir / "untouched.mkv"));
    auto source = AddSource(fixtures::WriteClip(dir / "clip.mkv"));
    // The ranges as the program hands them over: through the gallery manager.
    ComPtr<IEngineCollection> profiles;
    m_job->GetProfiles(profiles.ReleaseAndGetAddressOf());
    ComPtr<IUnknown> profile;
    profiles->GetItem(0, profile.ReleaseAndGetAddressOf());
    CGalleriesMng galleries;
    galleries.SetProfile(profile.Get());
    galleries.CreateObjects();
    ASSERT_EQ(galleries.CountItemsAll(), 2);
    CGalleryItemBase* item = galleries.ItemByIndex(1);
    ASSERT_TRUE(item);
    item->SetDisplayTime(2'000'000, 6'000'000, 0);
    galleries.SetDisplayTime(item);
    galleries.CreateNewTimeline(item, 10'000'000, 12'000'000);
    Set(L"OutputFormatID", CVariant(int32_t{13}));
    CRecordingHandler handler;
    ASSERT_EQ(RunToEnd(handler), S_OK);
    const fixtures::MediaInfo info = fixtures::ReadMedia(dir / "clip.mp4");
    ASSERT_EQ(info.frames, 15);
    EXPECT_EQ(info.counters.front(), 5);
    EXPECT_EQ(info.counters.back(), 29);
    EXPECT_EQ(fixtures::ReadMedia(dir / "untouched.mp4").frames, 50);
}

TEST_F(JobRun, FiltersAndStreamSwitchesReachTheOutput)
{
    const fs::path dir = TestFolder();
    auto source = AddSource(fixtures::WriteClip(dir / "clip.mkv"));
    source->Prop(L"IsAudio0", CVariant(int32_t{0}));  // the only audio stream switched off
    Set(L"OutputFormatID", CVariant(int32_t{13}));
    ComPtr<IUnknown> filters;
    m_format->GetItem(L"Filters", filters.ReleaseAndGetAddressOf());
    ComPtr<IEngineCollection> list;
    filters->QueryInterface(IID_IEngineCollection, reinterpret_cast<void**>(list.ReleaseAndGetAddressOf()));
    ComPtr<IUnknown> first;
    list->GetItem(0, first.ReleaseAndGetAddressOf());
    ComPtr<IEngineNode> item;
    first->QueryInterface(IID_IEngineNode, reinterpret_cast<void**>(item.ReleaseAndGetAddressOf()));
    item->SetValue(L"IsImageNegative", CVariant(int32_t{1}));
    CRecordingHandler handler;
    ASSERT_EQ(RunToEnd(handler), S_OK);
    const fixtures::MediaInfo info = fixtures::ReadMedia(dir / "clip.mp4");
    ASSERT_TRUE(info.ok) << info.error;
    EXPECT_FALSE(info.hasAudio);
    ASSERT_EQ(info.frames, 50);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(info.counters[i], 255 - i);  // white and black swapped
}

TEST_F(JobRun, DisplayAspectIsKeptOrSet)
{
    const fs::path dir = TestFolder();
    AddSource(fixtures::WriteWideAspectClip(dir / "wide.mp4"));
    Set(L"OutputFormatID", CVariant(int32_t{16}));
    Set(L"DestinationFolder", CVariant(Utf8ToWide((dir / "kept").string())));
    CRecordingHandler handler;
    ASSERT_EQ(RunToEnd(handler), S_OK);
    EXPECT_NEAR(fixtures::ReadMedia(dir / "kept" / "wide.mkv", false).displayAspect, 16.0 / 9.0, 0.01);

    ASSERT_EQ(CoCreate(CLSID_ConversionJob, m_job), S_OK);
    m_format = mediaeng::job::FirstFormatNodeOf(m_job.Get());
    AddSource(dir / "wide.mp4");
    Set(L"OutputFormatID", CVariant(int32_t{16}));
    Set(L"DestinationFolder", CVariant(Utf8ToWide((dir / "square").string())));
    Set(L"AspectRatioType", CVariant(int32_t{1}));  // 4:3
    ASSERT_EQ(RunToEnd(handler), S_OK);
    EXPECT_NEAR(fixtures::ReadMedia(dir / "square" / "wide.mkv", false).displayAspect, 4.0 / 3.0, 0.01);
}

// The program lets go of the job when the end of the run is reported, on the
// engine's thread; nothing may touch the job after that.
class ReleasingHandler final : public IMsgHandler {
public:
    ComPtr<IConversionJob> job;
    std::atomic<bool> released{false};
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT OnTextMessage(const wchar_t*, DWORD flags) override
    {
        if (flags & MSGF_FINISHED) {
            job = nullptr;
            released = true;
        }
        return S_OK;
    }
    HRESULT OnNotifyMessage(DWORD, DWORD, DWORD) override { return S_OK; }
};

TEST_F(JobRun, JobReleasedFromItsFinalMessage)
{
    const fs::path dir = TestFolder();
    AddSource(fixtures::WriteClip(dir / "clip.mkv"));
    Set(L"OutputFormatID", CVariant(int32_t{13}));
    ReleasingHandler handler;
    handler.job = m_job;
    ASSERT_EQ(m_job->Run(0, 0, 0, &handler), S_OK);
    m_job = nullptr;  // the handler holds the last reference
    for (int i = 0; i < 3000 && !handler.released; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(handler.released);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));  // the worker's last steps
    EXPECT_TRUE(fs::exists(dir / "clip.mp4"));
}

TEST_F(JobRun, NoFormatChosenIsAnErrorLine)
{
    AddSource(fixtures::WriteClip(TestFolder() / "clip.avi"));
    CRecordingHandler handler;
    EXPECT_TRUE(FAILED(m_job->Run(0, 0, 0, &handler)));
    EXPECT_EQ(handler.Count(MSGF_ERROR), 1);
}

// Every video and audio format of the engine's list, with its default codecs,
// gives a file that opens and holds the streams it should.
TEST(JobFormats, EveryListedFormatConverts)
{
    CoInitialize();
    const fs::path dir = TestFolder();
    fixtures::ClipDesc desc;
    desc.seconds = 0.4;
    const fs::path src = fixtures::WriteClip(dir / "src.mkv", desc);
    for (const mediaeng::FormatInfo& f : mediaeng::AllFormats()) {
        if (!(f.categories & (FMTCAT_VIDEO | FMTCAT_AUDIO))) continue;
        ComPtr<IConversionJob> job;
        ASSERT_EQ(CoCreate(CLSID_ConversionJob, job), S_OK);
        auto source = MakeComObject<mediaeng::CEngineNode>(L"Source");
        source->Prop(L"FileName", CVariant(Utf8ToWide(src.string())));
        ComPtr<IFilesNode> files;
        job->GetFilesNode(files.ReleaseAndGetAddressOf());
        files->AddSource(static_cast<IEngineNode*>(source.Get()), 0);
        ComPtr<IEngineNode> format = mediaeng::job::FirstFormatNodeOf(job.Get());
        format->SetValue(L"OutputFormatID", CVariant(int32_t{f.id}));
        format->SetValue(L"DestinationFolder", CVariant(Utf8ToWide((dir / "out").string())));
        format->SetValue(L"FileNamePattern", CVariant(Utf8ToWide(std::string(f.title))));
        CRecordingHandler handler;
        ASSERT_EQ(job->Run(0, 0, 0, &handler), S_OK) << f.title;
        ASSERT_EQ(job->Wait(60000), S_OK);
        HRESULT result = E_FAIL;
        job->GetResult(&result);
        std::string log;
        for (const auto& l : handler.Lines()) log += WideToUtf8(l.text) + "\n";
        EXPECT_EQ(result, S_OK) << f.title << "\n" << log;
        if (std::getenv("KM_SHOW_LOG")) std::printf("%s\n%s", f.title, log.c_str());
        const fixtures::MediaInfo info = fixtures::ReadMedia(dir / "out" / (std::string(f.title) + "." + f.extension));
        EXPECT_TRUE(info.ok) << f.title << ": " << info.error;
        EXPECT_EQ(info.hasVideo, !f.videoTags.empty()) << f.title;
        EXPECT_TRUE(info.hasAudio) << f.title;
    }
}

TEST(JobTreeValues, FrameRatesAndAspects)
{
    int num = 0, den = 0;
    mediaeng::job::FrameRateFromId(29970, num, den);
    EXPECT_EQ(num * 1000 / den, 29970);
    EXPECT_EQ(den, 1001);
    mediaeng::job::FrameRateFromId(23976, num, den);
    EXPECT_EQ(num, 24000);
    mediaeng::job::FrameRateFromId(25000, num, den);
    EXPECT_EQ(double(num) / den, 25.0);
    mediaeng::job::FrameRateFromId(0, num, den);
    EXPECT_EQ(num, 0);
    EXPECT_DOUBLE_EQ(mediaeng::job::AspectFromId(2), 16.0 / 9.0);
    EXPECT_EQ(mediaeng::job::AspectFromId(9), 0);
}

}  // namespace
