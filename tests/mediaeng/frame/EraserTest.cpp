// The eraser kinds on tiny frames: exact pixels where the arithmetic is
// simple, a rectangle partly outside the frame, cell and strength of 0.
#include "TestFrames.h"
#include "engine/FrameEraser.h"
#include <gtest/gtest.h>

namespace {

uint32_t Grey(int g) { return static_cast<uint32_t>(g) * 0x010101u; }

std::vector<uint32_t> Greys(std::initializer_list<int> g)
{
    std::vector<uint32_t> v;
    for (int x : g) v.push_back(Grey(x));
    return v;
}

tag_ERASEPARAM Param(LONG type, LONG l, LONG r, LONG t, LONG b, LONG strength = 8, LONG cell = 8)
{
    tag_ERASEPARAM p;
    p.nType = type;
    p.nLeft = l;
    p.nRight = r;
    p.nTop = t;
    p.nBottom = b;
    p.nStrength = strength;
    p.nCell = cell;
    return p;
}

std::vector<uint32_t> Erase(TestFrame& f, const tag_ERASEPARAM& p, CEraserFilter& e)
{
    e.SetProperty(&p);
    EXPECT_EQ(S_OK, e.Erase(f.F(), f.PF(), f.D(), f.PD()));
    return Pixels(f.rec);
}

// Rectangle x 2..6, y -1..2 on a 4x3 frame: only x 2..3, y 0..1 is inside.
const std::vector<uint32_t> kFillSource = Greys({0, 30, 200, 200,   //
                                                 0, 60, 200, 200,   //
                                                 0, 0, 90, 150});

TEST(Eraser, FillTakesTheSurroundingsWeightedByDistance)
{
    TestFrame f(4, 3, kFillSource);
    CEraserFilter e;
    // Left column and bottom row surround it; the right and top sides lie on the frame's edge.
    EXPECT_EQ(Greys({0, 30, 50, 90,  //
                     0, 60, 75, 120,  //
                     0, 0, 90, 150}),
              Erase(f, Param(ERASER_FILL, 2, 6, -1, 2), e));
    EXPECT_EQ(kFillSource, Pixels(TestFrame(4, 3, kFillSource).rec));  // input untouched
}

TEST(Eraser, FillOfTheWholeFrameTakesTheMeanOfItsBorder)
{
    TestFrame f(2, 2, Greys({10, 20, 30, 41}));
    CEraserFilter e;
    EXPECT_EQ(Greys({25, 25, 25, 25}), Erase(f, Param(ERASER_FILL, -10, 10, -10, 10), e));
}

TEST(Eraser, PixelateAveragesCellsAndACellOfZeroChangesNothing)
{
    const auto src = Greys({0, 1, 10, 20,  //
                            0, 1, 30, 41,  //
                            5, 5, 7, 9});
    {
        TestFrame f(4, 3, src);
        CEraserFilter e;
        // Cells start at the clipped rectangle's corner (2, 0): one full cell,
        // then one row of the next (rows 2..3, cut by the frame).
        EXPECT_EQ(Greys({0, 1, 25, 25,  //
                         0, 1, 25, 25,  //
                         5, 5, 8, 8}),
                  Erase(f, Param(ERASER_PIXELATE, 2, 9, 0, 9, 8, 2), e));
    }
    {
        TestFrame f(4, 3, src);
        CEraserFilter e;
        EXPECT_EQ(src, Erase(f, Param(ERASER_PIXELATE, -3, 2, -3, 2, 8, 0), e));
    }
}

TEST(Eraser, BlurStaysInsideTheClippedRectangle)
{
    std::vector<uint32_t> checker;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 32; ++x) checker.push_back((x + y) % 2 ? 0xFFFFFFu : 0);
    for (LONG strength : {0, 3, 99}) {
        TestFrame f(32, 24, checker);
        CEraserFilter e;
        const auto out = Erase(f, Param(ERASER_BLUR, -5, 10, 20, 30, strength), e);
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 32; ++x) {
                const uint32_t v = out[y * 32 + x];
                if (x < 10 && y >= 20) {
                    EXPECT_GT(v & 0xFF, 60u) << x << "," << y;  // no longer black or white
                    EXPECT_LT(v & 0xFF, 195u) << x << "," << y;
                } else {
                    EXPECT_EQ(checker[y * 32 + x], v) << x << "," << y;
                }
            }
    }
    TestFrame flat(32, 24, Uniform(32, 24, 0x336699));
    CEraserFilter e;
    EXPECT_EQ(Uniform(32, 24, 0x336699), Erase(flat, Param(ERASER_BLUR, 4, 20, 4, 20, 5), e));
}

TEST(Eraser, CropKeepsTheLargestBandWithoutTheRectangle)
{
    struct Case {
        tag_ERASEPARAM p;
        int w, h, x0, y0;
    };
    const Case cases[] = {
        {Param(ERASER_CROP, 28, 40, 0, 24), 28, 24, 0, 0},    // logo at the right edge
        {Param(ERASER_CROP, 10, 12, -2, 30), 20, 24, 12, 0},  // the wider band right of it
        {Param(ERASER_CROP, 10, 12, 3, 5), 32, 19, 0, 5},     // a small one: the band below keeps most
        {Param(ERASER_CROP, -4, 40, -4, 3), 32, 21, 0, 3},    // a strip along the top
        {Param(ERASER_CROP, -4, 40, -4, 40), 32, 24, 0, 0},   // all of it: nothing to keep, nothing cut
    };
    for (const Case& c : cases) {
        const auto src = NumberedPixels(32, 24);
        TestFrame f(32, 24, src);
        CEraserFilter e;
        e.SetProperty(&c.p);
        ASSERT_EQ(S_OK, e.Erase(f.F(), f.PF(), f.D(), f.PD()));
        ASSERT_EQ(c.w, WidthOf(f.rec));
        ASSERT_EQ(c.h, HeightOf(f.rec));
        EXPECT_EQ(src[c.y0 * 32 + c.x0], PixelAt(f.rec, 0, 0));
        // Header-only gives the same size.
        TestFrame g(32, 24, src);
        ASSERT_EQ(S_OK, e.Erase(g.F(), g.PF(), nullptr, nullptr));
        EXPECT_EQ(c.w, WidthOf(g.rec));
        EXPECT_EQ(c.h, HeightOf(g.rec));
    }
}

TEST(Eraser, WorksOnAnEarlierOperationsCopyButNeverOnTheCallersBlock)
{
    const auto src = Greys({10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120});
    const tag_ERASEPARAM pixelate = Param(ERASER_PIXELATE, 0, 2, 0, 2, 8, 2);
    const tag_ERASEPARAM fill = Param(ERASER_FILL, 2, 4, 0, 1);
    TestFrame f(4, 3, src);
    CEraserFilter first, second;
    first.SetProperty(&pixelate);
    ASSERT_EQ(S_OK, first.Erase(f.F(), f.PF(), f.D(), f.PD()));
    BYTE* copy = f.rec.pbData;
    EXPECT_NE(f.data.data(), copy);
    second.SetProperty(&fill);
    ASSERT_EQ(S_OK, second.Erase(f.F(), f.PF(), f.D(), f.PD()));
    EXPECT_EQ(copy, f.rec.pbData);  // the first one's working copy, changed where it is
    EXPECT_EQ(Greys({35, 35, 53, 65, 35, 35, 70, 80, 90, 100, 110, 120}), Pixels(f.rec));

    TestFrame g(4, 3, src);
    ASSERT_EQ(S_OK, second.Erase(g.F(), g.PF(), g.D(), g.PD()));
    EXPECT_NE(g.data.data(), g.rec.pbData);  // the caller's own block gets a copy
    g.Reset();
    EXPECT_EQ(src, Pixels(g.rec));
}

TEST(Eraser, NothingHappensWithoutAKindOrARectangle)
{
    const tag_ERASEPARAM none[] = {Param(ERASER_NONE, 0, 2, 0, 2), Param(7, 0, 2, 0, 2), Param(-1, 0, 2, 0, 2),
                                   Param(ERASER_BLUR, 3, 1, 0, 2), Param(ERASER_FILL, 40, 50, 0, 2),
                                   Param(ERASER_PIXELATE, 1, 1, 0, 3, 8, 2)};
    for (const tag_ERASEPARAM& p : none) {
        TestFrame f(4, 3, NumberedPixels(4, 3));
        CEraserFilter e;
        e.SetProperty(&p);
        ASSERT_EQ(S_OK, e.Erase(f.F(), f.PF(), f.D(), f.PD()));
        EXPECT_EQ(f.data.data(), f.rec.pbData) << p.nType;
    }
    TestFrame f(4, 3, NumberedPixels(4, 3));
    CEraserFilter e;
    e.SetProperty(nullptr);
    ASSERT_EQ(S_OK, e.Erase(f.F(), f.PF(), f.D(), f.PD()));
    EXPECT_EQ(f.data.data(), f.rec.pbData);
}

}  // namespace
