// Encoder settings: values an encoder cannot take become the nearest it can
// (with a warning), two-pass makes a real second pass, a write failure is an
// error and leaves no file.
#include "JobTestUtil.h"
#include "mediaeng/job/transcode/FileTranscoder.h"
#include "platform/TextConv.h"
#include <csignal>
#include <sys/resource.h>

namespace {

using namespace jobtest;

mediaeng::job::CJobSource SourceOf(const fs::path& file)
{
    mediaeng::job::CJobSource s;
    s.path = Utf8ToWide(file.string());
    return s;
}

mediaeng::job::CTranscodeResult Convert(const mediaeng::job::CJobSource& src, const mediaeng::job::CJobOutput& out,
                                        const fs::path& target)
{
    mediaeng::job::CPassThroughEdit edit;
    mediaeng::job::CRunControl control;
    mediaeng::job::CFileTranscoder t(src, out, edit, control);
    return t.Run(target, {});
}

TEST(EncoderSettings, UnsupportedValuesBecomeTheNearestWithAWarning)
{
    const fs::path dir = TestFolder();
    const fs::path src = fixtures::WriteClip(dir / "src.mkv");
    mediaeng::job::CJobOutput out;
    out.muxer = "mpeg";
    out.extension = L"mpg";
    out.video.encoder = "mpeg1video";
    out.video.frameRateNum = 20;  // MPEG-1 has no 20 fps: 23.976 is nearest
    out.video.frameRateDen = 1;
    out.audio.encoder = "mp2";
    out.audio.bitrateKbps = 100;  // MP2 takes 96 or 112
    out.audio.sampleRate = 12345; // MP2 takes 16000 or more
    const mediaeng::job::CTranscodeResult r = Convert(SourceOf(src), out, dir / "out.mpg");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_GE(r.warnings.size(), 3u);
    const fixtures::MediaInfo info = fixtures::ReadMedia(dir / "out.mpg");
    EXPECT_NEAR(info.fps, 24000.0 / 1001, 0.01);
    EXPECT_EQ(info.sampleRate, 16000);
}

TEST(EncoderSettings, TwoPassWritesOneFileAndCleansItsLog)
{
    const fs::path dir = TestFolder();
    const fs::path src = fixtures::WriteClip(dir / "src.mkv");
    for (const char* encoder : {"libx264", "mpeg4"}) {
        mediaeng::job::CJobOutput out;
        out.video.encoder = encoder;
        out.video.twoPass = true;
        out.video.bitrateKbps = 200;
        const fs::path target = dir / (std::string(encoder) + ".mp4");
        const mediaeng::job::CTranscodeResult r = Convert(SourceOf(src), out, target);
        ASSERT_TRUE(r.ok) << encoder << ": " << r.error;
        EXPECT_TRUE(r.warnings.empty());
        const fixtures::MediaInfo info = fixtures::ReadMedia(target);
        EXPECT_EQ(info.frames, 50) << encoder;
        EXPECT_EQ(info.counters.back(), 49);
    }
    EXPECT_EQ(HiddenFiles(dir), 0);  // no pass logs or partial files left
}

TEST(EncoderSettings, TwoPassIsRefusedWithAWarningWhereTheCodecHasNone)
{
    const fs::path dir = TestFolder();
    mediaeng::job::CJobOutput out;
    out.muxer = "flv";
    out.extension = L"flv";
    out.video.encoder = "flashsv";
    out.video.twoPass = true;
    fixtures::ClipDesc desc;
    desc.seconds = 0.4;
    const mediaeng::job::CTranscodeResult r =
        Convert(SourceOf(fixtures::WriteClip(dir / "src.mkv", desc)), out, dir / "o.flv");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_FALSE(r.warnings.empty());
}

TEST(EncoderSettings, AWriteFailureIsAnErrorAndLeavesNoFile)
{
    const fs::path dir = TestFolder();
    fixtures::ClipDesc desc;
    desc.seconds = 4;
    const fs::path src = fixtures::WriteClip(dir / "src.mkv", desc);
    mediaeng::job::CJobOutput out;
    out.video.bitrateKbps = 5000;

    // A file size limit stands in for a full disk: writes past it fail.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64 * 1024;
    setrlimit(RLIMIT_FSIZE, &small);
    const mediaeng::job::CTranscodeResult r = Convert(SourceOf(src), out, dir / "out" / "big.mp4");
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.empty());
    EXPECT_FALSE(fs::exists(dir / "out" / "big.mp4"));
    EXPECT_EQ(HiddenFiles(dir / "out"), 0);
}

}  // namespace
