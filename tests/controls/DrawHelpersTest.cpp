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

#include "controls/draw/WrapText.h"
#include <cwchar>

namespace {

TEST(WrapText, BreaksAtSpacesAndCutsOnlyWordsWiderThanTheLine)
{
    // One unit per character: the width is a character count.
    const auto measure = [](const std::wstring& s) { return static_cast<int>(s.size()); };
    struct Case {
        const wchar_t* text;
        int width;
        std::vector<std::wstring> lines;
    } cases[] = {
        {L"", 10, {}},
        {L"short", 10, {L"short"}},
        {L"the file cannot be read", 10, {L"the file", L"cannot be", L"read"}},
        {L"a /very/long/path/name.mp4 here", 8, {L"a", L"/very/lo", L"ng/path/", L"name.mp4", L"here"}},
        {L"two  spaces", 20, {L"two spaces"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::string(c.text, c.text + wcslen(c.text)));
        EXPECT_EQ(WrapText(c.text, c.width, measure), c.lines);
    }
}

}  // namespace

#include "controls/grid/SourceFactText.h"

namespace {

TEST(SourceFactText, EngineValuesReadAsAUserReadsThem)
{
    struct Case {
        const wchar_t* name;
        const wchar_t* raw;
        const wchar_t* shown;
    } cases[] = {
        {L"Format", L"mov,mp4,m4a,3gp,3g2,mj2", L"MP4 / MOV"},
        {L"Format", L"png_pipe", L"PNG"},
        {L"Format", L"matroska,webm", L"Matroska / WebM"},
        {L"AspectRatio", L"1.77777777777778", L"16:9"},
        {L"AspectRatio", L"1.33333", L"4:3"},
        {L"AspectRatio", L"1.85", L"1.85"},
        {L"Duration", L"10.0310204081633", L"0:10.03"},
        {L"Duration", L"8", L"0:08.00"},
        {L"Duration", L"3725.5", L"1:02:05.50"},
        {L"Bitrate", L"2000", L"2.0 Mb/s"},
        {L"Bitrate", L"128", L"128 kb/s"},
        {L"FrameRate", L"25", L"25 fps"},
        {L"FrameRate", L"29.97002997", L"29.97 fps"},
        {L"SamplingRate", L"44100", L"44.1 kHz"},
        {L"SamplingRate", L"48000", L"48 kHz"},
        {L"Width", L"1920", L"1920 px"},
        {L"Codec", L"h264", L"h264"},          // as it stands
        {L"Bitrate", L"0", L"0"},              // nothing to say: the raw text
        // Beyond any real file (a damaged header): the raw text, never a
        // number wrapped on its way to an integer.
        {L"SamplingRate", L"1e12", L"1e12"},
        {L"Duration", L"1e300", L"1e300"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::string(c.raw, c.raw + wcslen(c.raw)));
        EXPECT_EQ(FactValue(c.name, c.raw), c.shown);
    }
}

TEST(SourceFactText, EngineNamesBecomeLabels)
{
    EXPECT_EQ(FactLabel(L"FrameRate"), L"Frame rate");
    EXPECT_EQ(FactLabel(L"StreamID"), L"Stream number");
    EXPECT_EQ(FactLabel(L"Video: 2"), L"Video: 2");
    EXPECT_EQ(FactLabel(L"Image"), L"Picture");
    EXPECT_EQ(FactLabel(L"Unheard"), L"Unheard");
}

}  // namespace

#include "controls/draw/FontScale.h"

namespace {

TEST(FontScale, ThePartsHeightsFollowTheDesktopsDefaultFont)
{
    struct Case {
        int part, desktop, shown;
    } cases[] = {
        {11, 11, 11},  // the reference desktop: unchanged
        {11, 15, 15},  // a 11-point desktop font at 96 dpi
        {14, 15, 19},  // larger heights keep their ratio to the default
        {11, 0, 11},   // unknown desktop size: as given
        {1, 5, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScaledFontPixels(c.part, c.desktop), c.shown) << c.part << " at " << c.desktop;
}

}  // namespace
