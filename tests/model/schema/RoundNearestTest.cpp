#include "model/util/RoundNearest.h"

#include <gtest/gtest.h>

TEST(RoundNearest, HalvesGoTowardZeroOthersToNearest)
{
    const struct {
        double in, out;
    } cases[] = {
        {2.5, 2},   {-2.5, -2}, {2.51, 3},  {-2.51, -3}, {0.5, 0},       {-0.5, 0},  {0.8, 1},
        {0.4, 0},   {-0.4, 0},  {3.0, 3},   {-3.0, -3},  {0.0, 0},       {1.49, 1},  {-1.6, -2},
        {799.5, 799}, {1e9 + 0.7, 1e9 + 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RoundNearest(c.in), c.out) << c.in;
}
