// A media-file watermark shows the file's frame at the source's time, holds
// its last frame after its end, and seeks back when the source does.
#include "../frame/TestFrames.h"
#include "engine/FrameFilters.h"
#include "fixtures/MediaFixtures.h"
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

namespace {

class CTestItem : public CComObjectBase<IUnknown> {};

int CounterAt(CMngFrameFilters& m, double seconds)
{
    const int w = 64, h = 48;
    TestFrame f(w, h, Uniform(w, h, 0x123456));
    EXPECT_EQ(S_OK, m.ConvertForItem(w, h, f.F(), f.PF(), f.D(), f.PD(), nullptr, REFERENCE_TIME(seconds * 1e7)));
    std::vector<uint8_t> rgb;
    for (uint32_t p : Pixels(f.rec)) {
        rgb.push_back(uint8_t(p >> 16));
        rgb.push_back(uint8_t(p >> 8));
        rgb.push_back(uint8_t(p));
    }
    return fixtures::ReadCounterRgb24(rgb.data(), w * 3, w, h);
}

TEST(MediaWatermark, FollowsTheSourceTime)
{
    const char* dir = std::getenv("KM_TEST_DIR");
    fixtures::ClipDesc desc;
    desc.width = 64;
    desc.height = 48;
    desc.audio = false;
    desc.seconds = 2.0;
    const auto clip = fixtures::WriteClip(std::filesystem::path(dir ? dir : "/tmp") / "mark.mkv", desc);
    ASSERT_FALSE(clip.empty());
    WatermarkItemDesc d;
    d.kind = WATERMARK_MEDIA;
    d.path = clip.wstring();
    d.posType = 0;
    d.posX = 0;
    d.posY = 0;
    CMngFrameFilters m;
    m.Watermarks().SetItems({{MakeComObject<CTestItem>(), d}});
    EXPECT_EQ(0, CounterAt(m, 0.0));
    EXPECT_EQ(25, CounterAt(m, 1.0));
    EXPECT_EQ(26, CounterAt(m, 1.04));
    EXPECT_EQ(5, CounterAt(m, 0.2));  // back: seeks
    EXPECT_EQ(49, CounterAt(m, 9.0));  // past its end: its last frame
}

}  // namespace

extern "C" {
#include <libavcodec/avcodec.h>
}
#include <fstream>

namespace {

// A 2x1 PNG: opaque red, then white at half alpha.
std::filesystem::path WriteAlphaPng()
{
    const char* dir = std::getenv("KM_TEST_DIR");
    const auto path = std::filesystem::path(dir ? dir : "/tmp") / "alpha.png";
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_PNG);
    if (!codec) return {};
    AVCodecContext* ctx = avcodec_alloc_context3(codec);
    ctx->width = 2;
    ctx->height = 1;
    ctx->pix_fmt = AV_PIX_FMT_RGBA;
    ctx->time_base = {1, 25};
    AVFrame* frame = av_frame_alloc();
    AVPacket* pkt = av_packet_alloc();
    bool ok = avcodec_open2(ctx, codec, nullptr) >= 0;
    if (ok) {
        frame->width = 2;
        frame->height = 1;
        frame->format = AV_PIX_FMT_RGBA;
        ok = av_frame_get_buffer(frame, 0) >= 0;
    }
    if (ok) {
        const uint8_t px[8] = {255, 0, 0, 255, 255, 255, 255, 128};
        std::memcpy(frame->data[0], px, 8);
        ok = avcodec_send_frame(ctx, frame) >= 0 && avcodec_send_frame(ctx, nullptr) >= 0 &&
             avcodec_receive_packet(ctx, pkt) >= 0;
    }
    if (ok) std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(pkt->data), pkt->size);
    av_packet_free(&pkt);
    av_frame_free(&frame);
    avcodec_free_context(&ctx);
    return ok ? path : std::filesystem::path{};
}

TEST(PictureWatermark, KeepsThePicturesOwnAlpha)
{
    const auto png = WriteAlphaPng();
    ASSERT_FALSE(png.empty());
    WatermarkItemDesc d;
    d.kind = WATERMARK_PICTURE;
    d.path = png.wstring();
    d.posType = 0;
    d.posX = 0;
    d.posY = 0;
    CMngFrameFilters m;
    m.Watermarks().SetItems({{MakeComObject<CTestItem>(), d}});
    TestFrame f(4, 2, Uniform(4, 2, 0));
    ASSERT_EQ(S_OK, m.ConvertForItem(4, 2, f.F(), f.PF(), f.D(), f.PD()));
    EXPECT_EQ(0xFF0000u, PixelAt(f.rec, 0, 0));
    EXPECT_NEAR(128.0, double(PixelAt(f.rec, 1, 0) & 0xFF), 1.0);
    EXPECT_EQ(0u, PixelAt(f.rec, 2, 0));
}

}  // namespace
