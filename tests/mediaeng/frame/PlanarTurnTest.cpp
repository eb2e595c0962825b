// Turns and flips done plane by plane on a YUV picture put every sample where
// the RGB rotation puts the pixel it belongs to.
#include "engine/FrameRotate.h"
#include "mediaeng/frame/PlanarTurn.h"
#include "TestFrames.h"
#include <gtest/gtest.h>

namespace {

// Planes of a w x h picture, held in vectors, seen as a PlanarView.
struct Planes {
    std::vector<BYTE> bytes[3];
    PlanarView view;
    Planes(int w, int h, int shiftX, int shiftY)
    {
        view.width = w;
        view.height = h;
        view.chromaShiftX = shiftX;
        view.chromaShiftY = shiftY;
        for (int p = 0; p < 3; ++p) {
            const int stride = view.PlaneWidth(p) + 5;  // rows padded, as decoders pad them
            bytes[p].assign(size_t(stride) * size_t(view.PlaneHeight(p)), 0);
            view.data[p] = bytes[p].data();
            view.stride[p] = stride;
        }
    }
};

// Y, U and V of every pixel of a 4:4:4 picture, as the three channels of an
// RGB pixel (0xYYUUVV), so the RGB rotation says where each sample goes.
std::vector<uint32_t> AsRgb(const PlanarView& v)
{
    std::vector<uint32_t> px;
    for (int y = 0; y < v.height; ++y)
        for (int x = 0; x < v.width; ++x)
            px.push_back(uint32_t(v.Row(0, y)[x]) << 16 | uint32_t(v.Row(1, y)[x]) << 8 | v.Row(2, y)[x]);
    return px;
}

}  // namespace

TEST(PlanarTurn, EveryTurnAndFlipMatchesTheRgbRotation)
{
    // Sizes: one pixel tile, several cache tiles, and one big enough for the row workers.
    const int sizes[][2] = {{7, 5}, {70, 45}, {520, 400}};
    for (const auto& size : sizes) {
        Planes src(size[0], size[1], 0, 0);
        for (int p = 0; p < 3; ++p)
            for (int y = 0; y < size[1]; ++y)
                for (int x = 0; x < size[0]; ++x) src.view.Row(p, y)[x] = BYTE(x * (p + 1) + y * (7 - p) + p * 40);
        for (int quarter = 0; quarter < 4; ++quarter)
            for (int flips = 0; flips < 4; ++flips) {
                const bool flipH = flips & 1, flipV = flips & 2;
                SCOPED_TRACE(testing::Message() << size[0] << "x" << size[1] << " quarter " << quarter << " flipH "
                                                << flipH << " flipV " << flipV);
                int w = 0, h = 0;
                mediaeng::frame::TurnedSize(quarter, size[0], size[1], w, h);
                Planes dst(w, h, 0, 0);
                ASSERT_TRUE(mediaeng::frame::TurnPlanar(src.view, dst.view, quarter, flipH, flipV));
                TestFrame rgb(size[0], size[1], AsRgb(src.view));
                CRotateImpl rotate;
                rotate.SetAngle(quarter * 90);
                rotate.SetFlip(flipH, flipV);
                ASSERT_EQ(S_OK, rotate.Rotate(rgb.F(), rgb.PF(), rgb.D(), rgb.PD()));
                ASSERT_EQ(WidthOf(rgb.rec), w);
                ASSERT_EQ(HeightOf(rgb.rec), h);
                EXPECT_EQ(Pixels(rgb.rec), AsRgb(dst.view));
            }
    }
}

TEST(PlanarTurn, SubsampledChromaTurnsWithItsPicture)
{
    // 4:2:0 of an odd size: the chroma plane of the turned picture is the
    // turned chroma plane, and a destination of the wrong shape is refused.
    Planes src(9, 6, 1, 1);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) src.view.Row(1, y)[x] = BYTE(10 * y + x);
    Planes dst(6, 9, 1, 1);
    ASSERT_TRUE(mediaeng::frame::TurnPlanar(src.view, dst.view, 1, false, false));
    ASSERT_EQ(dst.view.PlaneWidth(1), 3);
    ASSERT_EQ(dst.view.PlaneHeight(1), 5);
    // A quarter turn clockwise: the top row of the result is the left column read upward.
    EXPECT_EQ(dst.view.Row(1, 0)[0], 20);
    EXPECT_EQ(dst.view.Row(1, 0)[2], 0);
    EXPECT_EQ(dst.view.Row(1, 4)[0], 24);
    Planes upright(9, 6, 1, 1);
    EXPECT_FALSE(mediaeng::frame::TurnPlanar(src.view, upright.view, 1, false, false));
    Planes halfWide(6, 9, 1, 0);
    EXPECT_FALSE(mediaeng::frame::TurnPlanar(src.view, halfWide.view, 1, false, false));
}

// Packed pictures whose rows carry no padding and whose buffers end at their
// last pixel: each pixel lands where its mapping says, and nothing outside
// either picture is read or written (the sanitizer build checks the bounds).
TEST(PlanarTurn, PackedTurnsStayInsideTightPictures)
{
    using mediaeng::frame::PixelView;
    const int sizes[][2] = {{1, 1}, {7, 5}, {130, 67}, {600, 380}};
    for (const auto& size : sizes)
        for (int bpp : {3, 4})
            for (bool bottomUp : {false, true})
                for (int quarter = 0; quarter < 4; ++quarter)
                    for (int flips = 0; flips < 4; ++flips) {
                        const int sw = size[0], sh = size[1];
                        SCOPED_TRACE(testing::Message() << sw << "x" << sh << " bpp " << bpp << " bottom-up "
                                                        << bottomUp << " quarter " << quarter << " flips " << flips);
                        const auto view = [bpp, bottomUp](std::vector<BYTE>& bytes, int w, int h) {
                            const std::ptrdiff_t stride = std::ptrdiff_t(w) * bpp;
                            BYTE* top = bottomUp ? bytes.data() + (h - 1) * stride : bytes.data();
                            return PixelView{top, bottomUp ? -stride : stride, w, h, bpp};
                        };
                        std::vector<BYTE> in(size_t(sw) * sh * bpp);
                        for (size_t i = 0; i < in.size(); ++i) in[i] = BYTE(i * 37 + i / 251);
                        int w = 0, h = 0;
                        mediaeng::frame::TurnedSize(quarter, sw, sh, w, h);
                        std::vector<BYTE> out(size_t(w) * h * bpp);
                        const PixelView src = view(in, sw, sh), dst = view(out, w, h);
                        const auto m = mediaeng::frame::TurnMappingFor(quarter, flips & 1, flips & 2, sw, sh);
                        mediaeng::frame::TurnPacked(src, dst, m);
                        int wrong = 0;
                        for (int y = 0; y < h; ++y)
                            for (int x = 0; x < w; ++x)
                                wrong += std::memcmp(dst.At(x, y),
                                                     src.At(m.ax * x + m.bx * y + m.cx, m.ay * x + m.by * y + m.cy),
                                                     size_t(bpp)) != 0;
                        EXPECT_EQ(wrong, 0);
                    }
}
