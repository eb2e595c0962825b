// The generated fixtures must be what other tests assume: right container,
// codecs, size, rate, length, and a readable frame counter.
#include "fixtures/MediaFixtures.h"
#include <gtest/gtest.h>
#include <cstdlib>

namespace {

namespace fs = std::filesystem;

fs::path TestDir(const char* name)
{
    const char* base = std::getenv("KM_TEST_DIR");
    fs::path dir = fs::path(base ? base : fs::temp_directory_path().c_str()) / name;
    fs::create_directories(dir);
    return dir;
}

struct ClipCase {
    const char* file;
    const char* format;
    const char* videoCodec;  // null: any
};

class FixtureClip : public ::testing::TestWithParam<ClipCase> {};

TEST_P(FixtureClip, DecodesWithCounterAndTone)
{
    const ClipCase& c = GetParam();
    const fs::path file = fixtures::WriteClip(TestDir("fixture-clips") / c.file);
    ASSERT_FALSE(file.empty());
    const fixtures::MediaInfo info = fixtures::ReadMedia(file);
    ASSERT_TRUE(info.ok) << info.error;
    EXPECT_NE(info.format.find(c.format), std::string::npos) << info.format;
    if (c.videoCodec) {
        EXPECT_EQ(info.videoCodec, c.videoCodec);
    }
    EXPECT_EQ(info.width, 160);
    EXPECT_EQ(info.height, 120);
    EXPECT_NEAR(info.fps, 25.0, 0.01);
    EXPECT_EQ(info.frames, 50);
    ASSERT_EQ(info.counters.size(), 50u);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(info.counters[i], i) << "frame " << i;
    EXPECT_TRUE(info.hasAudio);
    EXPECT_EQ(info.channels, 2);
    EXPECT_EQ(info.sampleRate, 44100);
    EXPECT_NEAR(info.audioDuration, 2.0, 0.06);
}

INSTANTIATE_TEST_SUITE_P(Containers, FixtureClip,
    ::testing::Values(ClipCase{"a.mp4", "mp4", nullptr}, ClipCase{"a.avi", "avi", "mpeg4"},
                      ClipCase{"a.mkv", "matroska", nullptr}, ClipCase{"a.mpg", "mpeg", "mpeg2video"},
                      ClipCase{"a.wmv", "asf", "wmv2"}, ClipCase{"a.flv", "flv", "flv1"}),
    [](const ::testing::TestParamInfo<ClipCase>& p) { return std::string(p.param.file + 2); });

TEST(Fixtures, OthersOfTheSet)
{
    const fixtures::FixtureSet set = fixtures::WriteFixtureSet(TestDir("fixture-set"));

    const fixtures::MediaInfo wide = fixtures::ReadMedia(set.wide, false);
    ASSERT_TRUE(wide.ok) << wide.error;
    EXPECT_EQ(wide.width, 160);
    EXPECT_NEAR(wide.displayAspect, 16.0 / 9.0, 0.01);

    for (const fs::path& audio : {set.wav, set.mp3}) {
        const fixtures::MediaInfo info = fixtures::ReadMedia(audio);
        ASSERT_TRUE(info.ok) << audio << info.error;
        EXPECT_FALSE(info.hasVideo);
        EXPECT_NEAR(info.audioDuration, 2.0, 0.06) << audio;
    }
    for (const fs::path& picture : {set.png, set.jpeg}) {
        const fixtures::MediaInfo info = fixtures::ReadMedia(picture);
        ASSERT_TRUE(info.ok) << picture << info.error;
        EXPECT_EQ(info.frames, 1);
        EXPECT_EQ(info.counters.at(0), 0);
        ASSERT_EQ(info.firstFrameRgb.size(), 160u * 120 * 3);
        // bottom-left marker is red
        const uint8_t* p = &info.firstFrameRgb[(110 * 160 + 20) * 3];
        EXPECT_GT(p[0], 150);
        EXPECT_LT(p[2], 80);
    }

    const fixtures::MediaInfo cut = fixtures::ReadMedia(set.truncated);
    EXPECT_LT(cut.frames, 50);
    EXPECT_FALSE(fixtures::ReadMedia(set.zeroByte).ok);
    EXPECT_FALSE(fixtures::ReadMedia(set.textAsMp4).ok);
    EXPECT_FALSE(fixtures::ReadMedia(TestDir("fixture-set") / "missing.mp4").ok);
}

TEST(Fixtures, CounterSurvivesScalingAndRejectsPlainPictures)
{
    for (int counter : {0, 1, 77, 128, 255}) {
        const std::vector<uint8_t> rgb = fixtures::MakePatternRgb24(64, 48, counter);
        EXPECT_EQ(fixtures::ReadCounterRgb24(rgb.data(), 64 * 3, 64, 48), counter);
    }
    const std::vector<uint8_t> grey(64 * 48, 128);
    EXPECT_EQ(fixtures::ReadCounterGray(grey.data(), 64, 64, 48), -1);
}

}  // namespace
