// The preview's shown picture made the cheap way (crop read in place, eraser
// on the rows it touches, one scale, a half turn or flips at the shown size)
// against the full-size steps in their order (turn, crop, erase, then
// scale): the same pixels, within the scaler's rounding when mirrored.
#include "engine/EditChainRunner.h"
#include "TestFrames.h"
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

// A picture with gradients, edges and a few hard blocks, so that a pixel out
// of place or an eraser in the wrong spot shows.
std::vector<uint32_t> Busy(int w, int h)
{
    std::vector<uint32_t> v;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t r = uint32_t(x * 255 / (w - 1)), g = uint32_t(y * 255 / (h - 1));
            const uint32_t b = ((x / 7 + y / 5) % 2) ? 230 : 20;
            v.push_back((r << 16) | (g << 8) | b);
        }
    return v;
}

struct Difference {
    double mean = 255;
    int max = 255;
};

Difference Compare(const FRAME_RECORD& a, const FRAME_RECORD& b)
{
    Difference d;
    if (WidthOf(a) != WidthOf(b) || HeightOf(a) != HeightOf(b)) return d;
    const std::vector<uint32_t> pa = Pixels(a), pb = Pixels(b);
    double sum = 0;
    d.max = 0;
    for (size_t i = 0; i < pa.size(); ++i)
        for (int shift = 0; shift < 24; shift += 8) {
            const int diff = std::abs(int((pa[i] >> shift) & 0xFF) - int((pb[i] >> shift) & 0xFF));
            sum += diff;
            d.max = std::max(d.max, diff);
        }
    d.mean = sum / double(pa.size() * 3);
    return d;
}

struct Case {
    const char* what;
    int degrees, flipH, flipV;
    RECT crop;
    LONG eraser;  // ERASER_*
    RECT box;     // eraser rectangle on the turned, cropped picture
    int width, height;
};

TEST(ShownPicture, CheapOrderGivesThePictureOfTheFullSizeSteps)
{
    const Case cases[] = {
        {"scaled, no edits", 0, 0, 0, {}, ERASER_NONE, {}, 97, 61},
        {"crop, shown unscaled", 0, 0, 0, {7, 3, 11, 5}, ERASER_NONE, {}, 142, 112},
        {"crop and blur", 0, 0, 0, {7, 3, 11, 5}, ERASER_BLUR, {20, 10, 60, 40}, 71, 56},
        {"fill on the left edge", 0, 0, 0, {}, ERASER_FILL, {0, 30, 25, 70}, 80, 60},
        {"pixelate on the bottom edge", 0, 0, 0, {4, 0, 0, 0}, ERASER_PIXELATE, {33, 90, 81, 120}, 78, 60},
        {"half turn, scaled", 180, 0, 0, {}, ERASER_NONE, {}, 57, 74},
        {"quarter turn, crop, blur", 90, 0, 0, {5, 9, 3, 2}, ERASER_BLUR, {10, 20, 50, 45}, 57, 74},
        {"half turn, crop, fill", 180, 0, 0, {6, 0, 2, 8}, ERASER_FILL, {40, 30, 90, 70}, 76, 56},
        {"three quarters and a flip, pixelate", 270, 1, 0, {0, 4, 0, 4}, ERASER_PIXELATE, {3, 7, 60, 33}, 60, 76},
        {"flips only, unscaled, fill", 0, 1, 1, {}, ERASER_FILL, {50, 20, 70, 100}, 160, 120},
        {"quarter turn, eraser past the picture", 90, 0, 1, {}, ERASER_BLUR, {100, 140, 400, 400}, 60, 80},
    };
    const std::vector<uint32_t> pixels = Busy(160, 120);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EditChain chain;
        chain.rotateDegrees = c.degrees;
        chain.flipH = c.flipH;
        chain.flipV = c.flipV;
        chain.crop = c.crop;
        chain.eraser.nType = c.eraser;
        chain.eraser.nLeft = c.box.left;
        chain.eraser.nTop = c.box.top;
        chain.eraser.nRight = c.box.right;
        chain.eraser.nBottom = c.box.bottom;
        chain.eraser.nStrength = 4;
        chain.eraser.nCell = 6;

        TestFrame source(160, 120, pixels);
        const std::vector<BYTE> before = source.data;
        CEditChainRunner steps(CEditChainRunner::Use::Preview), cheap(CEditChainRunner::Use::Preview);
        steps.SetChain(chain);
        cheap.SetChain(chain);
        FRAME_RECORD full = source.rec;
        ASSERT_EQ(S_OK, steps.Reshape(full));
        ASSERT_EQ(S_OK, steps.ToShownSize(full, c.width, c.height));
        FRAME_RECORD shown{};
        ASSERT_EQ(S_OK, cheap.ShowSized(source.rec, c.width, c.height, shown));
        ASSERT_EQ(WidthOf(shown), c.width);
        ASSERT_EQ(HeightOf(shown), c.height);
        EXPECT_EQ(source.data, before) << "the source is never written";

        const Difference d = Compare(full, shown);
        if (c.degrees == 180 || c.flipH || c.flipV) {
            // Scaled before it is mirrored: the scaler's rounding runs the other way.
            EXPECT_LE(d.max, 1);
            EXPECT_LT(d.mean, 0.05);
        } else {
            EXPECT_EQ(d.max, 0) << "mean difference " << d.mean;
        }
    }
}

// Whatever the route does not take (the eraser's crop kind, which changes the
// picture's size) goes through the full-size steps.
TEST(ShownPicture, EraserCropKindTakesTheFullSizeSteps)
{
    EditChain chain;
    chain.eraser.nType = ERASER_CROP;
    chain.eraser.nLeft = 0;
    chain.eraser.nTop = 0;
    chain.eraser.nRight = 40;
    chain.eraser.nBottom = 120;
    TestFrame source(160, 120, Busy(160, 120));
    CEditChainRunner steps(CEditChainRunner::Use::Preview), cheap(CEditChainRunner::Use::Preview);
    steps.SetChain(chain);
    cheap.SetChain(chain);
    FRAME_RECORD full = source.rec;
    ASSERT_EQ(S_OK, steps.Reshape(full));
    ASSERT_EQ(WidthOf(full), 120);
    ASSERT_EQ(S_OK, steps.ToShownSize(full, 60, 60));
    FRAME_RECORD shown{};
    ASSERT_EQ(S_OK, cheap.ShowSized(source.rec, 60, 60, shown));
    EXPECT_EQ(Pixels(shown), Pixels(full));
}

}  // namespace
