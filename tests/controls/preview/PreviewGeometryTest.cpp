// The preview strip's arithmetic: positions along the seek bar, the thumb,
// and the faces of the buttons in each player state.
#include "controls/preview/PreviewGeometry.h"
#include <gtest/gtest.h>

TEST(PreviewGeometry, PositionsAlongTheBarAreClampedAndNeverDivideByZero)
{
    const SeekTrack track = MakeSeekTrack(0, 400, 60);  // x0 50, x1 335, length 272
    EXPECT_EQ(track.x0, 50);
    EXPECT_EQ(track.length, 272);
    const int64_t d = 10'000'000;
    struct Case { int x; int64_t expected; } cases[] = {
        {0, 0}, {56, 0}, {56 + 136, 5'000'000}, {56 + 272, d}, {1000, d},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PositionFromX(track, c.x, d), c.expected) << c.x;
    EXPECT_EQ(PositionFromX(track, 200, 0), 0);

    const SeekTrack narrow = MakeSeekTrack(0, 40, 60);  // no room at all
    EXPECT_EQ(narrow.length, 1);
    EXPECT_EQ(PositionFromX(narrow, 30, d), 0);
    EXPECT_EQ(PositionFromX(narrow, 500, d), d);

    EXPECT_EQ(ThumbX(track, 0, d), 51);
    EXPECT_EQ(ThumbX(track, d, d), 51 + 272);
    EXPECT_EQ(ThumbX(track, 2 * d, d), 51 + 272);
    EXPECT_EQ(ThumbX(track, 5, 0), 51);
}

TEST(PreviewGeometry, ButtonFacesFollowThePlayer)
{
    struct Case {
        int n; bool item, converting; int state; bool playing, rewind;
        PreviewButtonFaces faces;
    } cases[] = {
        {0, true, false, 0, false, false, {true, true, true, false, false}},   // stopped
        {0, true, false, 2, true, false, {false, true, true, true, true}},     // playing
        {0, true, false, 1, false, false, {true, true, true, true, false}},    // paused
        {1, true, false, 2, true, false, {true, true, true, false, false}},    // end of play
        {0, true, true, 2, true, false, {true, false, false, false, false}},   // converting
        {0, false, false, 0, false, false, {true, false, true, false, false}}, // no entry
    };
    for (const Case& c : cases)
        EXPECT_EQ(ButtonFaces(c.n, c.item, c.converting, c.state, c.playing, c.rewind), c.faces)
            << c.n << c.item << c.converting << c.state << c.playing;
}

TEST(PreviewGeometry, APicturesPixelShapeTurnsWithItAndStaysAfterACrop)
{
    struct Case {
        double display;
        int sw, sh, turns, ow, oh;
        double expected;
    } cases[] = {
        {16.0 / 9, 1920, 1080, 0, 1920, 1080, 0.0},      // square pixels: the picture's own shape
        {16.0 / 9, 1920, 1080, 1, 1080, 1920, 0.0},
        {16.0 / 9, 160, 120, 0, 160, 120, 16.0 / 9},     // 4:3 stored, shown 16:9
        {16.0 / 9, 160, 120, 1, 120, 160, 9.0 / 16},     // a quarter turn stands it up
        {16.0 / 9, 160, 120, -1, 120, 160, 9.0 / 16},
        {16.0 / 9, 160, 120, 2, 160, 120, 16.0 / 9},
        {16.0 / 9, 160, 120, 0, 120, 120, 4.0 / 3},      // 40 px cropped off the width
        {0.0, 160, 120, 1, 120, 160, 0.0},               // no aspect known
        {16.0 / 9, 0, 120, 0, 160, 120, 0.0},
        {16.0 / 9, 160, 120, 0, 0, 120, 0.0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(TransformedAspect(c.display, c.sw, c.sh, c.turns, c.ow, c.oh), c.expected, 1e-9)
            << c.sw << "x" << c.sh << " turns " << c.turns << " to " << c.ow << "x" << c.oh;
}
