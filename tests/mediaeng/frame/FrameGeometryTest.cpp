// Rotation, flips, crop, resize and 24-bit conversion on tiny frames: exact
// pixels, the row orders, header-only geometry and untrusted headers.
#include "TestFrames.h"
#include "engine/FrameConvert.h"
#include "engine/FrameCrop.h"
#include "engine/FrameResize.h"
#include "engine/FrameRotate.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <tuple>

namespace {

const std::vector<uint32_t> k4x3 = NumberedPixels(4, 3);

// Where the source corners land: index into {TL, TR, BL, BR} of the result.
struct RotationCase {
    int degrees;
    int flipH, flipV;
    int w, h;             // result size for a 4x3 source
    uint32_t tl, tr, bl, br;  // source pixels now at the result's corners
};

// Source corners of k4x3: TL (0,0), TR (3,0), BL (0,2), BR (3,2).
const uint32_t TL = k4x3[0], TR = k4x3[3], BL = k4x3[8], BR = k4x3[11];

class RotationTable : public ::testing::TestWithParam<std::tuple<RotationCase, int, bool>> {};

TEST_P(RotationTable, CornersAndSizeForEveryDepthAndRowOrder)
{
    const auto [c, bpp, bottomUp] = GetParam();
    TestFrame f(4, 3, k4x3, bpp, bottomUp);
    CRotateImpl rot;
    rot.SetAngle(c.degrees);
    rot.SetFlip(c.flipH, c.flipV);
    ASSERT_EQ(S_OK, rot.Rotate(f.F(), f.PF(), f.D(), f.PD()));
    ASSERT_EQ(c.w, WidthOf(f.rec));
    ASSERT_EQ(c.h, HeightOf(f.rec));
    EXPECT_EQ(HeaderOf(f.rec).biBitCount, bpp * 8);
    EXPECT_EQ(HeaderOf(f.rec).biHeight > 0, bottomUp);
    EXPECT_EQ(c.tl, PixelAt(f.rec, 0, 0));
    EXPECT_EQ(c.tr, PixelAt(f.rec, c.w - 1, 0));
    EXPECT_EQ(c.bl, PixelAt(f.rec, 0, c.h - 1));
    EXPECT_EQ(c.br, PixelAt(f.rec, c.w - 1, c.h - 1));
    // Nothing lost, nothing doubled.
    std::vector<uint32_t> got = Pixels(f.rec), want = k4x3;
    std::sort(got.begin(), got.end());
    std::sort(want.begin(), want.end());
    EXPECT_EQ(want, got);
    // The caller's block is untouched.
    EXPECT_EQ(k4x3, Pixels(TestFrame(4, 3, k4x3, bpp, bottomUp).rec));
}

INSTANTIATE_TEST_SUITE_P(
    QuarterTurnsAndFlips, RotationTable,
    ::testing::Combine(::testing::Values(RotationCase{0, 1, 0, 4, 3, TR, TL, BR, BL},
                                         RotationCase{0, 0, 1, 4, 3, BL, BR, TL, TR},
                                         RotationCase{90, 0, 0, 3, 4, BL, TL, BR, TR},
                                         RotationCase{90, 1, 0, 3, 4, TL, BL, TR, BR},
                                         RotationCase{90, 0, 1, 3, 4, BR, TR, BL, TL},
                                         RotationCase{180, 0, 0, 4, 3, BR, BL, TR, TL},
                                         RotationCase{180, 1, 1, 4, 3, TL, TR, BL, BR},
                                         RotationCase{270, 0, 0, 3, 4, TR, BR, TL, BL},
                                         RotationCase{-90, 0, 0, 3, 4, TR, BR, TL, BL},
                                         RotationCase{270, 1, 0, 3, 4, BR, TR, BL, TL},
                                         RotationCase{450, 0, 0, 3, 4, BL, TL, BR, TR}),
                       ::testing::Values(3, 4), ::testing::Bool()));

TEST(Rotate, QuarterTurnClockwiseExactPixels)
{
    TestFrame f(4, 3, k4x3);
    CRotateImpl rot;
    rot.SetAngle(90);
    ASSERT_EQ(S_OK, rot.Rotate(f.F(), f.PF(), f.D(), f.PD()));
    // Column x of the result is row (2 - x) of the source, read downward.
    const std::vector<uint32_t> want = {k4x3[8], k4x3[4], k4x3[0], k4x3[9], k4x3[5], k4x3[1],
                                        k4x3[10], k4x3[6], k4x3[2], k4x3[11], k4x3[7], k4x3[3]};
    EXPECT_EQ(want, Pixels(f.rec));
}

TEST(Rotate, NoTurnNoFlipLeavesTheRecordAsItIs)
{
    TestFrame f(4, 3, k4x3);
    CRotateImpl rot;
    rot.SetAngle(360);
    ASSERT_EQ(S_OK, rot.Rotate(f.F(), f.PF(), f.D(), f.PD()));
    EXPECT_EQ(f.data.data(), f.rec.pbData);
}

TEST(Rotate, ChainedCallsOnItsOwnOutput)
{
    TestFrame f(4, 3, k4x3);
    CRotateImpl rot;
    rot.SetAngle(90);
    for (int i = 0; i < 4; ++i) ASSERT_EQ(S_OK, rot.Rotate(f.F(), f.PF(), f.D(), f.PD()));
    EXPECT_EQ(k4x3, Pixels(f.rec));
}

TEST(Crop, MarginsTableWithClamping)
{
    struct Case {
        RECT margins;
        double factor;
        int w, h;
        int x0, y0;  // source pixel at the result's top-left
    };
    const Case cases[] = {
        {{1, 1, 1, 0}, 1.0, 2, 2, 1, 1},
        {{0, 0, 3, 2}, 1.0, 1, 1, 0, 0},
        {{10, 0, 10, 0}, 1.0, 1, 3, 3, 0},    // wider than the frame: one column stays
        {{-5, -5, -5, -5}, 1.0, 4, 3, 0, 0},  // negative margins cut nothing
        {{1, 0, 0, 0}, 2.0, 2, 3, 2, 0},      // factor scales the margins
        {{1, 1, 1, 1}, -1.0, 2, 1, 1, 1},     // a bad factor counts as 1
    };
    for (const Case& c : cases) {
        TestFrame f(4, 3, k4x3);
        CCropMng crop;
        crop.m_rcCrop = c.margins;
        ASSERT_EQ(S_OK, crop.Crop(f.F(), f.PF(), f.D(), f.PD(), nullptr, c.factor));
        ASSERT_EQ(c.w, WidthOf(f.rec));
        ASSERT_EQ(c.h, HeightOf(f.rec));
        for (int y = 0; y < c.h; ++y)
            for (int x = 0; x < c.w; ++x) EXPECT_EQ(k4x3[(c.y0 + y) * 4 + c.x0 + x], PixelAt(f.rec, x, y));
    }
}

TEST(Geometry, HeaderOnlyGivesTheSizeOfTheDrawnFrame)
{
    auto sizes = [](bool withData) {
        TestFrame f(32, 24, NumberedPixels(32, 24));
        DWORD* cb = withData ? f.D() : nullptr;
        BYTE** pd = withData ? f.PD() : nullptr;
        CRotateImpl rot;
        rot.SetAngle(90);
        rot.SetFlip(1, 0);
        EXPECT_EQ(S_OK, rot.Rotate(f.F(), f.PF(), cb, pd));
        CCropMng crop;
        crop.m_rcCrop = {3, 1, 2, 5};
        EXPECT_EQ(S_OK, crop.Crop(f.F(), f.PF(), cb, pd));
        CResizeMng resize;
        EXPECT_EQ(S_OK, resize.Resize(40, 40, f.F(), f.PF(), cb, pd, 1, RESIZE_KEEP_ASPECT, 0, 0, 0));
        return std::make_pair(WidthOf(f.rec), HeightOf(f.rec));
    };
    const auto drawn = sizes(true);
    EXPECT_EQ(drawn, sizes(false));
    EXPECT_EQ(std::make_pair(29, 40), drawn);  // 24x32 turned, cut to 19x26, fitted into 40x40
}

TEST(Geometry, UntrustedHeadersAreRefusedAndTheRecordKept)
{
    TestFrame f(4, 3, k4x3);
    CRotateImpl rot;
    rot.SetAngle(90);
    const FRAME_RECORD before = f.rec;
    f.hdr.biWidth = 0;
    EXPECT_EQ(E_INVALIDARG, rot.Rotate(f.F(), f.PF(), f.D(), f.PD()));
    f.hdr.biWidth = 1 << 20;
    EXPECT_EQ(E_INVALIDARG, rot.Rotate(f.F(), f.PF(), f.D(), f.PD()));
    f.hdr.biWidth = 4;
    f.hdr.biBitCount = 13;
    EXPECT_EQ(E_INVALIDARG, rot.Rotate(f.F(), f.PF(), f.D(), f.PD()));
    f.hdr.biBitCount = 24;
    f.rec.cbData = 10;  // shorter than 4x3 pixels need
    EXPECT_EQ(E_INVALIDARG, rot.Rotate(f.F(), f.PF(), f.D(), f.PD()));
    f.rec.cbData = before.cbData;
    f.rec.cbFormat = 20;
    EXPECT_EQ(E_INVALIDARG, rot.Rotate(f.F(), f.PF(), f.D(), f.PD()));
    f.rec.cbFormat = before.cbFormat;
    EXPECT_EQ(before.pbData, f.rec.pbData);
    EXPECT_EQ(E_POINTER, rot.Rotate(nullptr, f.PF(), f.D(), f.PD()));
}

TEST(Resize, TypesGiveTheirSizesAndBars)
{
    struct Case {
        int type, letterbox;
        int w, h;
    };
    const Case cases[] = {{RESIZE_STRETCH, 0, 8, 8}, {RESIZE_CROP_FILL, 0, 8, 8}, {RESIZE_KEEP_ASPECT, 1, 8, 8},
                          {RESIZE_KEEP_ASPECT, 0, 8, 6}, {RESIZE_BLURRED_BARS, 0, 8, 8}};
    for (const Case& c : cases) {
        TestFrame f(4, 3, Uniform(4, 3, 0xFFFFFF));
        CResizeMng resize;
        ASSERT_EQ(S_OK, resize.Resize(8, 8, f.F(), f.PF(), f.D(), f.PD(), 1, c.type, RESAMPLE_NEAREST, c.letterbox,
                                      RGB(0, 0, 255)));
        ASSERT_EQ(c.w, WidthOf(f.rec)) << c.type;
        ASSERT_EQ(c.h, HeightOf(f.rec)) << c.type;
        const bool bars = c.type == RESIZE_KEEP_ASPECT && c.letterbox;
        EXPECT_EQ(bars ? 0x0000FFu : 0xFFFFFFu, PixelAt(f.rec, 0, 0)) << c.type;
        EXPECT_EQ(0xFFFFFFu, PixelAt(f.rec, 4, 4)) << c.type;
    }
}

TEST(Resize, KeptSettingsAndSameSizeIsFree)
{
    TestFrame f(4, 3, k4x3);
    CResizeMng resize;
    ASSERT_EQ(S_OK, resize.Resize(4, 3, f.F(), f.PF(), f.D(), f.PD()));
    EXPECT_EQ(f.data.data(), f.rec.pbData);
    resize.SetValue(RESIZE_KEEP_ASPECT, RESAMPLE_NEAREST, 0, 0);
    ASSERT_EQ(S_OK, resize.Resize(8, 100, f.F(), f.PF(), f.D(), f.PD(), 0));
    EXPECT_EQ(8, WidthOf(f.rec));
    EXPECT_EQ(6, HeightOf(f.rec));
    EXPECT_EQ(k4x3[0], PixelAt(f.rec, 0, 0));
    EXPECT_EQ(k4x3[11], PixelAt(f.rec, 7, 5));
}

TEST(Convert24, EveryInputBecomesA24BitBottomUpDib)
{
    TestFrame top32(4, 3, k4x3, 4, false);
    CConvertTo24RGB conv;
    ASSERT_EQ(S_OK, conv.Convert24(top32.F(), top32.PF(), top32.D(), top32.PD()));
    EXPECT_EQ(24, HeaderOf(top32.rec).biBitCount);
    EXPECT_GT(HeaderOf(top32.rec).biHeight, 0);
    EXPECT_EQ(k4x3, Pixels(top32.rec));

    TestFrame already(4, 3, k4x3);
    ASSERT_EQ(S_OK, conv.Convert24(already.F(), already.PF(), already.D(), already.PD()));
    EXPECT_EQ(already.data.data(), already.rec.pbData);

    // A mid-grey I420 picture.
    BITMAPINFOHEADER h;
    h.biWidth = 4;
    h.biHeight = 2;
    h.biBitCount = 12;
    h.biCompression = FOURCC_I420;
    std::vector<BYTE> yuv(4 * 2 + 2 * 2, 128);
    FRAME_RECORD r{sizeof(h), reinterpret_cast<BYTE*>(&h), static_cast<DWORD>(yuv.size()), yuv.data()};
    ASSERT_EQ(S_OK, conv.Convert24(&r.cbFormat, &r.pbFormat, &r.cbData, &r.pbData));
    EXPECT_EQ(4, WidthOf(r));
    const uint32_t p = PixelAt(r, 1, 1);
    EXPECT_NEAR(double(p & 0xFF), 130.0, 3.0);
    EXPECT_EQ(p & 0xFF, (p >> 16) & 0xFF);
}

}  // namespace
