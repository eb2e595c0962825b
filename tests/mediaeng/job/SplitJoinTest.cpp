// Splits, joins, slideshows, stream copies and DVD titles through the batch
// runner, outputs probed with libavformat.
#include "JobTestUtil.h"
#include "RecordingHandler.h"
#include "fixtures/DvdFixture.h"
#include "mediaeng/dvd/DvdDisc.h"
#include "mediaeng/job/run/BatchRunner.h"
#include "mediaeng/job/operations/JobMessages.h"
#include "mediaeng/job/operations/SplitPlan.h"
#include "platform/TextConv.h"
extern "C" {
#include <libavformat/avformat.h>
}
#include <cmath>
#include <chrono>
#include <cstring>
#include <thread>

namespace {

using namespace jobtest;

mediaeng::job::CJobSource SourceOf(const fs::path& file, double duration = 0)
{
    mediaeng::job::CJobSource s;
    s.path = Utf8ToWide(file.string());
    s.duration = duration;
    return s;
}

// Runs settings to the end; the handler keeps the log.
HRESULT RunBatch(const mediaeng::job::CJobSettings& settings, CRecordingHandler& handler)
{
    mediaeng::job::CBatchRunner runner;
    EXPECT_EQ(runner.Start(settings, &handler), S_OK);
    EXPECT_EQ(runner.Wait(120000), S_OK);
    return runner.Result();
}

std::vector<fs::path> FilesIn(const fs::path& dir)
{
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(dir)) files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

mediaeng::job::CJobSettings OutputTo(const fs::path& out)
{
    mediaeng::job::CJobSettings s;
    s.output.naming.destinationFolder = Utf8ToWide(out.string());
    return s;
}

fixtures::ClipDesc SmallClip(double seconds, int firstCounter = 0)
{
    fixtures::ClipDesc c;
    c.seconds = seconds;
    c.fpsNum = 10;
    c.gopSize = 10;
    c.firstCounter = firstCounter;
    return c;
}

TEST(SplitPlan, PartsByTimeAndCount)
{
    struct Case {
        int type, step, count, start;
        bool keepLast;
        double duration;
        std::vector<std::pair<double, double>> parts;
    } cases[] = {
        {mediaeng::job::kSplitByTime, 3, 0, 0, true, 10, {{0, 3}, {3, 6}, {6, 9}, {9, 10}}},
        {mediaeng::job::kSplitByTime, 3, 0, 0, false, 10, {{0, 3}, {3, 6}, {6, 9}}},
        {mediaeng::job::kSplitByTime, 3, 0, 0, false, 9.02, {{0, 3}, {3, 6}, {6, 9}}},  // a rounding tail is no part
        {mediaeng::job::kSplitByTime, 10, 0, 0, false, 4, {{0, 4}}},  // shorter than a step: kept whole
        {mediaeng::job::kSplitByTime, 4, 0, 2, true, 10, {{2, 6}, {6, 10}}},
        {mediaeng::job::kSplitByCount, 0, 3, 0, false, 9, {{0, 3}, {3, 6}, {6, 9}}},
        {mediaeng::job::kSplitByCount, 0, 2, 4, false, 10, {{4, 7}, {7, 10}}},
        {mediaeng::job::kSplitByCount, 0, 2, 12, false, 10, {}},  // the start is past the end
    };
    for (const Case& c : cases) {
        mediaeng::job::CSplitSettings s;
        s.use = true;
        s.type = c.type;
        s.stepSeconds = c.step;
        s.count = c.count;
        s.startSeconds = c.start;
        s.keepLast = c.keepLast;
        const auto parts = mediaeng::job::PlanSplit(s, c.duration);
        ASSERT_EQ(parts.size(), c.parts.size()) << "type " << c.type << " duration " << c.duration;
        for (size_t i = 0; i < parts.size(); ++i) {
            EXPECT_NEAR(parts[i].start, c.parts[i].first, 1e-9);
            EXPECT_NEAR(parts[i].end, c.parts[i].second, 1e-9);
        }
    }
}

TEST(Split, ByTimeWithAndWithoutTheShortLastPart)
{
    const fs::path dir = TestFolder();
    const fs::path clip = fixtures::WriteClip(dir / "clip.mp4", SmallClip(10));
    for (bool keepLast : {true, false}) {
        const fs::path out = dir / (keepLast ? "with" : "without");
        mediaeng::job::CJobSettings s = OutputTo(out);
        s.sources = {SourceOf(clip)};
        s.operations.split = {true, mediaeng::job::kSplitByTime, 2, 3, 700, 0, keepLast};
        s.output.naming.numericStart = 1;
        CRecordingHandler handler;
        EXPECT_EQ(RunBatch(s, handler), S_OK);
        const auto files = FilesIn(out);
        ASSERT_EQ(files.size(), keepLast ? 4u : 3u);
        EXPECT_EQ(files[0].filename(), "clip_01.mp4");  // the numeric variable names the parts
        EXPECT_EQ(files[2].filename(), "clip_03.mp4");
        int nextCounter = 0;
        for (size_t i = 0; i < files.size(); ++i) {
            const fixtures::MediaInfo info = fixtures::ReadMedia(files[i]);
            ASSERT_TRUE(info.ok) << info.error;
            EXPECT_NEAR(info.videoDuration, i == 3 ? 1.0 : 3.0, 0.11) << files[i];
            EXPECT_NEAR(info.audioDuration, info.videoDuration, 0.1) << files[i];
            ASSERT_FALSE(info.counters.empty());
            EXPECT_EQ(info.counters.front(), nextCounter) << files[i];  // no frame lost or repeated between parts
            nextCounter = info.counters.back() + 1;
        }
        EXPECT_EQ(handler.Count(MSGF_FILE_DONE), int(files.size()));
        DWORD last = 0;
        for (const auto& e : handler.Events()) {
            if (e.id != MSGE_FILE_POS) continue;
            EXPECT_GE(e.value, last);  // the bar never goes back between parts
            last = e.value;
        }
        EXPECT_EQ(last, mediaeng::job::kProgressScale);
        EXPECT_EQ(HiddenFiles(out), 0);
    }
}

TEST(Split, IntoThreeEqualParts)
{
    const fs::path dir = TestFolder();
    const fs::path clip = fixtures::WriteClip(dir / "clip.mp4", SmallClip(10));
    mediaeng::job::CJobSettings s = OutputTo(dir / "out");
    s.sources = {SourceOf(clip, 10.0)};
    s.operations.split = {true, mediaeng::job::kSplitByCount, 3, 10, 700, 0, false};
    CRecordingHandler handler;
    EXPECT_EQ(RunBatch(s, handler), S_OK);
    const auto files = FilesIn(dir / "out");
    ASSERT_EQ(files.size(), 3u);
    double total = 0;
    for (const fs::path& f : files) {
        const fixtures::MediaInfo info = fixtures::ReadMedia(f);
        EXPECT_NEAR(info.videoDuration, 10.0 / 3, 0.15) << f;
        total += info.videoDuration;
    }
    EXPECT_NEAR(total, 10.0, 0.15);
}

TEST(Split, BySizeGivesPartsUnderTheLimit)
{
    const fs::path dir = TestFolder();
    const fs::path tone = fixtures::WriteAudio(dir / "tone.wav", 10.0);  // 1.76 MB of PCM
    mediaeng::job::CJobSettings s = OutputTo(dir / "out");
    s.output.muxer = "wav";
    s.output.extension = L"wav";
    s.output.video.enabled = false;
    s.output.audio.encoder = "pcm_s16le";
    s.output.audio.sampleRate = 44100;
    s.sources = {SourceOf(tone)};
    s.operations.split = {true, mediaeng::job::kSplitBySize, 2, 10, 1, 0, false};
    CRecordingHandler handler;
    EXPECT_EQ(RunBatch(s, handler), S_OK);
    const auto files = FilesIn(dir / "out");
    ASSERT_EQ(files.size(), 2u);
    double total = 0;
    for (const fs::path& f : files) {
        EXPECT_LE(fs::file_size(f), 1000000u) << f;
        total += fixtures::ReadMedia(f).audioDuration;
    }
    EXPECT_NEAR(total, 10.0, 0.05);  // nothing lost between parts
}

TEST(Join, ThreeClipsMakeOneWithAContinuousCounter)
{
    const fs::path dir = TestFolder();
    fixtures::ClipDesc big = SmallClip(1, 25);
    big.width = 320;
    big.height = 240;  // a source of another size is fitted to the first's
    const std::vector<fs::path> clips = {fixtures::WriteClip(dir / "a.mp4", SmallClip(1, 0)),
                                         fixtures::WriteClip(dir / "b.mkv", SmallClip(1.5, 10)),
                                         fixtures::WriteClip(dir / "c.mp4", big)};
    mediaeng::job::CJobSettings s = OutputTo(dir / "out");
    for (const fs::path& c : clips) s.sources.push_back(SourceOf(c));
    s.operations.join.use = true;
    CRecordingHandler handler;
    EXPECT_EQ(RunBatch(s, handler), S_OK);
    const auto files = FilesIn(dir / "out");
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].filename(), "a.mp4");
    const fixtures::MediaInfo info = fixtures::ReadMedia(files[0]);
    ASSERT_TRUE(info.ok) << info.error;
    EXPECT_EQ(info.width, 160);
    EXPECT_NEAR(info.videoDuration, 3.5, 0.11);
    EXPECT_NEAR(info.audioDuration, info.videoDuration, 0.06);  // in step at the end, so at every seam
    ASSERT_EQ(info.counters.size(), 35u);
    for (int i = 0; i < 35; ++i) EXPECT_EQ(info.counters[i], i) << "frame " << i;
}

TEST(Join, ClipWithoutSoundKeepsTheSeamsInStep)
{
    const fs::path dir = TestFolder();
    fixtures::ClipDesc mute = SmallClip(1, 10);
    mute.audio = false;
    mediaeng::job::CJobSettings s = OutputTo(dir / "out");
    s.sources = {SourceOf(fixtures::WriteClip(dir / "a.mp4", SmallClip(1, 0))),
                 SourceOf(fixtures::WriteClip(dir / "b.mp4", mute)),
                 SourceOf(fixtures::WriteClip(dir / "c.mp4", SmallClip(1, 20)))};
    s.operations.join.use = true;
    CRecordingHandler handler;
    EXPECT_EQ(RunBatch(s, handler), S_OK);
    const fixtures::MediaInfo info = fixtures::ReadMedia(dir / "out" / "a.mp4");
    EXPECT_NEAR(info.videoDuration, 3.0, 0.11);
    EXPECT_NEAR(info.audioDuration, 3.0, 0.06);
    ASSERT_EQ(info.counters.size(), 30u);
    EXPECT_EQ(info.counters.back(), 29);
}

TEST(Join, SoundOnlySourcesIntoASoundFormat)
{
    const fs::path dir = TestFolder();
    mediaeng::job::CJobSettings s = OutputTo(dir / "out");
    s.output.muxer = "wav";
    s.output.extension = L"wav";
    s.output.video.enabled = false;
    s.output.audio.encoder = "pcm_s16le";
    s.output.audio.sampleRate = 22050;
    s.sources = {SourceOf(fixtures::WriteAudio(dir / "a.wav", 1.0, 44100, 2)),
                 SourceOf(fixtures::WriteAudio(dir / "b.wav", 1.5, 22050, 1))};  // another rate and layout
    s.operations.join.use = true;
    CRecordingHandler handler;
    EXPECT_EQ(RunBatch(s, handler), S_OK);
    const fixtures::MediaInfo info = fixtures::ReadMedia(dir / "out" / "a.wav");
    ASSERT_TRUE(info.ok) << info.error;
    EXPECT_EQ(info.sampleRate, 22050);
    EXPECT_NEAR(info.audioDuration, 2.5, 0.01);
}

TEST(StreamCopy, RangeBeyondTheEndIsAnErrorAndLeavesNoFile)
{
    const fs::path dir = TestFolder();
    mediaeng::job::CJobSettings s = OutputTo(dir / "out");
    s.operations.streamCopy = true;
    mediaeng::job::CJobSource src = SourceOf(fixtures::WriteClip(dir / "clip.mp4", SmallClip(1)));
    src.ranges = {{int64_t(5e7), int64_t(6e7)}};
    s.sources = {src};
    CRecordingHandler handler;
    EXPECT_EQ(RunBatch(s, handler), S_FALSE);
    EXPECT_EQ(handler.Count(MSGF_ERROR), 1);
    EXPECT_TRUE(!fs::exists(dir / "out") || FilesIn(dir / "out").empty());
}

TEST(Join, StopLeavesNoFile)
{
    const fs::path dir = TestFolder();
    mediaeng::job::CJobSettings s = OutputTo(dir / "out");
    for (const char* name : {"a.mp4", "b.mp4", "c.mp4"}) s.sources.push_back(SourceOf(fixtures::WriteClip(dir / name, SmallClip(3))));
    s.operations.join.use = true;
    CRecordingHandler handler;
    mediaeng::job::CBatchRunner runner;
    ASSERT_EQ(runner.Start(s, &handler), S_OK);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    runner.Stop();
    EXPECT_EQ(runner.Result(), E_ABORT);
    EXPECT_TRUE(!fs::exists(dir / "out") || FilesIn(dir / "out").empty());
}

TEST(StreamCopy, SplitByTimeGivesPartsAtKeyframes)
{
    const fs::path dir = TestFolder();
    mediaeng::job::CJobSettings s = OutputTo(dir / "out");
    s.operations.streamCopy = true;
    s.operations.split = {true, mediaeng::job::kSplitByTime, 2, 2, 700, 0, true};
    s.sources = {SourceOf(fixtures::WriteClip(dir / "clip.mkv", SmallClip(5)))};
    CRecordingHandler handler;
    EXPECT_EQ(RunBatch(s, handler), S_OK);
    const auto files = FilesIn(dir / "out");
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0].filename(), "clip_00.mkv");  // the source's own container
    for (const fs::path& f : files) {
        const fixtures::MediaInfo info = fixtures::ReadMedia(f);
        ASSERT_TRUE(info.ok) << info.error;
        EXPECT_GT(info.frames, 5) << f;
    }
}

TEST(Join, PicturesBecomeASlideshow)
{
    const fs::path dir = TestFolder();
    mediaeng::job::CJobSettings s = OutputTo(dir / "out");
    s.sources = {SourceOf(fixtures::WritePicture(dir / "p1.png", 160, 120, 1)),
                 SourceOf(fixtures::WritePicture(dir / "p2.jpg", 320, 240, 2)),
                 SourceOf(fixtures::WritePicture(dir / "p3.png", 160, 120, 3))};
    s.operations.join = {true, 2};
    s.output.video.frameRateNum = 10;
    s.output.video.frameRateDen = 1;
    CRecordingHandler handler;
    EXPECT_EQ(RunBatch(s, handler), S_OK);
    const fixtures::MediaInfo info = fixtures::ReadMedia(dir / "out" / "p1.mp4");
    ASSERT_TRUE(info.ok) << info.error;
    EXPECT_NEAR(info.videoDuration, 6.0, 0.11);
    EXPECT_FALSE(info.hasAudio);  // no source has sound
    ASSERT_EQ(info.counters.size(), 60u);
    EXPECT_EQ(info.counters[0], 1);
    EXPECT_EQ(info.counters[25], 2);
    EXPECT_EQ(info.counters[59], 3);
}

// The codec parameters of the first stream of a kind, as the demuxer reads them.
struct Params {
    AVCodecID id = AV_CODEC_ID_NONE;
    int width = 0, height = 0, profile = 0, level = 0, sampleRate = 0, channels = 0;
    std::vector<uint8_t> extradata;
    bool operator==(const Params&) const = default;
};
Params ParamsOf(const fs::path& file, AVMediaType type)
{
    Params p;
    AVFormatContext* ctx = nullptr;
    if (avformat_open_input(&ctx, file.c_str(), nullptr, nullptr) < 0) return p;
    avformat_find_stream_info(ctx, nullptr);
    for (unsigned i = 0; i < ctx->nb_streams; ++i) {
        const AVCodecParameters* c = ctx->streams[i]->codecpar;
        if (c->codec_type != type) continue;
        p = {c->codec_id, c->width, c->height, c->profile, c->level, c->sample_rate, c->ch_layout.nb_channels,
             std::vector<uint8_t>(c->extradata, c->extradata + c->extradata_size)};
        break;
    }
    avformat_close_input(&ctx);
    return p;
}

TEST(StreamCopy, TrimKeepsTheCodecParametersAndCutsAtTheKeyframeBefore)
{
    const fs::path dir = TestFolder();
    const fs::path clip = fixtures::WriteClip(dir / "clip.mp4", SmallClip(4));  // keyframes every 1 s
    mediaeng::job::CJobSettings s = OutputTo(dir / "out");
    s.output.muxer.clear();
    s.output.extension.clear();
    s.operations.streamCopy = true;
    mediaeng::job::CJobSource src = SourceOf(clip);
    src.ranges = {{int64_t(1.5e7), int64_t(3.0e7)}};
    s.sources = {src};
    CRecordingHandler handler;
    EXPECT_EQ(RunBatch(s, handler), S_OK);
    const fs::path out = dir / "out" / "clip.mp4";
    ASSERT_TRUE(fs::exists(out));
    EXPECT_EQ(ParamsOf(out, AVMEDIA_TYPE_VIDEO), ParamsOf(clip, AVMEDIA_TYPE_VIDEO));
    EXPECT_EQ(ParamsOf(out, AVMEDIA_TYPE_AUDIO), ParamsOf(clip, AVMEDIA_TYPE_AUDIO));
    const fixtures::MediaInfo info = fixtures::ReadMedia(out);
    ASSERT_TRUE(info.ok) << info.error;
    ASSERT_FALSE(info.counters.empty());
    // It begins at a keyframe at or before the asked start, and says so.
    const int first = info.counters.front();
    EXPECT_LE(first, 15);
    EXPECT_GE(first, 5);
    const double begin = first / 10.0;
    EXPECT_GE(info.videoDuration, 3.0 - begin - 0.01);
    EXPECT_LE(info.videoDuration, 3.0 - begin + 0.45);  // up to the pictures the last ones depend on
    EXPECT_NEAR(info.audioDuration, 3.0 - begin, 0.1);
    wchar_t expected[64];
    std::swprintf(expected, 64, L"keyframe at %.2f s", begin);
    bool logged = false;
    for (const auto& l : handler.Lines()) logged |= l.text.find(expected) != std::wstring::npos;
    EXPECT_TRUE(logged);
}

TEST(StreamCopy, JoinOfAlikeSourcesAndRefusalOfUnlikeOnes)
{
    const fs::path dir = TestFolder();
    mediaeng::job::CJobSettings s = OutputTo(dir / "out");
    s.operations.streamCopy = true;
    s.operations.join.use = true;
    s.sources = {SourceOf(fixtures::WriteClip(dir / "a.mp4", SmallClip(1, 0))),
                 SourceOf(fixtures::WriteClip(dir / "b.mp4", SmallClip(1, 10)))};
    CRecordingHandler handler;
    EXPECT_EQ(RunBatch(s, handler), S_OK);
    const fixtures::MediaInfo info = fixtures::ReadMedia(dir / "out" / "a.mp4");
    ASSERT_TRUE(info.ok) << info.error;
    EXPECT_NEAR(info.videoDuration, 2.0, 0.11);
    ASSERT_EQ(info.counters.size(), 20u);
    EXPECT_EQ(info.counters.back(), 19);

    fixtures::ClipDesc other = SmallClip(1);
    other.width = 320;
    s.sources.push_back(SourceOf(fixtures::WriteClip(dir / "c.mp4", other)));
    s.output.naming.destinationFolder = Utf8ToWide((dir / "out2").string());
    CRecordingHandler refused;
    EXPECT_EQ(RunBatch(s, refused), S_FALSE);
    EXPECT_EQ(refused.Count(MSGF_ERROR), 1);
    EXPECT_FALSE(fs::exists(dir / "out2" / "a.mp4"));
    if (fs::exists(dir / "out2")) {
        EXPECT_EQ(HiddenFiles(dir / "out2"), 0);
    }
}

TEST(DvdTitles, ConvertLikeFilesAndJoinWhenMarked)
{
    if (!fixtures::HasDvdAuthor()) GTEST_SKIP() << "dvdauthor is not installed";
    const fs::path dir = TestFolder();
    std::string error;
    const fs::path disc = fixtures::WriteDvd(dir / "disc", &error);
    ASSERT_FALSE(disc.empty()) << error;
    mediaeng::job::CJobSettings s = OutputTo(dir / "out");
    s.output.video.resize = L"160x128";
    for (int title : {1, 2}) s.sources.push_back(SourceOf(mediaeng::MakeDvdTitlePath(disc.string(), title)));
    CRecordingHandler handler;
    EXPECT_EQ(RunBatch(s, handler), S_OK);
    const auto files = FilesIn(dir / "out");
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].filename(), "disc_title1.mp4");
    EXPECT_NEAR(fixtures::ReadMedia(files[0]).videoDuration, 1.0, 0.15);
    EXPECT_NEAR(fixtures::ReadMedia(files[1]).videoDuration, 2.0, 0.15);

    for (auto& src : s.sources) src.addToJoin = true;
    s.output.naming.destinationFolder = Utf8ToWide((dir / "joined").string());
    CRecordingHandler joined;
    EXPECT_EQ(RunBatch(s, joined), S_OK);
    const auto one = FilesIn(dir / "joined");
    ASSERT_EQ(one.size(), 1u);
    const fixtures::MediaInfo info = fixtures::ReadMedia(one[0]);
    EXPECT_NEAR(info.videoDuration, 3.0, 0.15);
    EXPECT_NEAR(info.audioDuration, info.videoDuration, 0.06);

    // Copied without re-encoding, the marked titles join into one program stream.
    s.operations.streamCopy = true;
    s.output.naming.destinationFolder = Utf8ToWide((dir / "copied").string());
    CRecordingHandler copied;
    EXPECT_EQ(RunBatch(s, copied), S_OK);
    const fixtures::MediaInfo vob = fixtures::ReadMedia(dir / "copied" / "disc_title1.vob");
    ASSERT_TRUE(vob.ok) << vob.error;
    EXPECT_EQ(vob.videoCodec, "mpeg2video");
    EXPECT_EQ(vob.frames, 75);

    // A trimmed title: only the kept stretch.
    s.operations.streamCopy = false;
    s.sources.resize(1);
    s.sources[0] = SourceOf(mediaeng::MakeDvdTitlePath(disc.string(), 2));
    s.sources[0].ranges = {{int64_t(0.6e7), int64_t(1.4e7)}};
    s.output.naming.destinationFolder = Utf8ToWide((dir / "trimmed").string());
    CRecordingHandler trimmed;
    EXPECT_EQ(RunBatch(s, trimmed), S_OK);
    const fixtures::MediaInfo cut = fixtures::ReadMedia(dir / "trimmed" / "disc_title2.mp4");
    EXPECT_NEAR(cut.videoDuration, 0.8, 0.1);
    EXPECT_NEAR(cut.audioDuration, 0.8, 0.1);

    // The same stretch copied: from the title's last keyframe before 0.6 s on.
    s.operations.streamCopy = true;
    s.output.naming.destinationFolder = Utf8ToWide((dir / "trimcopy").string());
    CRecordingHandler trimcopy;
    EXPECT_EQ(RunBatch(s, trimcopy), S_OK);
    const fixtures::MediaInfo copy = fixtures::ReadMedia(dir / "trimcopy" / "disc_title2.vob");
    ASSERT_TRUE(copy.ok) << copy.error;
    EXPECT_GE(copy.videoDuration, 0.75);
    EXPECT_LE(copy.videoDuration, 1.5);
}

}  // namespace
