// Media as users bring it, beyond the project's small clips: keyframes far
// apart, cut-off files, and headers whose facts are absurd.
#include "../job/RecordingHandler.h"
#include "fixtures/PlaybackTestSupport.h"
#include "engine/MediaSourceGraph.h"
#include "fixtures/MediaFixtures.h"
#include "mediaeng/job/run/BatchRunner.h"
#include "platform/ClassRegistry.h"
#include "platform/TextConv.h"
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <unistd.h>
extern "C" {
#include <libavformat/avformat.h>

using mediaeng::playback::CPlaybackInput;
using mediaeng::playback::ReadPictureAt;
}

namespace fs = std::filesystem;

namespace {

fs::path Dir()
{
    const char* dir = std::getenv("KM_TEST_DIR");
    const fs::path d = fs::path(dir ? dir : "/tmp") / "realworld";
    fs::create_directories(d);
    return d;
}

struct Opened {
    ComPtr<IEngineNode> source;
    HRESULT hr = E_FAIL;
    std::wstring error;
};

Opened Open(const fs::path& path)
{
    Opened o;
    EXPECT_EQ(CoCreate(CLSID_MediaSource, o.source), S_OK);
    o.source->SetValue(L"FileName", CVariant(path.wstring()));
    auto graph = o.source.As<IMediaSourceGraph>();
    o.hr = graph->Open(nullptr);
    BSTR text = nullptr;
    graph->GetLastError(&text);
    o.error = BstrToWString(text);
    SysFreeString(text);
    return o;
}

CVariant Fact(IEngineNode* source, const wchar_t* name)
{
    CVariant v;
    CSchemaLock lock;
    ComPtr<IUnknown> item;
    auto c = ComPtr<IEngineNode>(source).As<IPropertyContainer>();
    if (c && SUCCEEDED(c->GetItemByName(name, item.ReleaseAndGetAddressOf())))
        if (auto value = item.As<IEngineValue>()) value->GetValue(&v);
    return v;
}

// Seconds between the video keyframes of a file (its own check that the
// fixture is what it claims).
std::vector<double> KeyframeTimes(const fs::path& file)
{
    std::vector<double> times;
    AVFormatContext* ctx = nullptr;
    if (avformat_open_input(&ctx, file.c_str(), nullptr, nullptr) < 0) return times;
    AVPacket* pkt = av_packet_alloc();
    const int video = av_find_best_stream(ctx, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    while (av_read_frame(ctx, pkt) >= 0) {
        if (pkt->stream_index == video && (pkt->flags & AV_PKT_FLAG_KEY))
            times.push_back(pkt->pts * av_q2d(ctx->streams[video]->time_base));
        av_packet_unref(pkt);
    }
    av_packet_free(&pkt);
    avformat_close_input(&ctx);
    return times;
}

struct SparseCase {
    const char* name;
    int keyframeSeconds;
    bool audio;
};
constexpr SparseCase kSparse[] = {
    {"k20a.mp4", 20, true},   // the case the old end check refused
    {"k20v.mp4", 20, false},
    {"k10a.mkv", 10, true},
    {"k10v.mkv", 10, false},
};

// 1080p is slow to encode: the clips are written once for every test process
// of the run (each test runs in a process of its own), under a temporary name
// renamed into place, so processes running side by side never see half a clip.
fs::path SparseClip(const SparseCase& c)
{
    const char* shared = std::getenv("KM_TEST_TMP");
    const fs::path dir = shared ? fs::path(shared) / "sparse-keyframes-v1" : Dir();
    const fs::path file = dir / c.name;
    std::error_code ec;
    if (fs::exists(file, ec)) return file;
    fs::create_directories(dir, ec);
    const fs::path temp = dir / (std::to_string(::getpid()) + "." + c.name);
    if (fixtures::WriteSparseKeyframeClip(temp, c.keyframeSeconds, c.audio).empty()) return {};
    fs::rename(temp, file, ec);
    return ec ? fs::path() : file;
}

const std::map<std::string, fs::path>& SparseClips()
{
    static const std::map<std::string, fs::path> clips = [] {
        std::map<std::string, fs::path> m;
        for (const SparseCase& c : kSparse) m[c.name] = SparseClip(c);
        return m;
    }();
    return clips;
}

}  // namespace

TEST(SparseKeyframes, ClipsOpenWithTheirFullDurationAndPreviewNearTheEnd)
{
    for (const SparseCase& c : kSparse) {
        SCOPED_TRACE(c.name);
        const fs::path clip = SparseClips().at(c.name);
        ASSERT_FALSE(clip.empty());
        const std::vector<double> keys = KeyframeTimes(clip);
        ASSERT_GE(keys.size(), 2u);
        EXPECT_LE(keys.size(), size_t(fixtures::kSparseClipSeconds / c.keyframeSeconds) + 1);  // really that sparse
        EXPECT_NEAR(keys[1] - keys[0], c.keyframeSeconds, 0.01);

        Opened o = Open(clip);
        ASSERT_EQ(o.hr, S_OK) << WideToUtf8(o.error);
        EXPECT_NEAR(Fact(o.source.Get(), L"DurationByS").AsDouble(), fixtures::kSparseClipSeconds, 1.1);
        EXPECT_EQ(Fact(o.source.Get(), L"Width").AsInt(), 1920);
        EXPECT_EQ(Fact(o.source.Get(), L"Height").AsInt(), 1080);

        // The preview's still picture 3.5 s before the end: far from any keyframe.
        pbtest::CStillPicture still;
        pbtest::ReadStill(clip, REFERENCE_TIME((fixtures::kSparseClipSeconds - 3.5) * pbtest::kSecond), still);
        ASSERT_EQ(still.hr, S_OK) << WideToUtf8(still.error);
        EXPECT_EQ(pbtest::CounterOfDib(still.format, still.data), int(fixtures::kSparseClipSeconds - 3.5));
    }
}

TEST(SparseKeyframes, ClipConvertsWhole)
{
    const fs::path clip = SparseClips().at("k20a.mp4");
    ASSERT_FALSE(clip.empty());
    mediaeng::job::CJobSettings settings;
    mediaeng::job::CJobSource source;
    source.path = Utf8ToWide(clip.string());
    source.duration = fixtures::kSparseClipSeconds;
    settings.sources = {source};
    settings.output.naming.destinationFolder = Utf8ToWide((Dir() / "out").string());
    settings.output.video.resize = L"320 x 180";
    jobtest::CRecordingHandler handler;
    mediaeng::job::CBatchRunner runner;
    ASSERT_EQ(runner.Start(settings, &handler), S_OK);
    ASSERT_EQ(runner.Wait(240000), S_OK);
    EXPECT_EQ(runner.Result(), S_OK);
    const fixtures::MediaInfo out = fixtures::ReadMedia(Dir() / "out" / "k20a.mp4");
    ASSERT_TRUE(out.ok) << out.error;
    EXPECT_EQ(out.frames, int(fixtures::kSparseClipSeconds));
    ASSERT_FALSE(out.counters.empty());
    EXPECT_EQ(out.counters.back(), int(fixtures::kSparseClipSeconds) - 1);
    EXPECT_NEAR(out.audioDuration, fixtures::kSparseClipSeconds, 0.2);
}

// The same clips cut off: refused as damaged, whatever their keyframes.
TEST(SparseKeyframes, CutOffCopiesAreRefused)
{
    for (const SparseCase& c : kSparse) {
        SCOPED_TRACE(c.name);
        const fs::path clip = SparseClips().at(c.name);
        ASSERT_FALSE(clip.empty());
        const fs::path cut = Dir() / (std::string("cut-") + c.name);
        for (double keep : {0.5, 0.7}) {
            fs::copy_file(clip, cut, fs::copy_options::overwrite_existing);
            fs::resize_file(cut, uintmax_t(double(fs::file_size(clip)) * keep));
            Opened o = Open(cut);
            EXPECT_LT(o.hr, 0) << keep;
            EXPECT_FALSE(o.error.empty());
        }
    }
}

// Every container's cut-off clip refused today stays refused.
TEST(CutOffFiles, StayRefusedInEveryContainer)
{
    struct Case {
        const char* ext;
        std::vector<double> refused;  // fractions of the bytes kept
    } cases[] = {
        {"mp4", {0.3, 0.5, 0.7, 0.9, 0.99}}, {"mov", {0.3, 0.5, 0.7, 0.9, 0.99}}, {"avi", {0.3, 0.5, 0.7, 0.9, 0.99}},
        {"mkv", {0.3, 0.5, 0.7}},            {"flv", {0.3, 0.5, 0.7}},
    };
    for (const Case& c : cases) {
        fixtures::ClipDesc desc;
        desc.seconds = 4;
        const fs::path whole = fixtures::WriteClip(Dir() / (std::string("whole.") + c.ext), desc);
        ASSERT_FALSE(whole.empty());
        EXPECT_EQ(Open(whole).hr, S_OK) << c.ext;
        const fs::path cut = Dir() / (std::string("cut.") + c.ext);
        for (double keep : c.refused) {
            fs::copy_file(whole, cut, fs::copy_options::overwrite_existing);
            fs::resize_file(cut, uintmax_t(double(fs::file_size(whole)) * keep));
            EXPECT_LT(Open(cut).hr, 0) << c.ext << " " << keep;
        }
    }
    const fs::path wav = fixtures::WriteAudio(Dir() / "whole.wav", 4);
    EXPECT_EQ(Open(wav).hr, S_OK);
    fs::resize_file(wav, fs::file_size(wav) * 9 / 10);
    EXPECT_LT(Open(wav).hr, 0);
}

namespace {

// Changes the four bytes after the first occurrence of tag + offset.
bool PatchAfter(const fs::path& file, const char* tag, size_t offset, uint32_t value)
{
    std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    const size_t at = bytes.find(tag);
    if (at == std::string::npos || at + offset + 4 > bytes.size()) return false;
    char le[4] = {char(value), char(value >> 8), char(value >> 16), char(value >> 24)};
    f.clear();
    f.seekp(std::streamoff(at + offset));
    f.write(le, 4);
    return bool(f);
}

// The facts a source gives its callers: never negative or wrapped.
void ExpectSaneFacts(const Opened& o)
{
    if (FAILED(o.hr)) {
        EXPECT_FALSE(o.error.empty());
        return;
    }
    IEngineNode* s = o.source.Get();
    const double seconds = Fact(s, L"DurationByS").AsDouble();
    EXPECT_GE(seconds, 0);
    EXPECT_LE(seconds, 1e6);
    CVariant stream = Fact(s, L"StreamDuration");
    if (stream.vt != VT_EMPTY) {
        EXPECT_GE(stream.AsDouble(), 0);
    }
    REFERENCE_TIME duration = -1;
    ASSERT_EQ(o.source.As<IMediaSourceGraph>()->GetDuration(&duration), S_OK);
    EXPECT_GE(duration, 0);
    EXPECT_LE(duration, REFERENCE_TIME(1e13));
    if (Fact(s, L"Width").vt != VT_EMPTY) {
        EXPECT_GT(Fact(s, L"DisplayWidth").AsInt(), 0);
        EXPECT_LE(Fact(s, L"DisplayWidth").AsInt(), 65536 * 100);
        EXPECT_GT(Fact(s, L"AspectRatio").AsDouble(), 0);
    }
}

}  // namespace

// An AVI stream header claiming 0xFFFFFFFF frames of 0x7FFFFFFF s each (about
// 9.2e18 s), and an MP4 whose pixels are 2147483646 times wider than tall.
TEST(AbsurdHeaders, AreRefusedOrOpenWithFactsThatCanBeTrusted)
{
    fixtures::ClipDesc desc;
    desc.audio = false;
    desc.seconds = 1;
    const fs::path avi = fixtures::WriteClip(Dir() / "long.avi", desc);
    ASSERT_FALSE(avi.empty());
    // strh after its tag and size: fccType, fccHandler, flags, priority and
    // language, initial frames, then scale (+28 from the tag), rate (+32),
    // start and length (+40).
    ASSERT_TRUE(PatchAfter(avi, "strh", 28, 0x7FFFFFFF));
    ASSERT_TRUE(PatchAfter(avi, "strh", 32, 1));
    ASSERT_TRUE(PatchAfter(avi, "strh", 40, 0xFFFFFFFF));
    ExpectSaneFacts(Open(avi));

    const fs::path mp4 = fixtures::WriteClip(Dir() / "wide.mp4", desc);
    ASSERT_FALSE(mp4.empty());
    // pasp box: size, "pasp", hSpacing, vSpacing (big-endian).
    std::fstream f(mp4, std::ios::in | std::ios::out | std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    size_t at = bytes.find("pasp");
    if (at == std::string::npos) GTEST_SKIP() << "the muxer wrote no pixel aspect box";
    const char wide[8] = {0x7F, char(0xFF), char(0xFF), char(0xFE), 0, 0, 0, 1};
    f.clear();
    f.seekp(std::streamoff(at + 4));
    f.write(wide, 8);
    f.close();
    Opened o = Open(mp4);
    ExpectSaneFacts(o);
    if (SUCCEEDED(o.hr)) {
        EXPECT_NEAR(Fact(o.source.Get(), L"AspectRatio").AsDouble(), 160.0 / 120.0, 0.01);
    }
}

// Times that headers make absurd reach the preview and the conversion as
// well: each ends with pictures or with an error, and no time wraps on its
// way to an integer. Cases: frames 2^31 s apart, and a rate of 2^31 frames
// a second.
TEST(AbsurdHeaders, PreviewAndConvertWithoutWrappingTheirTimes)
{
    struct Case {
        const char* name;
        uint32_t scale, rate;
    } cases[] = {{"slow.avi", 0x7FFFFFFF, 1}, {"fast.avi", 1, 0x7FFFFFFF}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fixtures::ClipDesc desc;
        desc.audio = false;
        desc.seconds = 1;
        const fs::path avi = fixtures::WriteClip(Dir() / c.name, desc);
        ASSERT_FALSE(avi.empty());
        ASSERT_TRUE(PatchAfter(avi, "strh", 28, c.scale));
        ASSERT_TRUE(PatchAfter(avi, "strh", 32, c.rate));

        for (double seconds : {0.0, 0.5, 1e9}) {
            pbtest::CStillPicture still;
            pbtest::ReadStill(avi, REFERENCE_TIME(seconds * pbtest::kSecond), still);
            if (FAILED(still.hr)) {
                EXPECT_FALSE(still.error.empty());
            }
        }

        mediaeng::job::CJobSettings settings;
        mediaeng::job::CJobSource source;
        source.path = Utf8ToWide(avi.string());
        settings.sources = {source};
        settings.output.naming.destinationFolder = Utf8ToWide((Dir() / "absurd-out").string());
        jobtest::CRecordingHandler handler;
        mediaeng::job::CBatchRunner runner;
        ASSERT_EQ(runner.Start(settings, &handler), S_OK);
        ASSERT_EQ(runner.Wait(240000), S_OK);
    }
}
