#include "controls/small/ScrollModel.h"
#include <gtest/gtest.h>

namespace {

TEST(ScrollModel, ContentNarrowerThanTheWindowDisablesTheBarAtZero)
{
    CScrollModel s;
    s.Update(400, 500);
    EXPECT_FALSE(s.Bar().enabled);
    EXPECT_EQ(s.Bar().pos, 0);
    EXPECT_EQ(s.GetScrollOffset(), 0);
    EXPECT_EQ(s.Scale(), 1.0);
}

TEST(ScrollModel, SetsUpTheRangeFromTheOverflow)
{
    struct Case {
        int content, client;
        int max, page, units;
        double scale;
    };
    const Case cases[] = {
        {1500, 500, 1000, 333, 1, 1.0},
        {600, 500, 100, 83, 1, 1.0},
        {60800, 800, 30000, 779, 1, 2.0},      // overflow 60000: scaled to 30000
        {30800, 800, 30000, 779, 1, 1.0},      // exactly the limit: not scaled
        {51, 1, 5000, 98, 100, 1.0},           // a page too small for whole units
        {1000000000, 1000, 30000, 967, 1, (1000000000 - 1000) / 30000.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.content << " in " << c.client);
        CScrollModel s;
        s.Update(c.content, c.client);
        EXPECT_TRUE(s.Bar().enabled);
        EXPECT_EQ(s.Bar().max, c.max);
        EXPECT_EQ(s.Bar().page, c.page);
        EXPECT_EQ(s.UnitsPerPixel(), c.units);
        EXPECT_DOUBLE_EQ(s.Scale(), c.scale);
    }
}

TEST(ScrollModel, RequestsMoveTheBarWithinItsRange)
{
    CScrollModel s;
    s.Update(1500, 500);  // max 1000, page 333: positions 0 .. 667
    struct Step {
        int code, track, expected;
    };
    const Step steps[] = {
        {SB_LINELEFT, 0, 0},          // at the minimum: stays
        {SB_PAGELEFT, 0, 0},
        {SB_LINERIGHT, 0, 1},
        {SB_PAGERIGHT, 0, 334},
        {SB_PAGERIGHT, 0, 667},       // not beyond the end
        {SB_PAGERIGHT, 0, 667},       // at the maximum: stays
        {SB_LINERIGHT, 0, 667},
        {SB_PAGELEFT, 0, 334},
        {SB_THUMBTRACK, 500, 500},
        {SB_ENDSCROLL, 0, 500},
        {SB_THUMBPOSITION, 40000, 667},  // beyond the end: the end
        {SB_THUMBTRACK, -20, 0},         // never negative
        {SB_RIGHT, 0, 667},
        {SB_LEFT, 0, 0},
        {99, 0, 0},                      // unknown code: nothing
    };
    for (const Step& step : steps) {
        s.Scroll(step.code, step.track);
        EXPECT_EQ(s.Bar().pos, step.expected) << "code " << step.code;
    }
}

TEST(ScrollModel, TheRightEndShowsTheEndOfLongContent)
{
    // Very wide content (a long file zoomed in): the bar's units go far past
    // 32633 only in hundredths; the thumb still reaches the end.
    for (int content : {1500, 30800, 60800, 5000000}) {
        SCOPED_TRACE(content);
        CScrollModel s;
        s.Update(content, 800);
        s.Scroll(SB_RIGHT);
        double overflowScrollPx = (content - 800) / s.Scale();
        EXPECT_NEAR(s.GetScrollOffset(), overflowScrollPx, 1e-6);
        EXPECT_NEAR(s.GetScrollOffset() * s.Scale(), content - 800, 1e-3);
        s.Scroll(SB_THUMBTRACK, s.MaxPos());
        EXPECT_NEAR(s.GetScrollOffset(), overflowScrollPx, 1e-6);
    }
}

TEST(ScrollModel, OffsetsRoundTripAndStayInRange)
{
    CScrollModel s;
    s.Update(1500, 500);
    for (double offset : {0.0, 1.0, 250.0, 999.0, 1000.0}) {
        s.SetScrollOffset(offset);
        EXPECT_NEAR(s.GetScrollOffset(), offset, 1000.0 / 667 + 1e-9) << offset;
    }
    s.SetScrollOffset(-50);
    EXPECT_EQ(s.Bar().pos, 0);
    EXPECT_EQ(s.GetScrollOffset(), 0);
    s.SetScrollOffset(1e12);
    EXPECT_EQ(s.Bar().pos, s.MaxPos());
}

TEST(ScrollModel, ResizingKeepsTheShownOffset)
{
    CScrollModel s;
    s.Update(2000, 500);
    s.SetScrollOffset(600);
    double before = s.GetScrollOffset();
    s.Update(2000, 700);  // wider window: the same content stays in view
    EXPECT_NEAR(s.GetScrollOffset(), before, 2.0);
    s.Update(2000, 1900);  // the offset no longer fits: the end
    EXPECT_EQ(s.Bar().pos, s.MaxPos());
    s.Update(1000, 1900);  // no overflow at all
    EXPECT_FALSE(s.Bar().enabled);
    EXPECT_EQ(s.Bar().pos, 0);
}

}  // namespace
