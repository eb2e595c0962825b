// Clock texts of the timeline controls.
#include "model/util/TimeText.h"
#include <gtest/gtest.h>
#include <cmath>

TEST(TimeText, Table)
{
    struct Row {
        double seconds;
        bool hundredths, longForm;
        const char* text;
    } rows[] = {
        {3723.45, true, true, "1:02:03.45"},
        {83.5, true, true, "0:01:23.50"},
        {5.5, true, true, "0:00:05.50"},
        {0.25, true, true, "0:00:00.25"},
        {3723.45, true, false, "01:02:03.45"},
        {83.5, true, false, "01:23.50"},
        {5.5, true, false, "05.50"},
        {0.25, true, false, "00.25"},
        {3723.45, false, false, "1:02:03"},
        {3723.45, false, true, "1:02:03"},  // the long form needs hundredths
        {83.5, false, false, "1:23"},
        {5.99, false, false, "0:05"},  // truncated, not rounded
        {0, true, false, "00.00"},
        {0, false, false, "0:00"},
        {5.55, true, false, "05.55"},  // stored a hair below 5.55
        {1.15, true, false, "01.15"},
        {59.999, true, false, "59.99"},
        {59.99995, true, false, "01:00.00"},
        {3599.99995, true, false, "01:00:00.00"},
        {36000, true, false, "10:00:00.00"},
        {36000, false, false, "10:00:00"},
        {25 * 3600 + 61.5, true, false, "25:01:01.50"},
        {2147483647.99, true, false, "596523:14:07.99"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.seconds);
        EXPECT_EQ(FormatTimeText(r.seconds, r.hundredths, r.longForm), r.text);
    }
}

TEST(TimeText, BufferFormCutsToFit)
{
    char big[32];
    EXPECT_EQ(FormatTimeText(3723.45, big, true, false), 1);
    EXPECT_STREQ(big, "01:02:03.45");
    char small[6];
    EXPECT_EQ(FormatTimeText(3723.45, small, true, false), 1);
    EXPECT_STREQ(small, "01:02");
}

TEST(TimeText, OddInputsStayReadable)
{
    EXPECT_EQ(FormatTimeText(-5.5, true, false), "-05.50");
    EXPECT_EQ(FormatTimeText(std::nan(""), true, false), "00.00");
    EXPECT_FALSE(FormatTimeText(1e300, true, false).empty());
}
