#include "controls/draw/FitSize.h"
#include "controls/draw/FrameSizeText.h"
#include "controls/draw/MediaTimeText.h"
#include <climits>
#include <cmath>
#include <gtest/gtest.h>

namespace {

struct FitCase {
    int w, h, maxW, maxH;
    double aspect;
    FitSize expected;
};

TEST(FitSizeKeepAspect, FollowsTheTableOfCases)
{
    const FitCase cases[] = {
        {640, 480, 800, 600, 0, {640, 480}},       // smaller than the box: unscaled
        {640, 480, 640, 600, 0, {640, 480}},       // width equal: wide branch gives the same
        {1920, 1080, 800, 600, 0, {800, 450}},
        {480, 640, 800, 600, 0, {450, 600}},
        {720, 576, 400, 300, 16.0 / 9, {400, 225}},
        {160, 120, 390, 264, 16.0 / 9, {213, 120}},  // small and anamorphic: unscaled, at its display width
        {100, 100, 50, 80, 0, {50, 50}},           // square: tall branch, limited by width
        {1000, 10, 30, 30, 0, {30, 0}},            // very wide in a tiny box
        {10, 1000, 30, 30, 0, {0, 30}},
        {1, 1, 1, 1, 0, {1, 1}},
        {0, 0, 800, 600, 0, {0, 0}},               // no picture
        {640, 0, 800, 600, 0, {0, 0}},
        {640, 480, 0, 0, 0, {0, 0}},               // no box
        {640, 480, -5, 600, 0, {0, 0}},
        {640, 480, 800, 600, NAN, {0, 0}},
        {640, 480, 800, 600, -1.0, {0, 0}},
        {640, 480, 800, 600, 1e300, {800, 0}},     // absurd aspect: no overflow
    };
    for (const FitCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " in " << c.maxW << "x" << c.maxH << " a=" << c.aspect);
        FitSize got = FitSizeKeepAspect(c.w, c.h, c.maxW, c.maxH, c.aspect);
        EXPECT_EQ(got.width, c.expected.width);
        EXPECT_EQ(got.height, c.expected.height);
    }
}

TEST(FitSizeKeepAspect, NeverExceedsTheBoxWhenScaling)
{
    for (int w : {1, 7, 640, 1920, 4000})
        for (int h : {1, 9, 480, 1080, 3000})
            for (int box : {1, 13, 300, 800}) {
                FitSize got = FitSizeKeepAspect(w, h, box, box, 0);
                if (got.width == w && got.height == h) continue;  // unscaled
                EXPECT_LE(got.width, box);
                EXPECT_LE(got.height, box);
                EXPECT_GE(got.width, 0);
                EXPECT_GE(got.height, 0);
            }
}

TEST(TruncToInt, SaturatesAndDropsNaN)
{
    EXPECT_EQ(TruncToInt(2.9), 2);
    EXPECT_EQ(TruncToInt(-2.9), -2);
    EXPECT_EQ(TruncToInt(1e20), INT_MAX);
    EXPECT_EQ(TruncToInt(-1e20), INT_MIN);
    EXPECT_EQ(TruncToInt(NAN), 0);
}

TEST(FormatMediaTime, FollowsTheTableOfCases)
{
    constexpr int64_t s = 10000000;
    const std::pair<int64_t, const char*> cases[] = {
        {0, "00:00"},
        {5 * s, "00:05"},
        {65 * s, "00:01:05"},
        {3725 * s, "1:02:05"},
        {36000 * s, "10:00:00"},
        {49999900, "00:05"},          // 4.99999 s: within 1/10000 s of 5
        {45000000, "00:04"},          // 4.5 s
        {49990000, "00:04"},          // 4.999 s is not rounded
        {59 * s + 9999950, "00:01:00"},   // carry into minutes
        {3599 * s + 9999950, "1:00:00"},  // carry into hours
        {9 * 3600 * s + 59 * 60 * s + 59 * s, "9:59:59"},
        {1, "00:00"},
        {-1, "00:00"},                // negative times show as zero
        {-3725 * s, "00:00"},
        {INT64_MIN, "00:00"},
        {INT64_MAX, "256204778:48:05"},
    };
    for (const auto& [time, text] : cases) {
        SCOPED_TRACE(time);
        EXPECT_EQ(FormatMediaTime(time), wxString(text));
    }
}

struct SizeCase {
    const wchar_t* text;
    FrameSizeText::Kind kind;
    int width, height, value;
};

TEST(ParseFrameSizeText, ReadsEveryForm)
{
    using K = FrameSizeText;
    const SizeCase cases[] = {
        {L"max: 720", K::Max, 640, 480, 720},
        {L"max:720", K::Max, 640, 480, 720},
        {L"1280 x 720", K::Size, 1280, 720, 0},
        {L"1280x720", K::Size, 1280, 720, 0},
        {L"  1280   x   720 px", K::Size, 1280, 720, 0},
        {L"50%", K::Percent, 640, 480, 50},
        {L"50", K::Percent, 640, 480, 50},
        {L"0%", K::Percent, 640, 480, 0},
        {L"250%", K::Percent, 640, 480, 250},
        {L"-50%", K::Unknown, 640, 480, 0},      // negative percentage
        {L"0 x 480", K::Unknown, 640, 480, 0},   // empty frame
        {L"-640 x 480", K::Unknown, 640, 480, 0},
        {L"1280 X 720", K::Percent, 640, 480, 1280},  // only a lower-case x separates
        {L"99999999999 x 5", K::Unknown, 640, 480, 0},  // too large for an int
        {L"99999999999", K::Unknown, 640, 480, 0},
        {L"", K::Unknown, 640, 480, 0},
        {L"abc", K::Unknown, 640, 480, 0},
        {L"max: abc", K::Unknown, 640, 480, 0},
        {L" max: 5", K::Unknown, 640, 480, 0},
        {L"1080p", K::Percent, 640, 480, 1080},  // named sizes are not read
    };
    for (const SizeCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "\"" << wxString(c.text) << "\"");
        FrameSizeText got = ParseFrameSizeText(c.text);
        EXPECT_EQ(got.kind, c.kind);
        EXPECT_EQ(got.width, c.width);
        EXPECT_EQ(got.height, c.height);
        EXPECT_EQ(got.value, c.value);
    }
}

}  // namespace
