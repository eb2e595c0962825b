// The media probe against a fake engine source: opening once, the facts it
// reads, the media kinds, and what a failed open leaves behind.
#include "FakeEngine.h"
#include "model/source/FileParserImpl.h"
#include "model/source/MediaKind.h"
#include "model/source/PropertyAccess.h"
#include <gtest/gtest.h>
#include <functional>

using fakes::CFakeSource;

namespace {

TEST(FileParser, OpensOnceAndReadsTheFacts)
{
    fakes::CSourceFactoryScope factory;
    ComPtr<CFakeSource> source = fakes::MakeSource();
    source->SetVideo(1.5, 640, 480);
    source->containerItems[L"AspectRatio"] = CVariant(1.7777);
    factory.Queue(source);

    CFileParserImpl probe;
    probe.m_sourceType = 1;
    ASSERT_EQ(probe.OpenMediaSource(L"/media/clip.mp4"), S_OK);
    EXPECT_EQ(probe.m_duration, 15'000'000);
    EXPECT_EQ(probe.m_height, 480);
    EXPECT_EQ(probe.m_width, 853);  // height x aspect, whatever "Width" said
    EXPECT_DOUBLE_EQ(probe.m_aspectRatio, 1.7777);
    EXPECT_EQ(probe.m_infoRead, 1);
    EXPECT_EQ(source->properties[L"FileName"].AsString(), L"/media/clip.mp4");
    EXPECT_EQ(source->properties[L"Type"].AsInt(), 1);

    EXPECT_EQ(probe.OpenMediaSource(L"/media/clip.mp4"), S_OK);
    EXPECT_EQ(factory.created.load(), 1);
    EXPECT_EQ(source->openCalls.load(), 1);
}

struct FactsCase {
    const char* name;
    std::function<void(CFakeSource&)> setUp;
    int64_t duration;  // probe starts with 777 to show what is kept
    int32_t width, height;
    int hasVideo, hasAudio, hasFrameSize;
    bool image, audioOnly, video;
};

void PrintTo(const FactsCase& c, std::ostream* os) { *os << c.name; }

class FileParserFacts : public ::testing::TestWithParam<FactsCase> {};

TEST_P(FileParserFacts, ReadsWhatTheSourceAnswers)
{
    const FactsCase& c = GetParam();
    ComPtr<CFakeSource> source = fakes::MakeSource();
    c.setUp(*source);
    IUnknown* unknown = static_cast<IEngineNode*>(source.Get());
    CFileParserImpl probe;
    probe.m_duration = 777;
    probe.ReadMediaInfo(unknown);
    EXPECT_EQ(probe.m_duration, c.duration);
    EXPECT_EQ(probe.m_width, c.width);
    EXPECT_EQ(probe.m_height, c.height);
    EXPECT_EQ(probe.m_hasVideo, c.hasVideo);
    EXPECT_EQ(probe.m_hasAudio, c.hasAudio);
    EXPECT_EQ(probe.m_hasFrameSize, c.hasFrameSize);
    EXPECT_EQ(IsImageSource(unknown), c.image);
    EXPECT_EQ(IsAudioOnlySource(unknown), c.audioOnly);
    EXPECT_EQ(IsVideoSource(unknown), c.video);
}

CVariant I4(int32_t v) { return CVariant(v); }

INSTANTIATE_TEST_SUITE_P(
    Table, FileParserFacts,
    ::testing::Values(
        FactsCase{"VideoWithAspect",
                  [](CFakeSource& s) {
                      s.SetVideo(1.5, 640, 480);
                      s.containerItems[L"AspectRatio"] = CVariant(1.7777);
                  },
                  15'000'000, 853, 480, 1, 0, 1, false, false, true},
        FactsCase{"VideoWithoutAspectKeepsWidth", [](CFakeSource& s) { s.SetVideo(2.0, 640, 480); },
                  20'000'000, 640, 480, 1, 0, 1, false, false, true},
        FactsCase{"NoDurationKeepsTheOldOne",
                  [](CFakeSource& s) { s.containerItems[L"Video: 1"] = I4(1); },
                  777, 0, 0, 1, 0, 0, false, false, true},
        FactsCase{"WidthWithoutHeightHasNoFrameSize",
                  [](CFakeSource& s) {
                      s.containerItems[L"Width"] = I4(320);
                      s.containerItems[L"Audio"] = I4(1);
                  },
                  777, 320, 0, 0, 1, 0, false, true, false},
        FactsCase{"Picture",
                  [](CFakeSource& s) {
                      s.containerItems[L"Width"] = I4(160);
                      s.containerItems[L"Height"] = I4(120);
                  },
                  777, 160, 120, 0, 0, 1, true, false, false},
        FactsCase{"PictureWithAudioIsBoth",
                  [](CFakeSource& s) {
                      s.containerItems[L"Width"] = I4(160);
                      s.containerItems[L"Height"] = I4(120);
                      s.containerItems[L"Audio: 1"] = I4(1);
                  },
                  777, 160, 120, 0, 1, 1, true, true, false},
        FactsCase{"VirtualVideo",
                  [](CFakeSource& s) {
                      s.properties[L"IsVirtualVideoFile"] = I4(1);
                      s.containerItems[L"Width"] = I4(160);
                      s.containerItems[L"Height"] = I4(120);
                  },
                  777, 160, 120, 1, 1, 1, false, false, true},
        FactsCase{"VirtualFlagZeroIsNotVirtual",
                  [](CFakeSource& s) { s.properties[L"IsVirtualVideoFile"] = I4(0); },
                  777, 0, 0, 0, 0, 0, false, false, false},
        FactsCase{"NonsenseAspectAndDurationAreIgnored",
                  [](CFakeSource& s) {
                      s.containerItems[L"DurationByS"] = CVariant(1e300);
                      s.containerItems[L"Height"] = I4(480);
                      s.containerItems[L"Width"] = I4(640);
                      s.containerItems[L"AspectRatio"] = CVariant(1e300);
                  },
                  777, 640, 480, 0, 0, 1, true, false, false}),
    [](const ::testing::TestParamInfo<FactsCase>& info) { return std::string(info.param.name); });

TEST(FileParser, FailedOpenKeepsTheEngineTextAndReportsItOnTheNextOpen)
{
    fakes::CSourceFactoryScope factory;
    fakes::CFakeDocument document;
    ComPtr<CFakeSource> source = fakes::MakeSource();
    source->openResult = E_INVALIDARG;
    source->errorText = L"Unknown format: 100% unreadable %s";
    factory.Queue(source);

    CFileParserImpl probe;
    EXPECT_EQ(probe.OpenMediaSource(L"/media/bad.mp4"), E_INVALIDARG);
    EXPECT_EQ(probe.m_openError, source->errorText);
    EXPECT_EQ(probe.m_infoRead, 0);
    EXPECT_TRUE(document.reports.empty());

    EXPECT_EQ(probe.OpenMediaSource(L"/media/bad.mp4"), E_FAIL);
    ASSERT_EQ(document.reports.size(), 1u);
    EXPECT_EQ(document.reports[0], source->errorText);
    EXPECT_EQ(factory.created.load(), 1);
}

TEST(FileParser, FailedOpenWithoutEngineTextStillLeavesOne)
{
    fakes::CSourceFactoryScope factory;
    ComPtr<CFakeSource> source = fakes::MakeSource();
    source->openResult = E_FAIL;
    factory.Queue(source);

    CFileParserImpl probe;
    EXPECT_EQ(probe.OpenMediaSource(L"/media/bad.mp4"), E_FAIL);
    EXPECT_NE(probe.m_openError.find(L"/media/bad.mp4"), std::wstring::npos);
}

TEST(FileParser, CreationFailureIsRetriedOnTheNextOpen)
{
    fakes::CSourceFactoryScope factory;
    factory.fail = true;
    CFileParserImpl probe;
    EXPECT_TRUE(FAILED(probe.OpenMediaSource(L"/media/a.mp4")));
    EXPECT_FALSE(probe.m_openError.empty());
    EXPECT_FALSE(probe.HasOwnSource());

    factory.fail = false;
    EXPECT_EQ(probe.OpenMediaSource(L"/media/a.mp4"), S_OK);
    EXPECT_TRUE(probe.m_openError.empty());
    EXPECT_EQ(factory.created.load(), 1);
}

TEST(FileParser, SourceWithoutGraphIsKeptButNotRead)
{
    fakes::CSourceFactoryScope factory;
    fakes::CFakeDocument document;
    ComPtr<CFakeSource> source = fakes::MakeSource();
    source->hasGraph = false;
    source->SetVideo(1.0, 10, 10);
    factory.Queue(source);

    CFileParserImpl probe;
    EXPECT_EQ(probe.OpenMediaSource(L"/media/a.mp4"), S_OK);
    EXPECT_EQ(probe.m_infoRead, 0);
    EXPECT_EQ(probe.m_duration, 0);
    // Never read, so the next open counts as failed and says so in words.
    EXPECT_EQ(probe.OpenMediaSource(L"/media/a.mp4"), E_FAIL);
    ASSERT_EQ(document.reports.size(), 1u);
    EXPECT_FALSE(document.reports[0].empty());
}

TEST(FileParser, WithoutSourceGettersAnswerOneAndLeaveTheOutPointer)
{
    CFileParserImpl probe;
    IUnknown* sentinel = reinterpret_cast<IUnknown*>(0x1234);
    IUnknown* out = sentinel;
    EXPECT_EQ(probe.GetSource(&out), S_FALSE);
    EXPECT_EQ(out, sentinel);
    IPropertyContainer* container = reinterpret_cast<IPropertyContainer*>(0x1234);
    EXPECT_EQ(probe.GetPropertyContainer(&container), S_FALSE);
    EXPECT_EQ(container, reinterpret_cast<IPropertyContainer*>(0x1234));
    EXPECT_EQ(probe.ReleaseGraph(), S_OK);
}

TEST(FileParser, GettersHandOutOneReferenceAndReleaseGraphReachesTheSource)
{
    ComPtr<CFakeSource> source = fakes::MakeSource();
    CFileParserImpl probe;
    probe.SetSource(static_cast<IEngineNode*>(source.Get()));
    ULONG before = source->RefCount();
    IUnknown* out = nullptr;
    ASSERT_EQ(probe.GetSource(&out), S_OK);
    EXPECT_EQ(source->RefCount(), before + 1);
    out->Release();
    IPropertyContainer* container = nullptr;
    ASSERT_EQ(probe.GetPropertyContainer(&container), S_OK);
    container->Release();
    probe.ReleaseGraph();
    EXPECT_EQ(source->releaseGraphCalls.load(), 1);
}

TEST(FileParser, FetchLastErrorCopiesTheTextLiterally)
{
    CFileParserImpl probe;
    probe.m_lastError = L"old";
    EXPECT_EQ(probe.FetchLastError(), S_OK);
    EXPECT_EQ(probe.m_lastError, L"old");

    probe.SetError(L"50% of %s failed");
    probe.FetchLastError();
    EXPECT_EQ(probe.m_lastError, L"50% of %s failed");
    std::wstring held;
    EXPECT_TRUE(probe.IsLastError(&held));
    EXPECT_EQ(held, L"50% of %s failed");
    probe.SetError(L"");  // leaves no engine error behind on this thread
}

TEST(PropertyAccess, MissingObjectOrNameGivesNullOrEmpty)
{
    EXPECT_FALSE(SetSourceProperty(nullptr, L"FileName", CVariant(L"x")));
    EXPECT_EQ(GetSourceProperty(nullptr, L"FileName").vt, VT_EMPTY);
    EXPECT_FALSE(GetSubFiles(nullptr));

    ComPtr<CFakeSource> source = fakes::MakeSource();
    IUnknown* unknown = static_cast<IEngineNode*>(source.Get());
    EXPECT_FALSE(SetSourceProperty(unknown, L"NoSuchName", CVariant(L"x")));
    EXPECT_EQ(source->properties.count(L"NoSuchName"), 0u);
    CVariant value(int32_t{42});
    EXPECT_FALSE(GetSourcePropertyValue(unknown, L"NoSuchName", &value));
    EXPECT_EQ(value.AsInt(), 42);  // left as it was
    EXPECT_FALSE(GetSubFiles(unknown));

    EXPECT_TRUE(SetSourceProperty(unknown, L"FileName", CVariant(L"/a b.mp4")));
    EXPECT_EQ(GetSourceProperty(unknown, L"FileName").AsString(), L"/a b.mp4");
}

}  // namespace
