// The image output: pictures taken from clips, contact sheets, pictures joined
// into sheets, every image format, and the frame edits on pictures.
#include "JobTestUtil.h"
#include "RecordingHandler.h"
#include "fixtures/DvdFixture.h"
#include "mediaeng/dvd/DvdDisc.h"
#include "mediaeng/job/run/BatchRunner.h"
#include "mediaeng/job/transcode/FrameChainEdit.h"
#include "mediaeng/job/operations/ImageOutput.h"
#include "platform/TextConv.h"

namespace {

using namespace jobtest;

mediaeng::job::CJobSettings ImageJob(const fs::path& out, const char* encoder = "png", const wchar_t* ext = L"png")
{
    mediaeng::job::CJobSettings s;
    s.output.naming.destinationFolder = Utf8ToWide(out.string());
    s.output.muxer = "image2";
    s.output.extension = ext;
    s.output.video.enabled = false;
    s.output.audio.enabled = false;
    s.operations.image.enabled = true;
    s.operations.image.encoder = encoder;
    return s;
}

mediaeng::job::CJobSource SourceOf(const fs::path& file)
{
    mediaeng::job::CJobSource s;
    s.path = Utf8ToWide(file.string());
    return s;
}

HRESULT RunBatch(const mediaeng::job::CJobSettings& settings, mediaeng::job::CBatchRunner::EditFactory edit = {})
{
    jobtest::CRecordingHandler handler;
    mediaeng::job::CBatchRunner runner;
    runner.SetEditFactory(std::move(edit));
    EXPECT_EQ(runner.Start(settings, &handler), S_OK);
    EXPECT_EQ(runner.Wait(120000), S_OK);
    for (const auto& l : handler.Lines())
        if (l.flags & MSGF_ERROR) ADD_FAILURE() << WideToUtf8(l.text);
    return runner.Result();
}

std::vector<fs::path> FilesIn(const fs::path& dir)
{
    std::vector<fs::path> files;
    if (fs::exists(dir))
        for (const auto& e : fs::directory_iterator(dir)) files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

fs::path FiveSecondClip(const fs::path& dir)
{
    fixtures::ClipDesc c;
    c.seconds = 5;
    c.fpsNum = 10;
    c.gopSize = 10;
    c.audio = false;
    return fixtures::WriteClip(dir / "clip.mp4", c);
}

TEST(ImageOutput, PictureTimesOfEachMode)
{
    mediaeng::job::CJobOperations ops;
    EXPECT_EQ(mediaeng::job::CImageOutput::PictureTimes(ops, 5),
              std::vector<double>{0});  // one picture at the start time
    ops.image.startSeconds = 2;
    EXPECT_EQ(mediaeng::job::CImageOutput::PictureTimes(ops, 5), std::vector<double>{2});
    ops.split = {true, mediaeng::job::kSplitByTime, 2, 1, 700, 0, false};
    EXPECT_EQ(mediaeng::job::CImageOutput::PictureTimes(ops, 5), (std::vector<double>{2, 3, 4}));
    ops.split.type = mediaeng::job::kSplitByCount;
    ops.split.count = 3;
    EXPECT_EQ(mediaeng::job::CImageOutput::PictureTimes(ops, 5), (std::vector<double>{2, 3, 4}));
    ops.image.startSeconds = 9;
    EXPECT_TRUE(mediaeng::job::CImageOutput::PictureTimes(ops, 5).empty());
    ops = {};
    ops.image.sheet = true;
    ops.image.rows = 1;
    ops.image.cols = 2;
    EXPECT_EQ(mediaeng::job::CImageOutput::PictureTimes(ops, 4), (std::vector<double>{1, 3}));  // spread over the clip
}

TEST(ImageOutput, FramesEverySecondOfAFiveSecondClip)
{
    const fs::path dir = TestFolder();
    mediaeng::job::CJobSettings s = ImageJob(dir / "out", "mjpeg", L"jpg");
    s.sources = {SourceOf(FiveSecondClip(dir))};
    s.operations.split = {true, mediaeng::job::kSplitByTime, 2, 1, 700, 0, false};
    EXPECT_EQ(RunBatch(s), S_OK);
    const auto files = FilesIn(dir / "out");
    ASSERT_EQ(files.size(), 5u);
    EXPECT_EQ(files[0].filename(), "clip_00.jpg");
    for (size_t i = 0; i < files.size(); ++i) {
        const fixtures::MediaInfo info = fixtures::ReadMedia(files[i]);
        ASSERT_TRUE(info.ok) << info.error;
        EXPECT_EQ(info.width, 160);
        ASSERT_EQ(info.counters.size(), 1u);
        EXPECT_EQ(info.counters[0], int(i) * 10) << files[i];
    }
    EXPECT_EQ(HiddenFiles(dir / "out"), 0);
}

TEST(ImageOutput, ContactSheetOfThreeRowsByTwoColumns)
{
    const fs::path dir = TestFolder();
    mediaeng::job::CJobSettings s = ImageJob(dir / "out");
    s.sources = {SourceOf(FiveSecondClip(dir))};
    s.operations.image.sheet = true;
    s.operations.image.rows = 3;
    s.operations.image.cols = 2;
    EXPECT_EQ(RunBatch(s), S_OK);
    const auto files = FilesIn(dir / "out");
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].filename(), "clip.png");
    const fixtures::MediaInfo info = fixtures::ReadMedia(files[0]);
    ASSERT_TRUE(info.ok) << info.error;
    EXPECT_EQ(info.width, 2 * 160);
    EXPECT_EQ(info.height, 3 * 120);
    // The first cell is the picture at a twelfth of the clip (0.42 s: frame 4).
    std::vector<uint8_t> cell(160 * 120 * 3);
    for (int y = 0; y < 120; ++y)
        std::copy_n(info.firstFrameRgb.begin() + y * info.width * 3, 160 * 3, cell.begin() + y * 160 * 3);
    EXPECT_EQ(fixtures::ReadCounterRgb24(cell.data(), 160 * 3, 160, 120), 4);
}

TEST(ImageOutput, PicturesJoinedIntoSheets)
{
    const fs::path dir = TestFolder();
    mediaeng::job::CJobSettings s = ImageJob(dir / "out");
    for (int i = 0; i < 5; ++i)
        s.sources.push_back(SourceOf(fixtures::WritePicture(dir / ("p" + std::to_string(i) + ".png"), 160, 120, i)));
    s.operations.image.sheet = true;
    s.operations.image.rows = 2;
    s.operations.image.cols = 2;
    EXPECT_EQ(RunBatch(s), S_OK);
    const auto files = FilesIn(dir / "out");
    ASSERT_EQ(files.size(), 2u);  // four on the first sheet, one on the second
    EXPECT_EQ(files[0].filename(), "p0.png");
    EXPECT_EQ(files[1].filename(), "p4.png");
    for (const fs::path& f : files) {
        const fixtures::MediaInfo info = fixtures::ReadMedia(f);
        EXPECT_EQ(info.width, 320);
        EXPECT_EQ(info.height, 240);
    }
}

TEST(ImageOutput, NumberedAndSingleNamesNeverMeet)
{
    const fs::path dir = TestFolder();
    mediaeng::job::CJobSettings s = ImageJob(dir / "out");
    s.sources = {SourceOf(fixtures::WritePicture(dir / "a" / "clip.png")), SourceOf(fixtures::WritePicture(dir / "b" / "clip.png")),
                 SourceOf(FiveSecondClip(dir))};
    s.operations.split = {true, mediaeng::job::kSplitByTime, 2, 2, 700, 0, false};  // pictures at 0, 2, 4 s of the clip
    EXPECT_EQ(RunBatch(s), S_OK);
    // clip.png and clip_01.png from the pictures; the clip's clip_00, (not clip_01 again) clip_02, clip_03.
    EXPECT_EQ(FilesIn(dir / "out").size(), 5u);
}

TEST(ImageOutput, PicturesOfADvdTitle)
{
    if (!fixtures::HasDvdAuthor()) GTEST_SKIP() << "dvdauthor is not installed";
    const fs::path dir = TestFolder();
    std::string error;
    const fs::path disc = fixtures::WriteDvd(dir / "disc", &error);
    ASSERT_FALSE(disc.empty()) << error;
    mediaeng::job::CJobSettings s = ImageJob(dir / "out", "mjpeg", L"jpg");
    s.sources = {SourceOf(mediaeng::MakeDvdTitlePath(disc.string(), 2))};  // 2 s, the clip twice
    s.operations.split = {true, mediaeng::job::kSplitByCount, 4, 1, 700, 0, false};
    EXPECT_EQ(RunBatch(s), S_OK);
    const auto files = FilesIn(dir / "out");
    ASSERT_EQ(files.size(), 4u);
    EXPECT_EQ(files[0].filename(), "disc_title2_00.jpg");
    for (const fs::path& f : files) {
        const fixtures::MediaInfo info = fixtures::ReadMedia(f);
        EXPECT_EQ(info.width, 720) << f;
    }
}

TEST(ImageOutput, EveryImageFormatWithTheFrameEdits)
{
    const fs::path dir = TestFolder();
    const fs::path picture = fixtures::WritePicture(dir / "pic.png", 160, 120, 7);
    struct Format {
        const char* encoder;
        const wchar_t* ext;
    } formats[] = {{"mjpeg", L"jpg"}, {"png", L"png"}, {"bmp", L"bmp"}, {"gif", L"gif"}, {"tiff", L"tif"}};
    EditChain rotate;
    rotate.rotateDegrees = 90;
    for (const Format& f : formats) {
        mediaeng::job::CJobSettings s = ImageJob(dir / "out", f.encoder, f.ext);
        s.sources = {SourceOf(picture)};
        EXPECT_EQ(RunBatch(s, [&] { return mediaeng::job::MakeEditStage(rotate); }), S_OK) << f.encoder;
        const fs::path out = dir / "out" / (L"pic." + std::wstring(f.ext));
        const fixtures::MediaInfo info = fixtures::ReadMedia(out);
        ASSERT_TRUE(info.ok) << f.encoder << ": " << info.error;
        EXPECT_EQ(info.width, 120) << f.encoder;  // turned a quarter
        EXPECT_EQ(info.height, 160) << f.encoder;
    }
    // Not a turn: the resize of the output applies to pictures too.
    mediaeng::job::CJobSettings s = ImageJob(dir / "half");
    s.sources = {SourceOf(picture)};
    s.output.video.resize = L"50%";
    EXPECT_EQ(RunBatch(s), S_OK);
    const fixtures::MediaInfo half = fixtures::ReadMedia(dir / "half" / "pic.png");
    EXPECT_EQ(half.width, 80);
    EXPECT_EQ(half.counters.front(), 7);
}

}  // namespace
