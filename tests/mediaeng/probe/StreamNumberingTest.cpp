// "The nth stream" means one stream everywhere: the probe's list, the preview,
// the conversion and the stream copy, with a cover picture, subtitles and a
// data stream before the tracks that count.
#include "fixtures/MediaFixtures.h"
#include "fixtures/MultiStreamFixture.h"
#include "fixtures/TestEnvironment.h"
#include "mediaeng/av/AvHandles.h"
#include "mediaeng/job/transcode/FileTranscoder.h"
#include "mediaeng/job/operations/StreamCopy.h"
#include "mediaeng/playback/PlaybackDemuxer.h"
#include "mediaeng/probe/MediaProbe.h"
#include "mediaeng/probe/StreamNumbering.h"
#include "platform/TextConv.h"
#include <gtest/gtest.h>

using mediaeng::playback::CPlaybackInput;

namespace {

namespace fs = std::filesystem;

fs::path Folder()
{
    const ::testing::TestInfo* t = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(t->test_suite_name()) + "." + t->name();
    for (char& c : name)
        if (c == '/') c = '_';
    fs::path dir = kmtest::TestDir() / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

struct Track {
    int rate, channels;
};
constexpr Track kTracks[] = {{fixtures::kFirstTrackRate, fixtures::kFirstTrackChannels},
                             {fixtures::kSecondTrackRate, fixtures::kSecondTrackChannels}};

class ManyStreams : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        std::string error;
        m_clip = fixtures::WriteMultiStreamClip(Folder() / (std::string("many.") + GetParam()), &error);
        ASSERT_FALSE(m_clip.empty()) << error;
    }
    fs::path m_clip;
};

TEST_P(ManyStreams, ProbeListsOnlyPictureAndSoundInFileOrder)
{
    AVFormatContext* raw = nullptr;
    ASSERT_GE(avformat_open_input(&raw, m_clip.c_str(), nullptr, nullptr), 0);
    mediaeng::av::InputPtr ctx(raw);
    ASSERT_GE(avformat_find_stream_info(ctx.get(), nullptr), 0);
    ASSERT_EQ(ctx->nb_streams, std::string(GetParam()) == "mkv" ? 5u : 4u);  // the skipped streams are really there

    mediaeng::ProbeResult facts;
    ASSERT_TRUE(mediaeng::ProbeStreams(ctx.get(), facts));
    ASSERT_EQ(facts.video.size(), 1u);
    EXPECT_EQ(facts.video[0].width, 160);
    ASSERT_EQ(facts.audio.size(), 2u);
    for (int n = 0; n < 2; ++n) {
        EXPECT_EQ(facts.audio[n].sampleRate, kTracks[n].rate);
        EXPECT_EQ(facts.audio[n].index, mediaeng::NthStream(ctx.get(), AVMEDIA_TYPE_AUDIO, n));
    }
    EXPECT_EQ(facts.video[0].index, mediaeng::NthStream(ctx.get(), AVMEDIA_TYPE_VIDEO, 0));
    EXPECT_EQ(mediaeng::NthStream(ctx.get(), AVMEDIA_TYPE_AUDIO, 2), -1);
    EXPECT_EQ(mediaeng::NthStream(ctx.get(), AVMEDIA_TYPE_VIDEO, -1), -1);
}

TEST_P(ManyStreams, PreviewPlaysTheChosenTrack)
{
    for (int n = 0; n < 2; ++n) {
        CPlaybackInput input;
        input.url = m_clip.string();
        input.audioStream = n;
        mediaeng::playback::CPlaybackDemuxer demuxer;
        std::wstring error;
        ASSERT_EQ(demuxer.Open(input, true, &error), S_OK) << WideToUtf8(error);
        ASSERT_TRUE(demuxer.HasAudio());
        EXPECT_EQ(demuxer.AudioCodec()->sample_rate, kTracks[n].rate);
        EXPECT_EQ(demuxer.AudioCodec()->ch_layout.nb_channels, kTracks[n].channels);
        EXPECT_EQ(demuxer.VideoWidth(), 160);  // the clip, not the cover
        mediaeng::playback::CDecodedFrame frame;
        bool sawVideo = false, sawAudio = false;
        for (int i = 0; i < 200 && !(sawVideo && sawAudio) && demuxer.Next(frame) == S_OK; ++i) {
            if (frame.video && !sawVideo) {
                EXPECT_EQ(fixtures::ReadCounterGray(frame.frame->data[0], frame.frame->linesize[0], frame.frame->width,
                                                    frame.frame->height), 0);
                sawVideo = true;
            }
            if (!frame.video) {
                EXPECT_EQ(frame.frame->sample_rate, kTracks[n].rate);
                sawAudio = true;
            }
        }
        EXPECT_TRUE(sawVideo && sawAudio);
    }
}

TEST_P(ManyStreams, ConversionWritesTheChosenTrack)
{
    const fs::path dir = m_clip.parent_path();
    for (int n = 0; n < 2; ++n) {
        mediaeng::job::CJobSource src;
        src.path = Utf8ToWide(m_clip.string());
        src.audioStream = n;
        mediaeng::job::CJobOutput out;
        out.audio.channels = 0;  // the source's, so the track shows
        out.audio.sampleRate = 0;
        mediaeng::job::CPassThroughEdit edit;
        mediaeng::job::CRunControl control;
        const fs::path target = dir / ("out" + std::to_string(n) + ".mp4");
        const mediaeng::job::CTranscodeResult r =
            mediaeng::job::CFileTranscoder(src, out, edit, control).Run(target, {});
        ASSERT_TRUE(r.ok) << r.error;
        const fixtures::MediaInfo info = fixtures::ReadMedia(target);
        ASSERT_TRUE(info.ok) << info.error;
        EXPECT_EQ(info.sampleRate, kTracks[n].rate);
        EXPECT_EQ(info.channels, kTracks[n].channels);
        EXPECT_EQ(info.width, 160);
        ASSERT_FALSE(info.counters.empty());
        EXPECT_EQ(info.counters.front(), 0);
    }
}

TEST_P(ManyStreams, StreamCopyWritesTheChosenTrack)
{
    const fs::path dir = m_clip.parent_path();
    mediaeng::job::CJobSource src;
    src.path = Utf8ToWide(m_clip.string());
    src.audioStream = 1;
    mediaeng::job::CRunControl control;
    const fs::path target = dir / (std::string("copy.") + GetParam());
    const mediaeng::job::CTranscodeResult r = mediaeng::job::CStreamCopy(control).Run({src}, target);
    ASSERT_TRUE(r.ok) << r.error;
    const fixtures::MediaInfo info = fixtures::ReadMedia(target);
    ASSERT_TRUE(info.ok) << info.error;
    EXPECT_EQ(info.sampleRate, kTracks[1].rate);
    EXPECT_EQ(info.channels, kTracks[1].channels);
    EXPECT_EQ(info.width, 160);
}

INSTANTIATE_TEST_SUITE_P(Containers, ManyStreams, ::testing::Values("mkv", "ts"));

}  // namespace
