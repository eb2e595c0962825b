#include "engine/MediaInput.h"
#include "engine/MediaSourceGraph.h"
#include "fixtures/MediaFixtures.h"
#include "platform/ClassRegistry.h"
#include "platform/TextConv.h"
#include <memory>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <cstring>
#include <fstream>
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace fs = std::filesystem;

namespace {

fs::path TestDir()
{
    const char* dir = std::getenv("KM_TEST_DIR");
    return dir ? fs::path(dir) : fs::temp_directory_path();
}

const fixtures::FixtureSet& Fixtures()
{
    static const fixtures::FixtureSet set = fixtures::WriteFixtureSet(TestDir() / "probe");
    return set;
}

struct Opened {
    ComPtr<IEngineNode> source;
    HRESULT hr = E_FAIL;
    std::wstring error;
};

Opened OpenSource(const fs::path& path, int type = 0)
{
    Opened o;
    EXPECT_EQ(CoCreate(CLSID_MediaSource, o.source), S_OK);
    o.source->SetValue(L"FileName", CVariant(path.wstring()));
    o.source->SetValue(L"Type", CVariant(int32_t{type}));
    ComPtr<IMediaSourceGraph> graph = ComPtr<IEngineNode>(o.source).As<IMediaSourceGraph>();
    EXPECT_TRUE(graph);
    o.hr = graph->Open(nullptr);
    CErrorMng reader;
    reader.IsLastError(&o.error);
    return o;
}

// What the program reads through the property container, under the schema lock.
CVariant Fact(IEngineNode* source, const wchar_t* name)
{
    CVariant v;
    CSchemaLock lock;
    ComPtr<IPropertyContainer> c = ComPtr<IEngineNode>(source).As<IPropertyContainer>();
    ComPtr<IUnknown> item;
    if (c && SUCCEEDED(c->GetItemByName(name, item.ReleaseAndGetAddressOf())))
        if (auto value = item.As<IEngineValue>()) value->GetValue(&v);
    return v;
}

bool Has(IEngineNode* source, const wchar_t* name)
{
    CSchemaLock lock;
    ComPtr<IUnknown> item;
    return SUCCEEDED(ComPtr<IEngineNode>(source).As<IPropertyContainer>()->GetItemByName(name, item.ReleaseAndGetAddressOf()));
}

// A 160x120 picture in the format the file's extension names.
fs::path WriteStill(const fs::path& file, const char* encoder, AVPixelFormat format)
{
    const AVCodec* codec = avcodec_find_encoder_by_name(encoder);
    AVCodecContext* enc = avcodec_alloc_context3(codec);
    enc->width = 160;
    enc->height = 120;
    enc->pix_fmt = format;
    enc->time_base = {1, 25};
    AVFormatContext* oc = nullptr;
    avformat_alloc_output_context2(&oc, nullptr, nullptr, file.string().c_str());
    AVFrame* frame = av_frame_alloc();
    AVPacket* pkt = av_packet_alloc();
    bool ok = oc && avcodec_open2(enc, codec, nullptr) >= 0;
    AVStream* st = ok ? avformat_new_stream(oc, nullptr) : nullptr;
    if (st) {
        avcodec_parameters_from_context(st->codecpar, enc);
        st->time_base = enc->time_base;
        frame->format = format;
        frame->width = 160;
        frame->height = 120;
        const bool ownFile = !(oc->oformat->flags & AVFMT_NOFILE);
        ok = av_frame_get_buffer(frame, 0) >= 0 &&
             (!ownFile || avio_open(&oc->pb, file.string().c_str(), AVIO_FLAG_WRITE) >= 0) &&
             avformat_write_header(oc, nullptr) >= 0;
        for (int p = 0; ok && p < 4 && frame->data[p]; ++p)
            std::memset(frame->data[p], 0x80, static_cast<size_t>(frame->linesize[p]) * 120);
        frame->pts = 0;
        ok = ok && avcodec_send_frame(enc, frame) >= 0 && avcodec_send_frame(enc, nullptr) >= 0;
        while (ok && avcodec_receive_packet(enc, pkt) == 0) {
            pkt->stream_index = 0;
            av_packet_rescale_ts(pkt, enc->time_base, st->time_base);
            ok = av_interleaved_write_frame(oc, pkt) >= 0;
        }
        ok = ok && av_write_trailer(oc) >= 0;
    }
    if (oc && oc->pb && !(oc->oformat->flags & AVFMT_NOFILE)) avio_closep(&oc->pb);
    avformat_free_context(oc);
    av_packet_free(&pkt);
    av_frame_free(&frame);
    avcodec_free_context(&enc);
    return ok ? file : fs::path();
}

}  // namespace

TEST(MediaSource, StillPicturesHaveASizeButNoVideo)
{
    const fs::path dir = TestDir() / "stills";
    fs::create_directories(dir);
    struct Case {
        const char* name;
        const char* encoder;
        AVPixelFormat format;
    } cases[] = {
        {"p.bmp", "bmp", AV_PIX_FMT_BGR24},
        {"p.tif", "tiff", AV_PIX_FMT_RGB24},
        {"p.gif", "gif", AV_PIX_FMT_GRAY8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!avcodec_find_encoder_by_name(c.encoder)) continue;  // not in this build
        fs::path file = WriteStill(dir / c.name, c.encoder, c.format);
        ASSERT_FALSE(file.empty());
        Opened o = OpenSource(file);
        ASSERT_EQ(o.hr, S_OK);
        EXPECT_FALSE(Has(o.source.Get(), L"Video"));
        EXPECT_FALSE(Has(o.source.Get(), L"Audio"));
        EXPECT_EQ(Fact(o.source.Get(), L"Width").AsInt(), 160);
        EXPECT_EQ(Fact(o.source.Get(), L"Height").AsInt(), 120);
    }
}

// Every fixture's facts: duration within a frame, size, aspect, and which
// kind of media it is.
TEST(MediaSource, ProbesEachFixture)
{
    const auto& f = Fixtures();
    struct Case {
        fs::path file;
        bool video, audio, picture;
        int width, height;
        double aspect, duration;
    } cases[] = {
        {f.mp4, true, true, false, 160, 120, 4.0 / 3, 2.0},  {f.avi, true, true, false, 160, 120, 4.0 / 3, 2.0},
        {f.mkv, true, true, false, 160, 120, 4.0 / 3, 2.0},  {f.mpeg, true, true, false, 160, 120, 4.0 / 3, 2.0},
        {f.wmv, true, true, false, 160, 120, 4.0 / 3, 2.0},  {f.flv, true, true, false, 160, 120, 4.0 / 3, 2.0},
        {f.wide, true, true, false, 160, 120, 16.0 / 9, 2.0}, {f.wav, false, true, false, 0, 0, 0, 2.0},
        {f.mp3, false, true, false, 0, 0, 0, 2.0},           {f.png, false, false, true, 160, 120, 4.0 / 3, 0},
        {f.jpeg, false, false, true, 160, 120, 4.0 / 3, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.filename().string());
        Opened o = OpenSource(c.file);
        ASSERT_EQ(o.hr, S_OK) << std::string(o.error.begin(), o.error.end());
        IEngineNode* s = o.source.Get();
        EXPECT_EQ(Has(s, L"Video") || Has(s, L"Video: 1"), c.video);
        EXPECT_EQ(Has(s, L"Audio") || Has(s, L"Audio: 1"), c.audio);
        EXPECT_EQ(Has(s, L"Width") && Has(s, L"Height"), c.video || c.picture);
        if (c.video || c.picture) {
            EXPECT_EQ(Fact(s, L"Width").AsInt(), c.width);
            EXPECT_EQ(Fact(s, L"Height").AsInt(), c.height);
            EXPECT_NEAR(Fact(s, L"AspectRatio").AsDouble(), c.aspect, 0.01);
        }
        if (c.picture) {
            EXPECT_EQ(Fact(s, L"DurationByS").vt, VT_EMPTY);
        } else {
            // Within a frame; ASF counts the padding of its last audio packets.
            const double tolerance = c.file.extension() == ".wmv" ? 0.1 : 0.045;
            EXPECT_NEAR(Fact(s, L"DurationByS").AsDouble(), c.duration, tolerance);
        }
        // One sub-file: the file itself, with the same facts.
        ComPtr<IUnknown> subFiles;
        s->GetItem(L"SubFiles", subFiles.ReleaseAndGetAddressOf());
        LONG count = 0;
        subFiles.As<IEngineCollection>()->GetCount(&count);
        EXPECT_EQ(count, 1);
    }
}

TEST(MediaSource, BadFilesFailWithATextAndNoCrash)
{
    const auto& f = Fixtures();
    const fs::path missing = TestDir() / "probe" / "missing.mp4";
    const fs::path folder = TestDir() / "probe";
    for (const fs::path& p : {f.zeroByte, f.textAsMp4, f.truncated, missing, folder, fs::path()}) {
        SCOPED_TRACE(p.string());
        Opened o = OpenSource(p);
        EXPECT_LT(o.hr, 0);
        EXPECT_FALSE(o.error.empty());
        BSTR text = nullptr;
        o.source.As<IMediaSourceGraph>()->GetLastError(&text);
        EXPECT_EQ(BstrToWString(text), o.error);
        SysFreeString(text);
        EXPECT_FALSE(Has(o.source.Get(), L"DurationByS"));
    }
    EXPECT_NE(OpenSource(f.zeroByte).error, OpenSource(missing).error);
}

TEST(MediaSource, StreamSwitchesLinkToTheSourceSettings)
{
    Opened o = OpenSource(Fixtures().mp4);
    ASSERT_EQ(o.hr, S_OK);
    CSchemaLock lock;
    ComPtr<IPropertyContainer> c = o.source.As<IPropertyContainer>();
    ComPtr<IUnknown> video;
    ASSERT_EQ(c->GetItemByName(L"Video", video.ReleaseAndGetAddressOf()), S_OK);
    ComPtr<IUnknown> enabled;
    video.As<IPropertyContainer>()->GetItemByName(L"Enabled", enabled.ReleaseAndGetAddressOf());
    auto value = enabled.As<IEngineValue>();
    ASSERT_TRUE(value);
    DWORD flags = 0;
    value->GetFlags(&flags);
    EXPECT_TRUE(flags & EPF_SWITCH);
    ComPtr<IUnknown> linked;
    value->GetLinkedObject(linked.ReleaseAndGetAddressOf());
    auto settings = linked.As<IEngineProperty>();
    ASSERT_TRUE(settings);
    BSTR key = nullptr;
    settings->GetSettingsKey(&key);
    EXPECT_EQ(BstrToWString(key), L"IsVideo0");
    SysFreeString(key);
    settings->SetValue(CVariant(int32_t{0}));
    CVariant now;
    o.source->GetValue(L"IsVideo0", &now);
    EXPECT_EQ(now.AsInt(), 0);
}

TEST(MediaSource, InputOpensWhatTheSourceNames)
{
    Opened o = OpenSource(Fixtures().mkv);
    std::unique_ptr<CMediaInput> input;
    ASSERT_EQ(OpenMediaInput(o.source.Get(), input), S_OK);
    ASSERT_TRUE(input->Format());
    EXPECT_GE(input->Format()->nb_streams, 2u);
    EXPECT_NEAR(input->DurationSeconds(), 2.0, 0.1);
    ComPtr<IEngineNode> none;
    ASSERT_EQ(CoCreate(CLSID_MediaSource, none), S_OK);
    EXPECT_LT(OpenMediaInput(none.Get(), input), 0);
    EXPECT_FALSE(input);
}

// The properties grid walks the container as a collection of categories,
// each a collection of values.
TEST(MediaSource, ContainerWalksAsCategories)
{
    Opened o = OpenSource(Fixtures().mp4);
    ASSERT_EQ(o.hr, S_OK);
    CSchemaLock lock;
    auto top = o.source.As<IPropertyContainer>();
    auto categories = ComPtr<IUnknown>(top.Get()).As<IEngineCollection>();
    ASSERT_TRUE(categories);
    LONG count = 0;
    categories->GetCount(&count);
    std::vector<std::wstring> groups;
    for (LONG i = 0; i < count; ++i) {
        ComPtr<IUnknown> item;
        categories->GetItem(i, item.ReleaseAndGetAddressOf());
        auto group = item.As<IEngineCollection>();
        ASSERT_TRUE(group);  // only categories at the top: the grid makes a group row of each
        BSTR name = nullptr;
        item.As<IPropertyContainer>()->GetName(&name);
        groups.push_back(BstrToWString(name));
        SysFreeString(name);
        LONG values = 0;
        group->GetCount(&values);
        EXPECT_GT(values, 0);
        ComPtr<IUnknown> first;
        group->GetItem(0, first.ReleaseAndGetAddressOf());
        EXPECT_TRUE(first.As<IEngineValue>());
        EXPECT_EQ(group->RemoveAll(), E_ACCESSDENIED);
    }
    EXPECT_EQ(groups, (std::vector<std::wstring>{L"General", L"Video", L"Audio"}));
}

// Noise that some demuxer might take for a stream: the open ends, and a
// failure says so.
TEST(MediaSource, NoiseEndsWithoutReadingForever)
{
    const fs::path file = TestDir() / "noise.ts";
    {
        std::ofstream out(file, std::ios::binary);
        uint32_t x = 12345;
        for (int i = 0; i < 3 * 1024 * 1024; ++i) {
            x = x * 1664525u + 1013904223u;
            out.put(static_cast<char>(x >> 24));
        }
    }
    Opened o = OpenSource(file);
    if (FAILED(o.hr)) EXPECT_FALSE(o.error.empty());
    else EXPECT_TRUE(Has(o.source.Get(), L"Video") || Has(o.source.Get(), L"Audio"));
}

namespace {
// A copy of a clip whose streams carry a language tag, as films with several
// sound tracks do.
fs::path WithLanguageTags(const fs::path& in, const fs::path& out, const char* language)
{
    AVFormatContext* src = nullptr;
    if (avformat_open_input(&src, in.c_str(), nullptr, nullptr) < 0) return {};
    std::unique_ptr<AVFormatContext, void (*)(AVFormatContext*)> srcOwner(src, [](AVFormatContext* c) { avformat_close_input(&c); });
    if (avformat_find_stream_info(src, nullptr) < 0) return {};
    AVFormatContext* dst = nullptr;
    if (avformat_alloc_output_context2(&dst, nullptr, nullptr, out.c_str()) < 0) return {};
    std::unique_ptr<AVFormatContext, void (*)(AVFormatContext*)> dstOwner(dst, [](AVFormatContext* c) {
        if (c->pb) avio_closep(&c->pb);
        avformat_free_context(c);
    });
    for (unsigned i = 0; i < src->nb_streams; ++i) {
        AVStream* s = avformat_new_stream(dst, nullptr);
        if (!s || avcodec_parameters_copy(s->codecpar, src->streams[i]->codecpar) < 0) return {};
        s->codecpar->codec_tag = 0;
        s->time_base = src->streams[i]->time_base;
        av_dict_set(&s->metadata, "language", language, 0);
    }
    if (avio_open(&dst->pb, out.c_str(), AVIO_FLAG_WRITE) < 0 || avformat_write_header(dst, nullptr) < 0) return {};
    AVPacket* pkt = av_packet_alloc();
    while (av_read_frame(src, pkt) >= 0) {
        av_packet_rescale_ts(pkt, src->streams[pkt->stream_index]->time_base, dst->streams[pkt->stream_index]->time_base);
        av_interleaved_write_frame(dst, pkt);
    }
    av_packet_free(&pkt);
    av_write_trailer(dst);
    return out;
}

CVariant GroupFact(IEngineNode* source, const wchar_t* group, const wchar_t* name)
{
    CVariant v;
    CSchemaLock lock;
    ComPtr<IUnknown> g, item;
    auto top = ComPtr<IEngineNode>(source).As<IPropertyContainer>();
    if (!top || FAILED(top->GetItemByName(group, g.ReleaseAndGetAddressOf()))) return v;
    auto c = g.As<IPropertyContainer>();
    if (c && SUCCEEDED(c->GetItemByName(name, item.ReleaseAndGetAddressOf())))
        if (auto value = item.As<IEngineValue>()) value->GetValue(&v);
    return v;
}
}

// The properties grid shows the overall bitrate and each stream's language.
TEST(MediaSource, GridShowsBitrateAndLanguages)
{
    const fs::path tagged = WithLanguageTags(Fixtures().mkv, TestDir() / "tagged.mkv", "ger");
    ASSERT_FALSE(tagged.empty());
    Opened o = OpenSource(tagged);
    ASSERT_EQ(o.hr, S_OK) << WideToUtf8(o.error);
    EXPECT_GT(GroupFact(o.source.Get(), L"General", L"Bitrate").AsInt(), 0);
    EXPECT_EQ(GroupFact(o.source.Get(), L"Audio", L"Language").AsString(), L"ger");
    EXPECT_EQ(GroupFact(o.source.Get(), L"Video", L"Language").AsString(), L"ger");

    Opened plain = OpenSource(Fixtures().mp4);  // "und" or no tag: no row
    ASSERT_EQ(plain.hr, S_OK);
    EXPECT_EQ(GroupFact(plain.source.Get(), L"Audio", L"Language").vt, VT_EMPTY);
}
