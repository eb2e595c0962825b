// One source to one file: containers and codecs, trims, resizing, stop.
#include "JobTestUtil.h"
#include "mediaeng/job/transcode/FileTranscoder.h"
#include "platform/TextConv.h"
#include <thread>

namespace {

using namespace jobtest;
using mediaeng::job::CFileTranscoder;
using mediaeng::job::CJobOutput;
using mediaeng::job::CJobSource;

CJobSource SourceOf(const fs::path& file)
{
    CJobSource s;
    s.path = Utf8ToWide(file.string());
    return s;
}

mediaeng::job::CTranscodeResult Convert(const CJobSource& src, const CJobOutput& out, const fs::path& target)
{
    mediaeng::job::CPassThroughEdit edit;
    mediaeng::job::CRunControl control;
    CFileTranscoder t(src, out, edit, control);
    return t.Run(target, {});
}

struct FormatCase {
    const char* muxer;
    const char* ext;
    const char* videoEncoder;  // empty: the muxer's default
    const char* audioEncoder;
    const char* wantVideo;     // decoder name, null: audio only
    const char* wantAudio;
    const char* demuxer;
};

class ConvertFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(ConvertFormat, WritesPlayableFile)
{
    const FormatCase& c = GetParam();
    const fs::path dir = TestFolder();
    const fs::path src = fixtures::WriteClip(dir / "src.mkv");
    ASSERT_FALSE(src.empty());
    CJobOutput out;
    out.muxer = c.muxer;
    out.extension = Utf8ToWide(c.ext);
    out.video.encoder = c.videoEncoder;
    out.audio.encoder = c.audioEncoder;
    out.video.enabled = c.wantVideo != nullptr;
    out.video.bitrateKbps = 800;
    const fs::path target = dir / (std::string("out.") + c.ext);
    const mediaeng::job::CTranscodeResult r = Convert(SourceOf(src), out, target);
    ASSERT_TRUE(r.ok) << r.error;

    const fixtures::MediaInfo info = fixtures::ReadMedia(target);
    ASSERT_TRUE(info.ok) << info.error;
    EXPECT_NE(info.format.find(c.demuxer), std::string::npos) << info.format;
    if (c.wantVideo) {
        EXPECT_EQ(info.videoCodec, c.wantVideo);
        EXPECT_EQ(info.width, 160);
        EXPECT_EQ(info.height, 120);
        EXPECT_NEAR(info.fps, 25.0, 0.01);
        EXPECT_EQ(info.frames, 50);
        ASSERT_EQ(info.counters.size(), 50u);
        for (int i = 0; i < 50; ++i) ASSERT_EQ(info.counters[i], i) << "frame " << i;
    } else {
        EXPECT_FALSE(info.hasVideo);
    }
    EXPECT_EQ(info.audioCodec, c.wantAudio);
    EXPECT_EQ(info.channels, 2);
    EXPECT_EQ(info.sampleRate, 44100);
    EXPECT_NEAR(info.audioDuration, 2.0, 0.1);  // lossy codecs pad their last frame
    EXPECT_EQ(HiddenFiles(dir), 0);
}

INSTANTIATE_TEST_SUITE_P(Formats, ConvertFormat,
    ::testing::Values(FormatCase{"avi", "avi", "mpeg4", "libmp3lame", "mpeg4", "mp3", "avi"},
                      FormatCase{"mp4", "mp4", "", "aac", "h264", "aac", "mp4"},
                      FormatCase{"matroska", "mkv", "libx264", "aac", "h264", "aac", "matroska"},
                      FormatCase{"asf", "wmv", "wmv2", "wmav2", "wmv2", "wmav2", "asf"},
                      FormatCase{"mpeg", "mpg", "mpeg2video", "mp2", "mpeg2video", "mp2", "mpeg"},
                      FormatCase{"flv", "flv", "flv", "libmp3lame", "flv1", "mp3", "flv"},
                      FormatCase{"mp3", "mp3", "", "libmp3lame", nullptr, "mp3", "mp3"},
                      FormatCase{"wav", "wav", "", "pcm_s16le", nullptr, "pcm_s16le", "wav"}),
    [](const ::testing::TestParamInfo<FormatCase>& p) { return std::string(p.param.ext); });

class ConvertTrim : public ::testing::TestWithParam<const char*> {};

TEST_P(ConvertTrim, OutputLastsTheRangesWithCounterContinuous)
{
    const fs::path dir = TestFolder();
    fixtures::ClipDesc desc;
    desc.seconds = 4.0;
    desc.gopSize = 25;
    const fs::path src = fixtures::WriteClip(dir / (std::string("src.") + GetParam()), desc);
    CJobSource s = SourceOf(src);
    // 0.4 s to 1.2 s and 2.6 s to 3.0 s: frames 10..29 and 65..74.
    s.ranges = {{4'000'000, 12'000'000}, {26'000'000, 30'000'000}};
    CJobOutput out;
    const fs::path target = dir / "cut.mp4";
    const mediaeng::job::CTranscodeResult r = Convert(s, out, target);
    ASSERT_TRUE(r.ok) << r.error;
    const fixtures::MediaInfo info = fixtures::ReadMedia(target);
    ASSERT_TRUE(info.ok);
    ASSERT_EQ(info.frames, 30);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(info.counters[i], 10 + i) << i;
    for (int i = 0; i < 10; ++i) EXPECT_EQ(info.counters[20 + i], 65 + i) << i;
    EXPECT_NEAR(info.videoDuration, 1.2, 0.001);
    EXPECT_NEAR(info.audioDuration, 1.2, 0.03);  // AAC pads to its frame
}

// Sources whose seeks land on the keyframe after the cut (MPEG, WMV, FLV)
// as well as indexed ones.
INSTANTIATE_TEST_SUITE_P(Sources, ConvertTrim, ::testing::Values("mp4", "mkv", "mpg", "wmv", "flv"),
                         [](const ::testing::TestParamInfo<const char*>& p) { return std::string(p.param); });

TEST(ConvertTrimAudio, AudioCutToTheSampleInWav)
{
    const fs::path dir = TestFolder();
    const fs::path src = fixtures::WriteAudio(dir / "tone.wav", 2.0, 48000, 1);
    CJobSource s = SourceOf(src);
    s.ranges = {{1'234'567, 5'000'000}, {10'000'000, 10'100'000}};
    CJobOutput out;
    out.muxer = "wav";
    out.extension = L"wav";
    out.video.enabled = false;
    out.audio.sampleRate = 48000;
    out.audio.channels = 1;
    const fs::path target = dir / "cut.wav";
    ASSERT_TRUE(Convert(s, out, target).ok);
    const fixtures::MediaInfo info = fixtures::ReadMedia(target);
    EXPECT_EQ(info.audioSamples, (24000 - 5926) + 480);
}

struct SizeCase {
    const wchar_t* resize;
    int resizeType;
    bool letterbox;
    int width, height;
};

class ConvertSize : public ::testing::TestWithParam<SizeCase> {};

TEST_P(ConvertSize, OutputHasTheSize)
{
    const SizeCase& c = GetParam();
    const fs::path dir = TestFolder();
    fixtures::ClipDesc desc;
    desc.seconds = 0.4;
    const fs::path src = fixtures::WriteClip(dir / "src.avi", desc);
    CJobOutput out;
    out.video.resize = c.resize;
    out.video.resizeType = c.resizeType;
    out.video.letterbox = c.letterbox;
    const fs::path target = dir / "sized.mp4";
    ASSERT_TRUE(Convert(SourceOf(src), out, target).ok);
    const fixtures::MediaInfo info = fixtures::ReadMedia(target);
    EXPECT_EQ(info.width, c.width);
    EXPECT_EQ(info.height, c.height);
    ASSERT_FALSE(info.counters.empty());
    if (c.resizeType == mediaeng::job::kResizeStretch) {
        EXPECT_EQ(info.counters[0], 0);  // the whole picture is still there
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, ConvertSize,
    ::testing::Values(SizeCase{L"100%", 0, false, 160, 120}, SizeCase{L"50%", 0, false, 80, 60},
                      SizeCase{L"320 x 240", 0, false, 320, 240}, SizeCase{L"VGA (640x480)", 0, false, 640, 480},
                      SizeCase{L"320x120", 2, false, 160, 120}, SizeCase{L"320x120", 2, true, 320, 120},
                      SizeCase{L"320x120", 1, false, 320, 120}, SizeCase{L"320x120", 3, false, 320, 120},
                      SizeCase{L"161x121", 0, false, 162, 122}));

TEST(ConvertSource, DamagedAndMissingSourcesFailWithAReason)
{
    const fs::path dir = TestFolder();
    const fixtures::FixtureSet set = fixtures::WriteFixtureSet(dir / "src");
    CJobOutput out;
    for (const fs::path& bad : {set.zeroByte, set.textAsMp4, dir / "missing.avi"}) {
        const mediaeng::job::CTranscodeResult r = Convert(SourceOf(bad), out, dir / "out" / "x.mp4");
        EXPECT_FALSE(r.ok) << bad;
        EXPECT_FALSE(r.error.empty());
    }
    EXPECT_FALSE(fs::exists(dir / "out" / "x.mp4"));
    // A cut-off file converts what it holds.
    const mediaeng::job::CTranscodeResult cut = Convert(SourceOf(set.truncated), out, dir / "out" / "cut.mp4");
    EXPECT_TRUE(cut.ok) << cut.error;
}

TEST(ConvertSource, StillPictureBecomesClip)
{
    const fs::path dir = TestFolder();
    CJobSource s = SourceOf(fixtures::WritePicture(dir / "p.png", 160, 120, 7));
    s.virtualVideo = true;
    s.virtualDuration = 1.5;
    CJobOutput out;
    const fs::path target = dir / "p.mp4";
    ASSERT_TRUE(Convert(s, out, target).ok);
    const fixtures::MediaInfo info = fixtures::ReadMedia(target);
    EXPECT_EQ(info.frames, 38);  // 1.5 s at 25 fps
    EXPECT_EQ(info.counters.at(0), 7);
}

TEST(ConvertStop, StopLeavesNoFile)
{
    const fs::path dir = TestFolder();
    fixtures::ClipDesc desc;
    desc.seconds = 6;
    const fs::path src = fixtures::WriteClip(dir / "src.mkv", desc);
    CJobOutput out;
    mediaeng::job::CPassThroughEdit edit;
    mediaeng::job::CRunControl control;
    CJobSource s = SourceOf(src);
    CFileTranscoder t(s, out, edit, control);
    bool stopped = false;
    const mediaeng::job::CTranscodeResult r = t.Run(dir / "out.mp4", [&](double share) {
        if (share > 0.2 && !stopped) {
            stopped = true;
            control.RequestStop();
        }
    });
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.stopped);
    EXPECT_FALSE(fs::exists(dir / "out.mp4"));
    EXPECT_EQ(HiddenFiles(dir), 0);
}

}  // namespace

namespace {

TEST(ConvertSizeBars, BarsTakeTheLitterboxColour)
{
    const fs::path dir = TestFolder();
    fixtures::ClipDesc desc;
    desc.seconds = 0.2;
    const fs::path src = fixtures::WriteClip(dir / "src.mkv", desc);
    CJobOutput out;
    out.video.resize = L"320x120";
    out.video.resizeType = mediaeng::job::kResizeFit;
    out.video.letterbox = true;
    out.video.letterboxColor = 0x0000FF;  // COLORREF red
    const fs::path target = dir / "bars.mp4";
    ASSERT_TRUE(Convert(SourceOf(src), out, target).ok);
    const fixtures::MediaInfo info = fixtures::ReadMedia(target);
    ASSERT_EQ(info.width, 320);
    const uint8_t* left = &info.firstFrameRgb[(60 * 320 + 20) * 3];    // in the left bar
    const uint8_t* middle = &info.firstFrameRgb[(10 * 320 + 90) * 3];  // the picture's first column: white or black
    EXPECT_GT(left[0], 200);
    EXPECT_LT(left[1], 60);
    EXPECT_LT(left[2], 60);
    EXPECT_NEAR(middle[0], middle[2], 30);  // grey, not red
}

}  // namespace
