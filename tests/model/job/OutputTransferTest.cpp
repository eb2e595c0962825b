#include "TransferFixture.h"
#include "model/job/JobMessages.h"
#include "model/job/JobTreeAccess.h"
#include <gtest/gtest.h>

using namespace jobfakes;
using Lines = std::vector<std::wstring>;

namespace {

// Writes to the nodes, without the "Formats" mode changes of the lookup.
Lines Writes(const Log& log)
{
    Lines out;
    for (const std::wstring& line : log.lines)
        if (line.find(L"|Mode|") == std::wstring::npos) out.push_back(line);
    return out;
}

void SetCommon(CParametersObj& o, int32_t format)
{
    o.is_create = 1;
    o.file_format = format;
    o.destination = L"/out";
    o.file_name = L"*.x";
    o.overwrite = 1;
    o.dupformat = L"(%d)";
    o.num_format = L"%03d";
    o.st_with = 5;
    o.increment = 2;
    o.websafe = 1;
    o.name_case = 1;
    o.ext_case = 2;
    o.formatdepext = 0;
}

Lines CommonLines(int32_t format)
{
    return {L"P0F0|OutputFormatID|I4|" + std::to_wstring(format), L"P0F0|DestinationFolder|BSTR|/out",
            L"P0F0|FileNamePattern|BSTR|*.x", L"P0F0|IsOverwrite|I4|1", L"P0F0|FormatDublicateName|BSTR|(%d)",
            L"P0F0|FormatNumericVariable|BSTR|%03d", L"P0F0|NumericVarStartWidth|I4|5",
            L"P0F0|NumericVarIncrement|I4|2", L"P0F0|WebSafe|I4|1", L"P0F0|NameCase|I4|1",
            L"P0F0|ExtensionCase|I4|2", L"P0F0|UseFormatExtension|I4|0"};
}

Lines Concat(Lines a, const Lines& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class OutputTransfer : public ::testing::Test {
protected:
    TestProject project;
    MessageRecorder messages;
};

TEST_F(OutputTransfer, VideoOutputGoldenList)
{
    CParametersObj& v = project.outputs[CParametersTransfer::kVideoOutput];
    SetCommon(v, 13);
    v.image_size = L"640 x 480";
    v.resampling = 3;
    v.resize_type = 2;
    v.litterbox = 1;
    v.litterbox_color = 0x112233;
    v.aspect_ratio = 4;
    v.include_audio = 1;
    v.include_video = 1;
    v.frame_rate = 25000;
    v.video_codec = L"H.264";
    v.audio_codec = L"AAC";
    v.video_bitrate = 1500;
    v.video_quality = 80;
    v.two_pass = 1;
    v.key_frame_rate = 50;
    v.video_rate_control = 1;
    v.vc_profile = 2;
    v.audio_channels = 2;
    v.audio_sampling_rate = 48000;
    v.audio_bitrate = 192;
    v.audio_precision = 24;
    v.audio_rate_control = 1;
    v.audio_quality = 70;
    v.max_bitrate = 9999;
    project.advanced[CParametersTransfer::kVideoOutput].adv_enable_join = 1;
    project.advanced[CParametersTransfer::kVideoOutput].adv_image_duration = 7;
    project.AttachJob();

    EXPECT_EQ(S_OK, project.TransferOutput());
    Lines expected = Concat(CommonLines(13), {
        L"P0F0|Resize|BSTR|640 x 480", L"P0F0|Resampling|I4|3", L"P0F0|ResizeType|I4|2",
        L"P0F0|CreateLitterbox|I4|1", L"P0F0|ResizeType|I4|2", L"P0F0|LitterboxColor|UI4|1122867",
        L"P0F0|AspectRatioType|I4|4", L"P0F0|IncludeAudioStream|I4|1", L"P0F0|IncludeVideoStream|I4|1",
        L"P0F0|FrameRateID|I4|25000", L"P0F0|AspectRatioType|I4|4", L"P0F0|MP4VideoCodec|BSTR|H.264",
        L"P0F0|MP4AudioCodec|BSTR|AAC", L"P0F0|VideoBitrate|UI4|1500", L"P0F0|Quality|UI4|80",
        L"P0F0|TwoPass|I4|1", L"P0F0|KeyFrames|I4|50", L"P0F0|VideoBitrateMode|I4|1", L"P0F0|VideoProfile|I4|2",
        L"P0F0|Channels|I4|2", L"P0F0|SamplingRate|I4|48000", L"P0F0|AudioBitrate|UI4|192",
        L"P0F0|AudioPrecision|UI4|24", L"P0F0|AudioBitrateMode|I4|1", L"P0F0|AudioQuality|UI4|70",
        L"P0F0|FormatType|I4|1", L"P0|SplitUse|I4|0", L"P0|JoinType|I4|1", L"P0|JoinImageTime|I4|7",
        L"edit|0"});
    EXPECT_EQ(expected, Writes(*project.log));
    EXPECT_EQ(0, messages.Count(MSGF_WARNING | MSGF_ERROR));
}

TEST_F(OutputTransfer, AudioOutputGoldenListForcesPrecision)
{
    CParametersObj& a = project.outputs[CParametersTransfer::kAudioOutput];
    SetCommon(a, 2);
    a.audio_codec = L"WMA";
    a.audio_channels = 1;
    a.audio_sampling_rate = 22050;
    a.audio_bitrate = 64;
    a.audio_precision = 24;
    a.audio_rate_control = 0;
    a.audio_quality = 50;
    CParametersObj& adv = project.advanced[CParametersTransfer::kAudioOutput];
    adv.adv_enable_split = 1;
    adv.adv_enable_join = 1;
    adv.adv_split_type = 1;
    adv.adv_split_count_part = 3;
    adv.adv_split_time = 60;
    adv.adv_split_size = 100;
    adv.adv_split_start_time = 2;
    adv.adv_create_last_clip = 1;
    project.AttachJob();

    EXPECT_EQ(S_OK, project.TransferOutput());
    Lines expected = Concat(CommonLines(2), {
        L"P0F0|IncludeAudioStream|I4|1", L"P0F0|IncludeVideoStream|I4|0", L"P0F0|WMVAudioCodec|BSTR|WMA",
        L"P0F0|Channels|I4|1", L"P0F0|SamplingRate|I4|22050", L"P0F0|AudioBitrate|UI4|64",
        L"P0F0|AudioPrecision|UI4|16", L"P0F0|AudioBitrateMode|I4|0", L"P0F0|AudioQuality|UI4|50",
        L"P0|SplitUse|I4|1", L"P0|SplitType|I4|1", L"P0|SplitCountFrames|I4|3", L"P0|SplitStep|I4|60",
        L"P0|SplitSize|I4|100", L"P0|SplitStartWith|I4|2", L"P0|SplitLastVideo|I4|1", L"edit|1"});
    EXPECT_EQ(expected, Writes(*project.log));
    EXPECT_EQ(16, a.audio_precision);  // the project keeps the corrected value
    EXPECT_EQ(0, messages.Count(MSGF_WARNING));  // no split-and-join warning for audio
}

TEST_F(OutputTransfer, ImageOutputGoldenList)
{
    CParametersObj& i = project.outputs[CParametersTransfer::kImageOutput];
    SetCommon(i, 9);
    i.image_size = L"50%";
    i.resampling = 1;
    i.resize_type = 0;
    i.litterbox = 1;
    i.litterbox_color = 255;
    i.aspect_ratio = 6;  // never bound for images: not sent
    i.is_join_image = 1;
    i.images_rows = 3;
    i.images_cols = 4;
    project.advanced[CParametersTransfer::kImageOutput].adv_image_extract_mode = 0;
    project.advanced[CParametersTransfer::kImageOutput].adv_split_start_time = 12;
    project.AttachJob();

    EXPECT_EQ(S_OK, project.TransferOutput());
    Lines expected = Concat(CommonLines(9), {
        L"P0F0|Resize|BSTR|50%", L"P0F0|Resampling|I4|1", L"P0F0|ResizeType|I4|0",
        L"P0F0|LitterboxColor|UI4|255", L"P0F0|AspectRatioType|I4|0", L"P0F0|ScreenListEnable|I4|1",
        L"P0F0|ScreenListRows|I4|3", L"P0F0|ScreenListCols|I4|4", L"P0|SplitUse|I4|0",
        L"P0F0|FrameShift|I4|12", L"edit|2"});
    EXPECT_EQ(expected, Writes(*project.log));
}

TEST_F(OutputTransfer, ImageExtractionWritesTheFourSplitValues)
{
    CParametersObj& adv = project.advanced[CParametersTransfer::kImageOutput];
    adv.adv_image_extract_mode = 1;
    adv.adv_split_type = 2;
    adv.adv_split_count_part = 5;
    adv.adv_split_time = 3;
    adv.adv_split_start_time = 1;
    ComPtr<Job> job = project.AttachJob();
    project.TransferImageSplit(adv, static_cast<IEngineNode*>(job->profileList[0].formatNodes[0].Get()));
    EXPECT_EQ((Lines{L"P0|SplitUse|I4|1", L"P0|SplitType|I4|2", L"P0|SplitCountFrames|I4|5", L"P0|SplitStep|I4|3",
                     L"P0F0|FrameShift|I4|1"}),
              Writes(*project.log));
}

TEST_F(OutputTransfer, ActiveOutputOrderIsVideoImageAudio)
{
    struct Case {
        int video, audio, image;
        int expected;
    } cases[] = {{1, 1, 1, 0}, {0, 1, 1, 2}, {0, 1, 0, 1}, {0, 0, 0, -1}};
    for (const Case& c : cases) {
        project.outputs[0].is_create = c.video;
        project.outputs[1].is_create = c.audio;
        project.outputs[2].is_create = c.image;
        EXPECT_EQ(c.expected, project.ActiveOutputKind());
    }
}

TEST_F(OutputTransfer, NoActiveOutputOrNoFormatFailsWithAnErrorAndWritesNothing)
{
    project.AttachJob();
    EXPECT_EQ(E_FAIL, project.TransferOutput());
    EXPECT_TRUE(Writes(*project.log).empty());
    EXPECT_EQ(1, messages.Count(MSGF_ERROR));

    project.outputs[0].is_create = 1;
    project.log->lines.clear();
    project.AttachJob(0);  // no profile at all
    EXPECT_EQ(E_FAIL, project.TransferOutput());
    EXPECT_TRUE(Writes(*project.log).empty());
    EXPECT_EQ(2, messages.Count(MSGF_ERROR));
}

TEST_F(OutputTransfer, FormatNodeIsTheFirstFormatOfTheFirstProfileThatHasOne)
{
    ComPtr<Job> job = MakeComObject<Job>(project.log);
    job->AddProfile(0);
    job->AddProfile(2);
    project.m_job = ComPtr<IConversionJob>(job.Get());
    ComPtr<IUnknown> format;
    EXPECT_EQ(S_OK, project.GetFormatNode(format.ReleaseAndGetAddressOf()));
    EXPECT_EQ(static_cast<IEngineNode*>(job->profileList[1].formatNodes[0].Get()), format.Get());
    // Every collection opened on the way is back in mode 0.
    EXPECT_EQ((Lines{L"P0|Formats|Mode|0", L"P0|Formats|Mode|0", L"P1|Formats|Mode|0", L"P1|Formats|Mode|0"}),
              project.log->lines);
}

TEST_F(OutputTransfer, MissingPropertyNamesAreSkipped)
{
    project.outputs[0].is_create = 1;
    project.log->missing = {L"WebSafe", L"TwoPass"};
    project.AttachJob();
    EXPECT_EQ(S_OK, project.TransferOutput());
    Lines writes = Writes(*project.log);
    EXPECT_EQ(0, std::count_if(writes.begin(), writes.end(),
                               [](const std::wstring& l) { return l.find(L"WebSafe") != std::wstring::npos; }));
    EXPECT_NE(writes.end(), std::find(writes.begin(), writes.end(), L"P0F0|KeyFrames|I4|0"));
}

// Names of the writes that touch the given engine names, in order.
Lines Only(const Lines& lines, std::initializer_list<const wchar_t*> names)
{
    Lines out;
    for (const std::wstring& l : lines)
        for (const wchar_t* n : names)
            if (l.find(std::wstring(L"|") + n + L"|") != std::wstring::npos) out.push_back(l);
    return out;
}

TEST(OutputTransferBranches, LetterboxByResizeType)
{
    struct Case {
        int resizeType, letterbox;
        Lines expected;
    } cases[] = {
        {2, 0, {L"F|ResizeType|I4|2", L"F|CreateLitterbox|I4|0", L"F|ResizeType|I4|2"}},
        {2, 1, {L"F|ResizeType|I4|2", L"F|CreateLitterbox|I4|1", L"F|ResizeType|I4|2"}},
        {2, 2, {L"F|ResizeType|I4|2", L"F|CreateLitterbox|I4|0", L"F|ResizeType|I4|3"}},
        {2, 7, {L"F|ResizeType|I4|2"}},
        {1, 1, {L"F|ResizeType|I4|1"}},
        {0, 2, {L"F|ResizeType|I4|0"}},
    };
    for (const Case& c : cases) {
        LogPtr log = std::make_shared<Log>();
        ComPtr<Node> node = MakeComObject<Node>(log, L"F");
        CParametersObj o;
        o.resize_type = c.resizeType;
        o.litterbox = c.letterbox;
        CParametersTransfer::TransferFrameSize(o, 0, static_cast<IEngineNode*>(node.Get()));
        EXPECT_EQ(c.expected, Only(log->lines, {L"ResizeType", L"CreateLitterbox"}))
            << c.resizeType << "/" << c.letterbox;
    }
}

TEST(OutputTransferBranches, SplitAndJoinOnVideoAndAudio)
{
    struct Case {
        CParametersTransfer::EOutputKind kind;
        int split, join;
        Lines expected;
        int warnings;
    } cases[] = {
        {CParametersTransfer::kVideoOutput, 1, 1,
         {L"P0|SplitUse|I4|1", L"P0|SplitType|I4|0", L"P0|SplitCountFrames|I4|0", L"P0|SplitStep|I4|0",
          L"P0|SplitSize|I4|0", L"P0|SplitStartWith|I4|0", L"P0|SplitLastVideo|I4|0"}, 1},
        {CParametersTransfer::kVideoOutput, 0, 1, {L"P0|SplitUse|I4|0", L"P0|JoinType|I4|1", L"P0|JoinImageTime|I4|9"}, 0},
        {CParametersTransfer::kVideoOutput, 0, 0, {L"P0|SplitUse|I4|0"}, 0},
        {CParametersTransfer::kAudioOutput, 1, 1,
         {L"P0|SplitUse|I4|1", L"P0|SplitType|I4|0", L"P0|SplitCountFrames|I4|0", L"P0|SplitStep|I4|0",
          L"P0|SplitSize|I4|0", L"P0|SplitStartWith|I4|0", L"P0|SplitLastVideo|I4|0"}, 0},
        {CParametersTransfer::kAudioOutput, 0, 1, {L"P0|SplitUse|I4|0", L"P0|JoinType|I4|1"}, 0},
        {CParametersTransfer::kAudioOutput, 0, 0, {L"P0|SplitUse|I4|0"}, 0},
    };
    for (const Case& c : cases) {
        TestProject project;
        MessageRecorder messages;
        CParametersObj adv;
        adv.InitDefaults();
        adv.adv_split_type = adv.adv_split_count_part = adv.adv_split_time = adv.adv_split_size = 0;
        adv.adv_split_start_time = adv.adv_create_last_clip = 0;
        adv.adv_enable_split = c.split;
        adv.adv_enable_join = c.join;
        adv.adv_image_duration = 9;
        ComPtr<Job> job = project.AttachJob();
        IUnknown* format = static_cast<IEngineNode*>(job->profileList[0].formatNodes[0].Get());
        if (c.kind == CParametersTransfer::kVideoOutput)
            project.TransferVideoSplitJoin(adv, format);
        else
            project.TransferAudioSplitJoin(adv, format);
        EXPECT_EQ(c.expected, project.log->lines) << c.kind << c.split << c.join;
        EXPECT_EQ(c.warnings, messages.Count(MSGF_WARNING));
    }
}

TEST(OutputTransferBranches, SplitAndJoinWarnsEvenWithoutAProfileNode)
{
    // A format node that no profile owns: the split writes have nowhere to go,
    // but the user is still told that the join is dropped.
    struct Case {
        int split, join, warnings;
    } cases[] = {{1, 1, 1}, {1, 0, 0}, {0, 1, 0}, {0, 0, 0}};
    for (const Case& c : cases) {
        TestProject project;
        MessageRecorder messages;
        ComPtr<Node> loose = MakeComObject<Node>(project.log, L"F");
        CParametersObj adv;
        adv.InitDefaults();
        adv.adv_enable_split = c.split;
        adv.adv_enable_join = c.join;
        project.TransferVideoSplitJoin(adv, static_cast<IEngineNode*>(loose.Get()));
        EXPECT_TRUE(project.log->lines.empty()) << c.split << c.join;
        EXPECT_EQ(c.warnings, messages.Count(MSGF_WARNING)) << c.split << c.join;
        ASSERT_EQ(static_cast<size_t>(c.warnings), messages.messages.size());
    }
}

TEST(OutputTransferBranches, TwoPassRefusedOnlyForExactlyScreenVideo)
{
    struct Case {
        const wchar_t* codec;
        const wchar_t* expected;
    } cases[] = {{L"Screen video", L"F|TwoPass|I4|0"}, {L"screen video", L"F|TwoPass|I4|1"},
                 {L"Screen Video", L"F|TwoPass|I4|1"}, {L"Screen video 2", L"F|TwoPass|I4|1"},
                 {L"H.264", L"F|TwoPass|I4|1"}};
    for (const Case& c : cases) {
        LogPtr log = std::make_shared<Log>();
        ComPtr<Node> node = MakeComObject<Node>(log, L"F");
        CParametersObj v;
        v.two_pass = 1;
        v.video_codec = c.codec;
        CParametersTransfer::TransferVideoSettings(v, static_cast<IEngineNode*>(node.Get()));
        EXPECT_EQ(Lines{c.expected}, Only(log->lines, {L"TwoPass"})) << c.codec;
    }
    EXPECT_EQ(0, AllowsTwoPass(L"Screen video"));
    EXPECT_EQ(1, AllowsTwoPass(L"SCREEN VIDEO"));
}

TEST(OutputTransferBranches, AudioPrecisionKeptOnlyForFormat20)
{
    struct Case {
        int format, sent;
    } cases[] = {{20, 24}, {13, 16}};
    for (const Case& c : cases) {
        LogPtr log = std::make_shared<Log>();
        ComPtr<Node> node = MakeComObject<Node>(log, L"F");
        CParametersObj a;
        a.file_format = c.format;
        a.audio_precision = 24;
        CParametersTransfer::TransferAudioSettings(a, static_cast<IEngineNode*>(node.Get()));
        EXPECT_EQ(Lines{L"F|AudioPrecision|UI4|" + std::to_wstring(c.sent)}, Only(log->lines, {L"AudioPrecision"}));
        EXPECT_EQ(c.sent, a.audio_precision);
    }
}

TEST(OutputTransferBranches, CodecPropertiesByFormat)
{
    auto codecWrites = [](const Lines& lines) {
        Lines out;
        for (const std::wstring& l : lines)
            if (l.find(L"Codec|") != std::wstring::npos) out.push_back(l);
        return out;
    };
    struct Case {
        int format;
        Lines video, audio;
    } cases[] = {
        {7, {}, {}},
        {13, {L"F|MP4VideoCodec|BSTR|v", L"F|MP4AudioCodec|BSTR|a"}, {L"F|MP4AudioCodec|BSTR|a"}},
        {21, {L"F|MPEGVideoCodec|BSTR|v", L"F|MPEGAudioCodec|BSTR|a"}, {}},
        {6, {L"F|FLASHVideoCodec|BSTR|v", L"F|FLASHAudioCodec|BSTR|a"}, {L"F|FLASHAudioCodec|BSTR|a"}},
    };
    for (const Case& c : cases) {
        CParametersObj o;
        o.file_format = c.format;
        o.video_codec = L"v";
        o.audio_codec = L"a";
        LogPtr vlog = std::make_shared<Log>();
        ComPtr<Node> vnode = MakeComObject<Node>(vlog, L"F");
        CParametersTransfer::TransferVideoSettings(o, static_cast<IEngineNode*>(vnode.Get()));
        EXPECT_EQ(c.video, codecWrites(vlog->lines)) << c.format;
        LogPtr alog = std::make_shared<Log>();
        ComPtr<Node> anode = MakeComObject<Node>(alog, L"F");
        CParametersTransfer::TransferAudioSettings(o, static_cast<IEngineNode*>(anode.Get()));
        EXPECT_EQ(c.audio, codecWrites(alog->lines)) << c.format;
    }
}

}  // namespace
