// The conversion's edit step: pictures edited where they are in the decoder's
// YUV agree with the same edits made in RGB, come out as announced, and never
// touch the decoder's own picture.
#include "mediaeng/job/transcode/FrameChainEdit.h"
#include <gtest/gtest.h>
#include <cmath>
#include <cstdlib>
#include <vector>
extern "C" {
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

namespace {

using mediaeng_test_frame = mediaeng::av::FramePtr;

mediaeng::av::FramePtr Converted(const AVFrame* f, AVPixelFormat fmt);

// A busy picture: gradients, waves and saturated colour bars.
mediaeng::av::FramePtr MakePicture(int w, int h, AVPixelFormat fmt)
{
    mediaeng::av::FramePtr rgb = mediaeng::av::MakeFrame();
    rgb->format = AV_PIX_FMT_BGR24;
    rgb->width = w;
    rgb->height = h;
    EXPECT_GE(av_frame_get_buffer(rgb.get(), 0), 0);
    for (int y = 0; y < h; ++y) {
        uint8_t* p = rgb->data[0] + y * rgb->linesize[0];
        for (int x = 0; x < w; ++x, p += 3) {
            const bool bar = y > h * 3 / 4;
            p[0] = uint8_t(bar ? (x / 16 % 2) * 255 : (x * 255) / w);
            p[1] = uint8_t(bar ? 40 : (y * 255) / h);
            p[2] = uint8_t(bar ? 220 : 128 + 100 * std::sin(x / 7.0) * std::cos(y / 5.0));
        }
    }
    return fmt == AV_PIX_FMT_BGR24 ? std::move(rgb) : Converted(rgb.get(), fmt);
}

mediaeng::av::FramePtr Ref(const AVFrame* f)
{
    mediaeng::av::FramePtr r = mediaeng::av::MakeFrame();
    av_frame_ref(r.get(), f);
    return r;
}

// The picture in another pixel format, converted as the edit step would.
mediaeng::av::FramePtr Converted(const AVFrame* f, AVPixelFormat fmt)
{
    mediaeng::av::FramePtr out = mediaeng::av::MakeFrame();
    out->format = fmt;
    out->width = f->width;
    out->height = f->height;
    EXPECT_GE(av_frame_get_buffer(out.get(), 0), 0);
    mediaeng::av::SwsPtr sws(sws_getContext(f->width, f->height, AVPixelFormat(f->format), f->width, f->height, fmt,
                                            SWS_POINT, nullptr, nullptr, nullptr));
    sws_scale(sws.get(), f->data, f->linesize, 0, f->height, out->data, out->linesize);
    return out;
}

mediaeng::av::FramePtr ToBgr(const AVFrame* f)
{
    return f->format == AV_PIX_FMT_BGR24 ? Ref(f) : Converted(f, AV_PIX_FMT_BGR24);
}

// What the encoder would make of an RGB result: the same picture in 4:2:0.
mediaeng::av::FramePtr AsEncoded(const AVFrame* f)
{
    return ToBgr(Converted(f, AV_PIX_FMT_YUV420P).get());
}

double MeanDifference(const AVFrame* a, const AVFrame* b)
{
    double sum = 0;
    for (int y = 0; y < a->height; ++y)
        for (int x = 0; x < a->width * 3; ++x)
            sum += std::abs(a->data[0][y * a->linesize[0] + x] - b->data[0][y * b->linesize[0] + x]);
    return sum / (double(a->width) * a->height * 3);
}

std::vector<uint8_t> Planes(const AVFrame* f)
{
    std::vector<uint8_t> bytes(size_t(av_image_get_buffer_size(AVPixelFormat(f->format), f->width, f->height, 1)));
    av_image_copy_to_buffer(bytes.data(), int(bytes.size()), f->data, f->linesize, AVPixelFormat(f->format),
                            f->width, f->height, 1);
    return bytes;
}

mediaeng::job::CFrameChainSettings TypicalEdits()
{
    mediaeng::job::CFrameChainSettings s;
    s.crop = RECT{8, 6, 10, 4};
    s.eraser.nType = ERASER_BLUR;
    s.eraser.nLeft = 40;
    s.eraser.nRight = 90;
    s.eraser.nTop = 20;
    s.eraser.nBottom = 50;
    s.eraser.nStrength = 6;
    s.filters.brightness = 5;
    s.filters.contrast = 13;
    return s;
}

void AddText(mediaeng::job::CFrameChainSettings& s)
{
    WatermarkItemDesc text;
    text.kind = WATERMARK_TEXT;
    text.text = L"Sample";
    text.fontName = L"DejaVu Sans";
    text.fontSize = 28;
    text.color = RGB(255, 240, 0);
    text.stroke.enabled = 1;
    text.stroke.color = RGB(0, 0, 160);
    text.posType = 6;
    text.posX = 10;
    text.posY = 10;
    s.watermarks = {{nullptr, text}};
}

}  // namespace

// The same edits on the decoder's YUV picture and on its RGB copy give the
// same picture, of the size the step announced: no further from each other
// than the two are with a crop alone (which moves no pixel value, so what
// is left is the round trip through RGB).
TEST(FrameChainEdit, YuvAndRgbRoutesAgree)
{
    struct Case {
        const char* what;
        void (*edit)(mediaeng::job::CFrameChainSettings&);
    } cases[] = {
        {"crop, blur, brightness and contrast", [](mediaeng::job::CFrameChainSettings&) {}},
        {"odd crop", [](mediaeng::job::CFrameChainSettings& s) { s.crop = RECT{3, 5, 1, 7}; }},
        {"pixelate", [](mediaeng::job::CFrameChainSettings& s) { s.eraser.nType = ERASER_PIXELATE; }},
        {"fill", [](mediaeng::job::CFrameChainSettings& s) { s.eraser.nType = ERASER_FILL; }},
        {"strong contrast", [](mediaeng::job::CFrameChainSettings& s) { s.filters.contrast = 45; }},
        {"darker", [](mediaeng::job::CFrameChainSettings& s) { s.filters.brightness = -30; }},
        {"text watermark", [](mediaeng::job::CFrameChainSettings& s) { AddText(s); }},
        {"text over the erased box", [](mediaeng::job::CFrameChainSettings& s) {
             AddText(s);
             s.eraser = tag_ERASEPARAM{ERASER_BLUR, 0, 160, 0, 120, 16, 8};
         }},
        // Straight curves and saturation as plane tables.
        {"less saturated alone", [](mediaeng::job::CFrameChainSettings& s) {
             s.filters = FrameFilterSettings{};
             s.filters.saturation = -60;
         }},
        {"more saturated alone", [](mediaeng::job::CFrameChainSettings& s) {
             s.filters = FrameFilterSettings{};
             s.filters.saturation = 40;
         }},
        {"negative", [](mediaeng::job::CFrameChainSettings& s) { s.filters.negative = 1; }},
        {"levels without a midtone", [](mediaeng::job::CFrameChainSettings& s) {
             s.filters.levelMin[0] = s.filters.levelMin[1] = s.filters.levelMin[2] = 20;
             s.filters.levelMax[0] = s.filters.levelMax[1] = s.filters.levelMax[2] = 230;
         }},
        // Other per-pixel filters through RGB a strip at a time (greyscale,
        // and saturation when a curve comes first).
        {"greyscale alone", [](mediaeng::job::CFrameChainSettings& s) {
             s.filters = FrameFilterSettings{};
             s.filters.grayscale = 1;
         }},
        {"greyscale", [](mediaeng::job::CFrameChainSettings& s) { s.filters.grayscale = 1; }},
        {"less saturated", [](mediaeng::job::CFrameChainSettings& s) { s.filters.saturation = -60; }},
        {"more saturated", [](mediaeng::job::CFrameChainSettings& s) { s.filters.saturation = 40; }},
        {"gamma", [](mediaeng::job::CFrameChainSettings& s) { s.filters.gamma = 40; }},
        {"levels with a midtone", [](mediaeng::job::CFrameChainSettings& s) {
             s.filters.levelMin[0] = s.filters.levelMin[1] = s.filters.levelMin[2] = 10;
             s.filters.levelMiddle[0] = s.filters.levelMiddle[1] = s.filters.levelMiddle[2] = 1.6;
         }},
        {"hue", [](mediaeng::job::CFrameChainSettings& s) { s.filters.hue = 60; }},
        {"colour balance", [](mediaeng::job::CFrameChainSettings& s) {
             s.filters.balanceRed = 40;
             s.filters.preserveLuminosity = 1;
         }},
        {"red channel", [](mediaeng::job::CFrameChainSettings& s) { s.filters.red = 50; }},
        // Turns and flips plane by plane, then the rest of the chain.
        {"turn 90", [](mediaeng::job::CFrameChainSettings& s) { s.rotateDegrees = 90; }},
        {"turn 180", [](mediaeng::job::CFrameChainSettings& s) { s.rotateDegrees = 180; }},
        {"turn 270", [](mediaeng::job::CFrameChainSettings& s) { s.rotateDegrees = 270; }},
        {"mirror", [](mediaeng::job::CFrameChainSettings& s) { s.flipH = 1; }},
        {"upside down", [](mediaeng::job::CFrameChainSettings& s) { s.flipV = 1; }},
        {"turn 90 and greyscale alone", [](mediaeng::job::CFrameChainSettings& s) {
             s.rotateDegrees = 90;
             s.filters = FrameFilterSettings{};
             s.filters.grayscale = 1;
         }},
        {"turn 90 and greyscale", [](mediaeng::job::CFrameChainSettings& s) {
             s.rotateDegrees = 90;
             s.filters.grayscale = 1;
         }},
        {"turn 270, mirror and gamma", [](mediaeng::job::CFrameChainSettings& s) {
             s.rotateDegrees = 270;
             s.flipH = 1;
             s.filters.gamma = -30;
         }},
    };
    const mediaeng::av::FramePtr yuv = MakePicture(160, 120, AV_PIX_FMT_YUV420P);
    const mediaeng::av::FramePtr rgb = ToBgr(yuv.get());
    auto difference = [&](const mediaeng::job::CFrameChainSettings& s) {
        int w = 160, h = 120;
        AVPixelFormat fmt = AV_PIX_FMT_YUV420P;
        s.MakeStage()->OutputFormat(w, h, fmt);
        EXPECT_EQ(fmt, AV_PIX_FMT_YUV420P);
        mediaeng::av::FramePtr fromYuv = Ref(yuv.get());
        EXPECT_EQ(s.MakeStage()->Process(fromYuv, 1.0), S_OK);
        EXPECT_EQ(fromYuv->format, AV_PIX_FMT_YUV420P);
        EXPECT_EQ(fromYuv->width, w);
        EXPECT_EQ(fromYuv->height, h);
        mediaeng::av::FramePtr fromRgb = Ref(rgb.get());
        EXPECT_EQ(s.MakeStage()->Process(fromRgb, 1.0), S_OK);
        EXPECT_EQ(fromRgb->format, AV_PIX_FMT_BGR24);
        if (fromRgb->width != w || fromRgb->height != h) return 255.0;
        return MeanDifference(ToBgr(fromYuv.get()).get(), AsEncoded(fromRgb.get()).get());
    };
    mediaeng::job::CFrameChainSettings cropOnly;
    cropOnly.crop = TypicalEdits().crop;
    const double roundTrip = difference(cropOnly);
    EXPECT_LT(roundTrip, 2.5);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        mediaeng::job::CFrameChainSettings s = TypicalEdits();
        c.edit(s);
        EXPECT_LT(difference(s), roundTrip + 0.5);
    }
}

// A turned picture is turned plane by plane and still leaves in the
// decoder's format, turned, and matches the RGB route as closely as an
// upright one does (its crop alone is the measure, as above).
TEST(FrameChainEdit, TurnedPictureLeavesInDecoderFormat)
{
    const mediaeng::av::FramePtr yuv = MakePicture(160, 120, AV_PIX_FMT_YUV420P);
    auto difference = [&](const mediaeng::job::CFrameChainSettings& s) {
        mediaeng::av::FramePtr fromYuv = Ref(yuv.get());
        EXPECT_EQ(s.MakeStage()->Process(fromYuv, 0), S_OK);
        mediaeng::av::FramePtr fromRgb = ToBgr(yuv.get());
        EXPECT_EQ(s.MakeStage()->Process(fromRgb, 0), S_OK);
        return MeanDifference(ToBgr(fromYuv.get()).get(), AsEncoded(fromRgb.get()).get());
    };
    mediaeng::job::CFrameChainSettings cropOnly;
    cropOnly.crop = TypicalEdits().crop;
    const double roundTrip = difference(cropOnly);

    mediaeng::job::CFrameChainSettings s = TypicalEdits();
    s.rotateDegrees = 90;
    int w = 160, h = 120;
    AVPixelFormat fmt = AV_PIX_FMT_YUV420P;
    s.MakeStage()->OutputFormat(w, h, fmt);
    EXPECT_EQ(fmt, AV_PIX_FMT_YUV420P);
    EXPECT_EQ(w, 120 - 8 - 10);
    EXPECT_EQ(h, 160 - 6 - 4);
    mediaeng::av::FramePtr fromYuv = Ref(yuv.get());
    ASSERT_EQ(s.MakeStage()->Process(fromYuv, 0), S_OK);
    EXPECT_EQ(fromYuv->format, AV_PIX_FMT_YUV420P);
    EXPECT_EQ(fromYuv->width, w);
    EXPECT_EQ(fromYuv->height, h);
    EXPECT_LT(difference(s), roundTrip + 0.5);
}

// The decoder keeps its pictures as references for the next ones: the edits
// must land in a picture of the step's own, for every route.
TEST(FrameChainEdit, DecoderPictureIsNeverWritten)
{
    for (int rotate : {0, 90, 180}) {
        mediaeng::job::CFrameChainSettings s = TypicalEdits();
        s.rotateDegrees = rotate;
        s.filters.gamma = rotate == 90 ? 30 : 0;  // a curve through RGB strips
        const mediaeng::av::FramePtr yuv = MakePicture(160, 120, AV_PIX_FMT_YUV420P);
        const std::vector<uint8_t> before = Planes(yuv.get());
        auto stage = s.MakeStage();
        for (int i = 0; i < 3; ++i) {
            mediaeng::av::FramePtr f = Ref(yuv.get());
            ASSERT_EQ(stage->Process(f, i), S_OK);
        }
        EXPECT_EQ(Planes(yuv.get()), before) << "rotation " << rotate;
    }
}

// Pictures handed on outlive the step (the encoder may still hold them when
// the file's stage is gone), and each one is a picture of its own.
TEST(FrameChainEdit, PicturesOutliveTheStep)
{
    const mediaeng::av::FramePtr yuv = MakePicture(160, 120, AV_PIX_FMT_YUV420P);
    std::vector<mediaeng::av::FramePtr> kept;
    {
        auto stage = TypicalEdits().MakeStage();
        for (int i = 0; i < 4; ++i) {
            mediaeng::av::FramePtr f = Ref(yuv.get());
            ASSERT_EQ(stage->Process(f, i), S_OK);
            kept.push_back(std::move(f));
        }
    }
    for (size_t i = 1; i < kept.size(); ++i) EXPECT_NE(kept[i]->data[0], kept[0]->data[0]);
    EXPECT_EQ(Planes(kept[0].get()), Planes(kept[3].get()));
}
