// Watermarks drawn straight onto planar YUV pictures: the colours of an RGB
// draw converted by libswscale, the same records, chroma samples averaged over
// the pixels they cover, fades, and pictures that cannot be drawn on.
#include "../frame/TestFrames.h"
#include "TestBmp.h"
#include "engine/WatermarkEngine.h"
#include "mediaeng/av/AvHandles.h"
#include "engine/PlanarView.h"
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
extern "C" {
#include <libavutil/pixdesc.h>
}

namespace {


class CTestItem : public CComObjectBase<IUnknown> {};

// A planar picture with its own buffers.
struct Yuv {
    mediaeng::av::FramePtr frame;
    bool fullRange = false;

    PlanarView View() const
    {
        PlanarView v;
        for (int p = 0; p < 3; ++p) {
            v.data[p] = frame->data[p];
            v.stride[p] = frame->linesize[p];
        }
        v.width = frame->width;
        v.height = frame->height;
        const AVPixFmtDescriptor* d = av_pix_fmt_desc_get(AVPixelFormat(frame->format));
        v.chromaShiftX = d->log2_chroma_w;
        v.chromaShiftY = d->log2_chroma_h;
        v.fullRange = fullRange;
        return v;
    }
    int At(int plane, int x, int y) const { return View().Row(plane, y)[x]; }
};

// The RGB picture (0xRRGGBB, top row first) converted by libswscale as the
// conversion converts; SWS_AREA averages chroma over the pixels it covers.
Yuv ToYuv(const std::vector<uint32_t>& rgb, int w, int h, AVPixelFormat format, bool fullRange,
          int swsFlags = SWS_BICUBIC)
{
    std::vector<uint8_t> packed(size_t(w) * h * 3 + 64);  // libswscale may read ahead
    for (size_t i = 0; i < rgb.size(); ++i) {
        packed[i * 3] = uint8_t(rgb[i] >> 16);
        packed[i * 3 + 1] = uint8_t(rgb[i] >> 8);
        packed[i * 3 + 2] = uint8_t(rgb[i]);
    }
    Yuv out;
    out.fullRange = fullRange;
    out.frame = mediaeng::av::MakeFrame();
    out.frame->format = format;
    out.frame->width = w;
    out.frame->height = h;
    EXPECT_EQ(0, av_frame_get_buffer(out.frame.get(), 0));
    mediaeng::av::SwsPtr sws(sws_getContext(w, h, AV_PIX_FMT_RGB24, w, h, format, swsFlags, nullptr, nullptr, nullptr));
    const int* coeffs = sws_getCoefficients(SWS_CS_DEFAULT);
    sws_setColorspaceDetails(sws.get(), coeffs, 0, coeffs, fullRange ? 1 : 0, 0, 1 << 16, 1 << 16);
    const uint8_t* src[1] = {packed.data()};
    const int srcStride[1] = {w * 3};
    sws_scale(sws.get(), src, srcStride, 0, h, out.frame->data, out.frame->linesize);
    return out;
}

// A colourful picture with edges in every channel.
std::vector<uint32_t> Background(int w, int h)
{
    std::vector<uint32_t> v;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t r = uint32_t(x * 5 + y * 2) & 0xFF, g = uint32_t(40 + y * 6) & 0xFF;
            const uint32_t b = (x / 8 + y / 8) % 2 ? 200 : 30;
            v.push_back(r << 16 | g << 8 | b);
        }
    return v;
}

std::vector<uint32_t> DrawRgb(CWatermarkEngine& e, const std::vector<uint32_t>& rgb, int w, int h,
                              const tag_DRAW_WATERMARK_INFO& info)
{
    TestFrame f(w, h, rgb);
    EXPECT_EQ(S_OK, e.Draw(f.F(), f.PF(), f.D(), f.PD(), &info));
    return Pixels(f.rec);
}

// Which pixels the items cover fully and which not at all, from RGB draws on
// black and on white.
struct Coverage {
    std::vector<bool> opaque, clear;
};

Coverage CoverageOf(CWatermarkEngine& e, int w, int h, const tag_DRAW_WATERMARK_INFO& info)
{
    const std::vector<uint32_t> black = DrawRgb(e, Uniform(w, h, 0), w, h, info);
    const std::vector<uint32_t> white = DrawRgb(e, Uniform(w, h, 0xFFFFFF), w, h, info);
    Coverage c;
    for (size_t i = 0; i < black.size(); ++i) {
        c.opaque.push_back(black[i] == white[i]);
        c.clear.push_back(black[i] == 0 && white[i] == 0xFFFFFF);
    }
    return c;
}

// Whether every luma pixel a sample of the plane covers is clear.
bool SampleClear(const PlanarView& v, const Coverage& c, int plane, int x, int y)
{
    const int sx = plane ? v.chromaShiftX : 0, sy = plane ? v.chromaShiftY : 0;
    for (int py = y << sy; py < std::min((y + 1) << sy, v.height); ++py)
        for (int px = x << sx; px < std::min((x + 1) << sx, v.width); ++px)
            if (!c.clear[size_t(py) * v.width + px]) return false;
    return true;
}

// Largest mean differences per sample allowed for luma and for chroma.
struct Limits {
    double luma, chroma;
};
constexpr Limits kConverted{1.5, 2.0};

// got (drawn planar) against want (drawn in RGB, then converted): close on
// average, close where the items are opaque, and equal to before wherever no
// item reaches.
void ExpectAgrees(const Yuv& want, const Yuv& got, const Yuv& before, const Coverage& cover,
                  Limits limits = kConverted)
{
    const PlanarView v = got.View();
    int opaqueMax = 0, opaqueCount = 0;
    for (int plane = 0; plane < 3; ++plane) {
        double sum = 0;
        int touched = 0;
        const int pw = v.PlaneWidth(plane), ph = v.PlaneHeight(plane);
        for (int y = 0; y < ph; ++y)
            for (int x = 0; x < pw; ++x) {
                const int diff = std::abs(want.At(plane, x, y) - got.At(plane, x, y));
                sum += diff;
                if (plane == 0 && cover.opaque[size_t(y) * pw + x]) {
                    opaqueMax = std::max(opaqueMax, diff);
                    ++opaqueCount;
                }
                if (SampleClear(v, cover, plane, x, y))
                    ASSERT_EQ(before.At(plane, x, y), got.At(plane, x, y)) << plane << " " << x << "," << y;
                else
                    ++touched;
            }
        EXPECT_GT(touched, 0) << plane;
        EXPECT_LT(sum / (pw * ph), plane == 0 ? limits.luma : limits.chroma) << plane;
    }
    EXPECT_GT(opaqueCount, 0);
    EXPECT_LE(opaqueMax, 2);
}

// Bold text, filled yellow with a blue stroke, at the top-left.
WatermarkItemDesc StrokedText()
{
    WatermarkItemDesc d;
    d.kind = WATERMARK_TEXT;
    d.text = L"Kestrel 1080";
    d.fontName = L"DejaVu Sans";
    d.fontSize = 22;
    d.fontBold = 1;
    d.color = RGB(255, 240, 40);
    d.stroke.enabled = 1;
    d.stroke.color = RGB(20, 20, 160);
    d.stroke.width = 2;
    d.posType = 0;
    d.posX = 6;
    d.posY = 5;
    return d;
}

// A colourful picture item stretched to w x h, placed by the anchor.
WatermarkItemDesc Picture(int w, int h, int posType, int x, int y, int transparency = 0)
{
    std::vector<uint32_t> px;
    for (int row = 0; row < 12; ++row)
        for (int col = 0; col < 16; ++col)
            px.push_back(uint32_t(col * 16) << 16 | uint32_t(255 - row * 20) << 8 | uint32_t((col + row) % 3 * 120));
    WatermarkItemDesc d;
    d.kind = WATERMARK_PICTURE;
    d.path = WriteBmp("planar.bmp", 16, 12, px).wstring();
    d.resize = std::to_wstring(w) + L"x" + std::to_wstring(h);
    d.transparency = transparency;
    d.posType = posType;
    d.posX = x;
    d.posY = y;
    return d;
}

std::vector<WatermarkEntry> Entries(const std::vector<WatermarkItemDesc>& descs)
{
    std::vector<WatermarkEntry> items;
    for (const WatermarkItemDesc& d : descs) items.push_back({MakeComObject<CTestItem>(), d});
    return items;
}

TEST(PlanarWatermark, TextAndHalfTransparentPictureMatchAnRgbDrawConverted)
{
    const int w = 192, h = 108;
    CWatermarkEngine e;
    e.SetItems(Entries({StrokedText(), Picture(60, 44, 8, 10, 8, 50)}));
    tag_DRAW_WATERMARK_INFO info;
    info.bIgnoreTiming = 0;
    const std::vector<uint32_t> bg = Background(w, h);
    const std::vector<uint32_t> drawn = DrawRgb(e, bg, w, h, info);
    const std::vector<WATERMARK_RECORD> rgbRecords = e.GetRecords();
    const Coverage cover = CoverageOf(e, w, h, info);
    // libswscale's chroma filters differ from our mean but for SWS_AREA's box,
    // which leaves only rounding; the same sprites serve both ranges in turn.
    struct Conversion {
        int swsFlags;
        Limits limits;
    };
    for (const Conversion& c : {Conversion{SWS_BICUBIC, kConverted}, Conversion{SWS_AREA, {0.2, 0.2}}})
        for (const bool full : {false, true, false}) {
            SCOPED_TRACE(std::string(c.swsFlags == SWS_AREA ? "area" : "bicubic") + (full ? " full" : " limited"));
            const Yuv before = ToYuv(bg, w, h, AV_PIX_FMT_YUV420P, full, c.swsFlags);
            const Yuv got = ToYuv(bg, w, h, AV_PIX_FMT_YUV420P, full, c.swsFlags);
            ASSERT_EQ(S_OK, e.DrawPlanar(got.View(), &info));
            ExpectAgrees(ToYuv(drawn, w, h, AV_PIX_FMT_YUV420P, full, c.swsFlags), got, before, cover, c.limits);
            const std::vector<WATERMARK_RECORD> records = e.GetRecords();
            ASSERT_EQ(rgbRecords.size(), records.size());
            for (size_t i = 0; i < records.size(); ++i) {
                EXPECT_EQ(rgbRecords[i].pItem, records[i].pItem);
                EXPECT_EQ(0, std::memcmp(&rgbRecords[i].rc, &records[i].rc, sizeof(RECT))) << i;
            }
        }
}

TEST(PlanarWatermark, EdgesOddPlacesRangesAndLayoutsMatchToo)
{
    struct Case {
        const char* name;
        int w, h;
        int posType, x, y;
        AVPixelFormat format;
        bool full;
    };
    const Case cases[] = {
        {"out on the left", 80, 60, 0, -9, 7, AV_PIX_FMT_YUV420P, false},
        {"out at the top", 80, 60, 0, 6, -7, AV_PIX_FMT_YUV420P, false},
        {"out on the right of an odd width", 79, 60, 2, -8, 5, AV_PIX_FMT_YUV420P, false},
        {"out at the bottom of an odd height", 80, 59, 6, 3, -9, AV_PIX_FMT_YUV420P, false},
        {"out at an odd corner, full range", 79, 59, 8, -3, -5, AV_PIX_FMT_YUV420P, true},
        {"odd place, full range", 80, 60, 0, 5, 3, AV_PIX_FMT_YUV420P, true},
        {"4:4:4 at an odd place", 79, 59, 0, 5, 3, AV_PIX_FMT_YUV444P, false},
        {"4:2:2 out on the right, full range", 79, 59, 2, -8, 3, AV_PIX_FMT_YUV422P, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CWatermarkEngine e;
        e.SetItems(Entries({Picture(25, 17, c.posType, c.x, c.y)}));
        tag_DRAW_WATERMARK_INFO info;
        const std::vector<uint32_t> bg = Background(c.w, c.h);
        const Yuv want = ToYuv(DrawRgb(e, bg, c.w, c.h, info), c.w, c.h, c.format, c.full);
        const Coverage cover = CoverageOf(e, c.w, c.h, info);
        const Yuv before = ToYuv(bg, c.w, c.h, c.format, c.full);
        const Yuv got = ToYuv(bg, c.w, c.h, c.format, c.full);
        ASSERT_EQ(S_OK, e.DrawPlanar(got.View(), &info));
        ExpectAgrees(want, got, before, cover);
    }
}

// Opaque white boxes reaching out of an odd-sized blue picture at the top-left
// and the bottom-right: a chroma sample becomes the mean of white and blue
// weighted by how many of its pixels inside the picture are covered.
TEST(PlanarWatermark, ChromaSamplesTakeTheMeanOfThePixelsTheyCoverInsideThePicture)
{
    const int w = 9, h = 7;
    WatermarkItemDesc box;
    box.kind = WATERMARK_RECT;
    box.width = 4;
    box.height = 4;
    box.color = RGB(255, 255, 255);
    box.rectType = 2;
    WatermarkItemDesc topLeft = box, bottomRight = box;
    topLeft.posType = 0;
    topLeft.posX = topLeft.posY = -1;
    bottomRight.posType = 8;
    bottomRight.posX = bottomRight.posY = -1;
    auto covered = [](int x, int y) { return (x <= 2 && y <= 2) || (x >= 6 && y >= 4); };
    for (const AVPixelFormat format : {AV_PIX_FMT_YUV420P, AV_PIX_FMT_YUV422P, AV_PIX_FMT_YUV444P})
        for (const bool full : {false, true}) {
            SCOPED_TRACE(std::string(av_get_pix_fmt_name(format)) + (full ? " full" : " limited"));
            CWatermarkEngine e;
            e.SetItems(Entries({topLeft, bottomRight}));
            const Yuv before = ToYuv(Uniform(w, h, 0x0000FF), w, h, format, full);
            const Yuv got = ToYuv(Uniform(w, h, 0x0000FF), w, h, format, full);
            const PlanarView v = got.View();
            ASSERT_EQ(S_OK, e.DrawPlanar(v, nullptr));
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    ASSERT_EQ(covered(x, y) ? (full ? 255 : 235) : before.At(0, x, y), got.At(0, x, y)) << x << "," << y;
            for (int plane = 1; plane < 3; ++plane)
                for (int cy = 0; cy < v.PlaneHeight(plane); ++cy)
                    for (int cx = 0; cx < v.PlaneWidth(plane); ++cx) {
                        int inside = 0, white = 0;
                        for (int y = cy << v.chromaShiftY; y < std::min((cy + 1) << v.chromaShiftY, h); ++y)
                            for (int x = cx << v.chromaShiftX; x < std::min((cx + 1) << v.chromaShiftX, w); ++x) {
                                ++inside;
                                white += covered(x, y);
                            }
                        const double mean = (white * 128.0 + (inside - white) * before.At(plane, cx, cy)) / inside;
                        ASSERT_NEAR(mean, got.At(plane, cx, cy), 0.51) << plane << " " << cx << "," << cy;
                    }
        }
}

TEST(PlanarWatermark, AFadeHalfWayInMakesHalfTheChange)
{
    const int w = 16, h = 12;
    WatermarkItemDesc d = Picture(8, 6, 0, 2, 2);
    d.fadeIn = 2;
    CWatermarkEngine e;
    e.SetItems(Entries({d}));
    tag_DRAW_WATERMARK_INFO info;
    info.bIgnoreTiming = 0;
    info.rtDuration = 10 * 10000000LL;
    const Yuv before = ToYuv(Uniform(w, h, 0x204060), w, h, AV_PIX_FMT_YUV420P, false);
    const Yuv half = ToYuv(Uniform(w, h, 0x204060), w, h, AV_PIX_FMT_YUV420P, false);
    const Yuv whole = ToYuv(Uniform(w, h, 0x204060), w, h, AV_PIX_FMT_YUV420P, false);
    info.rtTime = 1 * 10000000LL;
    ASSERT_EQ(S_OK, e.DrawPlanar(half.View(), &info));
    info.rtTime = 5 * 10000000LL;
    ASSERT_EQ(S_OK, e.DrawPlanar(whole.View(), &info));
    const PlanarView v = before.View();
    int changed = 0;
    for (int plane = 0; plane < 3; ++plane)
        for (int y = 0; y < v.PlaneHeight(plane); ++y)
            for (int x = 0; x < v.PlaneWidth(plane); ++x) {
                const int full = whole.At(plane, x, y) - before.At(plane, x, y);
                const int part = half.At(plane, x, y) - before.At(plane, x, y);
                EXPECT_NEAR(full / 2.0, part, 1.0) << plane << " " << x << "," << y;
                changed += std::abs(full) > 20;
            }
    EXPECT_GT(changed, 40);
}

TEST(PlanarWatermark, PicturesThatCannotBeDrawnOnAreRefusedUntouched)
{
    CWatermarkEngine e;
    e.SetItems(Entries({Picture(8, 6, 0, 0, 0)}));
    const Yuv pic = ToYuv(Background(16, 12), 16, 12, AV_PIX_FMT_YUV420P, false);
    const Yuv clean = ToYuv(Background(16, 12), 16, 12, AV_PIX_FMT_YUV420P, false);
    struct Case {
        const char* name;
        void (*spoil)(PlanarView&);
        HRESULT want;
    };
    const Case cases[] = {
        {"no chroma plane", [](PlanarView& v) { v.data[2] = nullptr; }, E_POINTER},
        {"4:1:0", [](PlanarView& v) { v.chromaShiftX = 2; }, E_INVALIDARG},
        {"no width", [](PlanarView& v) { v.width = 0; }, E_INVALIDARG},
        {"too tall", [](PlanarView& v) { v.height = kMaxFrameSide + 1; }, E_INVALIDARG},
        {"rows shorter than the picture", [](PlanarView& v) { v.stride[1] = 4; }, E_INVALIDARG},
    };
    for (const Case& c : cases) {
        PlanarView v = pic.View();
        c.spoil(v);
        EXPECT_EQ(c.want, e.DrawPlanar(v, nullptr)) << c.name;
    }
    for (int plane = 0; plane < 3; ++plane)
        for (int y = 0; y < pic.View().PlaneHeight(plane); ++y)
            for (int x = 0; x < pic.View().PlaneWidth(plane); ++x)
                ASSERT_EQ(clean.At(plane, x, y), pic.At(plane, x, y));
}

}  // namespace
