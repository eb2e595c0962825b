// A source that breaks off converts what it holds with a warning naming it; a
// shortage of memory fails the file; a stop stays a stop. Conversion, join and
// stream copy follow the one rule.
#include "JobTestUtil.h"
#include "RecordingHandler.h"
#include "mediaeng/av/AllocSeam.h"
#include "mediaeng/job/run/BatchRunner.h"
#include "mediaeng/job/transcode/FileTranscoder.h"
#include "mediaeng/job/operations/JoinRunner.h"
#include "mediaeng/job/transcode/SourceEnd.h"
#include "mediaeng/job/operations/StreamCopy.h"
#include "platform/TextConv.h"
#include <cmath>
#include <limits>

namespace {

using namespace jobtest;
using mediaeng::job::CPacketRead;

mediaeng::job::CJobSource SourceOf(const fs::path& file)
{
    mediaeng::job::CJobSource s;
    s.path = Utf8ToWide(file.string());
    return s;
}

enum class Path { Transcode, Join, StreamCopy };

mediaeng::job::CTranscodeResult RunPath(Path path, const mediaeng::job::CJobSource& src, const fs::path& target)
{
    mediaeng::job::CRunControl control;
    mediaeng::job::CJobOutput out;
    if (path == Path::StreamCopy) return mediaeng::job::CStreamCopy(control).Run({src}, target);
    if (path == Path::Join) {
        mediaeng::job::CJoinRunner join(out, {}, control,
                                        [] { return std::make_unique<mediaeng::job::CPassThroughEdit>(); });
        return join.Run({src}, target);
    }
    mediaeng::job::CPassThroughEdit edit;
    return mediaeng::job::CFileTranscoder(src, out, edit, control).Run(target, {});
}

// The seconds of "source ends early at N s", or NaN when the text is another.
double EarlySeconds(const std::wstring& text)
{
    const std::wstring head = L"source ends early at ";
    if (text.rfind(head, 0) != 0 || text.size() < head.size() + 3 || text.substr(text.size() - 2) != L" s")
        return std::nan("");
    return std::stod(text.substr(head.size()));
}

TEST(SourceEnd, RuleForReadsAndEarlyEnds)
{
    EXPECT_EQ(mediaeng::job::ClassifyRead(0), CPacketRead::Packet);
    EXPECT_EQ(mediaeng::job::ClassifyRead(AVERROR_EOF), CPacketRead::End);
    EXPECT_EQ(mediaeng::job::ClassifyRead(AVERROR_EOF, true), CPacketRead::Damaged);  // the last packet was cut short
    EXPECT_EQ(mediaeng::job::ClassifyRead(AVERROR(EIO)), CPacketRead::Damaged);
    EXPECT_EQ(mediaeng::job::ClassifyRead(AVERROR_INVALIDDATA), CPacketRead::Damaged);
    EXPECT_EQ(mediaeng::job::ClassifyRead(AVERROR(ENOMEM)), CPacketRead::Failed);

    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        CPacketRead how;
        double reached, wanted, early;
    } cases[] = {
        {CPacketRead::End, 1.0, 2.0, 1.0},       // cut short
        {CPacketRead::End, 1.8, 2.0, -1},        // within the slack
        {CPacketRead::End, 1.0, inf, -1},        // no declared end to fall short of
        {CPacketRead::End, 1.0, 0, -1},
        {CPacketRead::Damaged, 1.0, inf, 1.0},   // a damaged read always ends early: the rest is lost
        {CPacketRead::Damaged, 1.9, 2.0, 1.9},
    };
    for (const Case& c : cases)
        EXPECT_EQ(mediaeng::job::EarlyEnd(c.how, c.reached, c.wanted), c.early) << c.reached << " of " << c.wanted;
    EXPECT_EQ(mediaeng::job::EndsEarlyText(1.04), L"source ends early at 1.04 s");
}

struct CutCase {
    Path path;
    const char* ext;
};

class CutShortSource : public ::testing::TestWithParam<CutCase> {};

TEST_P(CutShortSource, ConvertsWhatItHoldsWithAWarning)
{
    const fs::path dir = TestFolder();
    const fs::path whole = fixtures::WriteClip(dir / (std::string("whole.") + GetParam().ext));
    const fs::path cut = fixtures::WriteTruncatedClip(dir / (std::string("cut.") + GetParam().ext), 0.5);
    ASSERT_FALSE(cut.empty());

    const mediaeng::job::CTranscodeResult clean = RunPath(GetParam().path, SourceOf(whole), dir / "whole-out.mkv");
    ASSERT_TRUE(clean.ok) << clean.error;
    EXPECT_TRUE(clean.sourceWarnings.empty());

    const fs::path target = dir / "cut-out.mkv";
    const mediaeng::job::CTranscodeResult r = RunPath(GetParam().path, SourceOf(cut), target);
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(r.sourceWarnings.size(), 1u);
    EXPECT_EQ(r.sourceWarnings[0].source, Utf8ToWide(cut.string()));
    const double at = EarlySeconds(r.sourceWarnings[0].text);
    EXPECT_GT(at, 0.3) << r.sourceWarnings[0].text;
    EXPECT_LT(at, 1.7) << r.sourceWarnings[0].text;
    const fixtures::MediaInfo info = fixtures::ReadMedia(target);
    ASSERT_TRUE(info.ok) << info.error;
    EXPECT_GT(info.frames, 0);
    EXPECT_LT(info.videoDuration, at + 0.5);
    EXPECT_EQ(HiddenFiles(dir), 0);
}

INSTANTIATE_TEST_SUITE_P(Paths, CutShortSource,
                         ::testing::Values(CutCase{Path::Transcode, "avi"}, CutCase{Path::Transcode, "mkv"},
                                           CutCase{Path::Join, "avi"}, CutCase{Path::StreamCopy, "avi"},
                                           CutCase{Path::StreamCopy, "mkv"}));

TEST(CutShortSource, LogNamesTheFile)
{
    const fs::path dir = TestFolder();
    mediaeng::job::CJobSettings s;
    s.output.naming.destinationFolder = Utf8ToWide((dir / "out").string());
    s.sources = {SourceOf(fixtures::WriteTruncatedClip(dir / "broken.avi", 0.5))};
    CRecordingHandler handler;
    mediaeng::job::CBatchRunner runner;
    ASSERT_EQ(runner.Start(s, &handler), S_OK);
    ASSERT_EQ(runner.Wait(120000), S_OK);
    // Written, but shorter than its source: not a plain success.
    EXPECT_EQ(runner.Result(), S_FALSE);
    int shortened = -1;
    for (const CRecordingHandler::Event& e : handler.Events())
        if (e.id == MSGE_RUN_SHORTENED) shortened = int(e.value);
    EXPECT_EQ(shortened, 1);
    int warned = 0;
    for (const CRecordingHandler::Line& l : handler.Lines())
        if ((l.flags & MSGF_WARNING) && l.text.rfind(L"broken.avi: source ends early at ", 0) == 0) ++warned;
    EXPECT_EQ(warned, 1);
    EXPECT_EQ(handler.Count(MSGF_ERROR), 0);
}

// The run's end counts (MSGE_RUN_COUNTS, MSGE_RUN_SHORTENED) of a batch.
struct RunCounts {
    int converted = -1, total = -1, shortened = -1;
};

RunCounts CountsOf(const CRecordingHandler& handler)
{
    RunCounts c;
    for (const CRecordingHandler::Event& e : handler.Events()) {
        if (e.id == MSGE_RUN_COUNTS) {
            c.converted = int(e.value);
            c.total = int(e.extra);
        }
        if (e.id == MSGE_RUN_SHORTENED) c.shortened = int(e.value);
    }
    return c;
}

// Joins, splits and stream copies count an output whose source broke off
// among the shorter ones, as the plain batch does: the run is no plain success.
TEST(CutShortSource, EveryKindOfBatchCountsTheShorterOutputs)
{
    struct Case {
        const char* name;
        const char* ext;  // the cut clip's container
        bool join, split, streamCopy;
        bool wholeToo;  // a whole clip in the batch besides the cut one
        RunCounts expected;
    } cases[] = {
        {"plain", "avi", false, false, false, true, {2, 2, 1}},
        {"join", "avi", true, false, false, true, {1, 1, 1}},
        {"join by stream copy", "avi", true, false, true, true, {1, 1, 1}},
        {"split mkv in two", "mkv", false, true, false, false, {1, 1, 1}},
        {"split mkv in four", "mkv", false, true, false, false, {1, 1, 1}},
        {"stream copy", "avi", false, false, true, true, {2, 2, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path dir = TestFolder() / c.name;
        mediaeng::job::CJobSettings s;
        s.output.naming.destinationFolder = Utf8ToWide((dir / "out").string());
        if (c.wholeToo) s.sources.push_back(SourceOf(fixtures::WriteClip(dir / "whole.avi")));
        s.sources.push_back(SourceOf(fixtures::WriteTruncatedClip(dir / (std::string("cut.") + c.ext), 0.5)));
        s.operations.join.use = c.join;
        s.operations.split.use = c.split;
        s.operations.split.type = mediaeng::job::kSplitByCount;
        s.operations.split.count = std::string(c.name).find("four") != std::string::npos ? 4 : 2;
        s.operations.streamCopy = c.streamCopy;
        CRecordingHandler handler;
        mediaeng::job::CBatchRunner runner;
        ASSERT_EQ(runner.Start(s, &handler), S_OK);
        ASSERT_EQ(runner.Wait(120000), S_OK);
        const RunCounts got = CountsOf(handler);
        EXPECT_EQ(got.converted, c.expected.converted);
        EXPECT_EQ(got.total, c.expected.total);
        EXPECT_EQ(got.shortened, c.expected.shortened);
        EXPECT_EQ(runner.Result(), S_FALSE);
        int warned = 0;
        for (const CRecordingHandler::Line& l : handler.Lines())
            if ((l.flags & MSGF_WARNING) && l.text.find(L"source ends early at ") != std::wstring::npos) ++warned;
        EXPECT_GE(warned, 1);
        EXPECT_EQ(HiddenFiles(dir / "out"), 0);
    }
}

struct SeamCase {
    Path path;
    mediaeng::av::AllocSite site;
    int nth;
};

class AllocationFailure : public ::testing::TestWithParam<SeamCase> {};

// A shortage of memory anywhere while reading fails the file: nothing saved as done.
TEST_P(AllocationFailure, FailsTheFileWithItsReason)
{
    const SeamCase& c = GetParam();
    const fs::path dir = TestFolder();
    mediaeng::job::CJobSource src = SourceOf(fixtures::WriteClip(dir / "src.mkv"));
    // A trim makes the reader cut audio frames and pad silence, so its own
    // frame allocations are among those counted.
    src.ranges = {{int64_t(0.31e7), int64_t(1.53e7)}};
    const fs::path target = dir / "out.mkv";
    mediaeng::av::CAllocationFailure seam(c.site, c.nth);
    const mediaeng::job::CTranscodeResult r = RunPath(c.path, src, target);
    ASSERT_TRUE(seam.Hit());
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.stopped);
    EXPECT_FALSE(r.error.empty());
    EXPECT_TRUE(r.sourceWarnings.empty());
    EXPECT_FALSE(fs::exists(target));
    EXPECT_EQ(HiddenFiles(dir), 0);
}

INSTANTIATE_TEST_SUITE_P(Paths, AllocationFailure,
                         ::testing::Values(SeamCase{Path::Transcode, mediaeng::av::AllocSite::FrameBuffer, 1},
                                           SeamCase{Path::Transcode, mediaeng::av::AllocSite::FrameBuffer, 3},
                                           SeamCase{Path::Transcode, mediaeng::av::AllocSite::PacketRead, 20},
                                           SeamCase{Path::Join, mediaeng::av::AllocSite::FrameBuffer, 2},
                                           SeamCase{Path::StreamCopy, mediaeng::av::AllocSite::PacketRead, 1},
                                           SeamCase{Path::StreamCopy, mediaeng::av::AllocSite::PacketRead, 20}));

}  // namespace
