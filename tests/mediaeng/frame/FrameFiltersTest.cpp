// The colour and image filters: identity defaults bit-exact and free, the
// effect of each filter alone, and the frame-filter object's by-name writes.
#include "TestFrames.h"
#include "engine/EngineInit.h"
#include "engine/EngineNode.h"
#include "engine/FrameFilters.h"
#include "platform/ClassRegistry.h"
#include <algorithm>
#include <atomic>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

namespace {

uint32_t Rgb(int r, int g, int b) { return (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b); }

// A 4x3 frame with greys, primaries and a few mixed colours.
const std::vector<uint32_t> kColours = {Rgb(0, 0, 0),     Rgb(64, 64, 64),  Rgb(128, 128, 128), Rgb(255, 255, 255),
                                        Rgb(255, 0, 0),   Rgb(0, 255, 0),   Rgb(0, 0, 255),     Rgb(200, 100, 50),
                                        Rgb(10, 20, 30),  Rgb(50, 200, 150), Rgb(250, 240, 10), Rgb(128, 0, 128)};

std::vector<uint32_t> Filter(const FrameFilterSettings& s, const std::vector<uint32_t>& src = kColours, int w = 4,
                             int h = 3, int bpp = 3)
{
    TestFrame f(w, h, src, bpp);
    CMngFrameFilters m;
    m.SetFilterValues(s);
    EXPECT_EQ(S_OK, m.ConvertForItem(w, h, f.F(), f.PF(), f.D(), f.PD()));
    return Pixels(f.rec);
}

// Applies fn to each channel of each colour.
std::vector<uint32_t> PerChannel(const std::function<int(int)>& fn)
{
    std::vector<uint32_t> v;
    for (uint32_t c : kColours) v.push_back(Rgb(fn((c >> 16) & 0xFF), fn((c >> 8) & 0xFF), fn(c & 0xFF)));
    return v;
}

TEST(FrameFilters, DefaultsAreAnExactIdentityAndCostNothing)
{
    FrameFilterSettings s;
    EXPECT_TRUE(s.IsIdentity());
    for (int bpp : {3, 4}) {
        TestFrame f(4, 3, kColours, bpp);
        CMngFrameFilters m;
        m.SetFilterValues(s);
        ASSERT_EQ(S_OK, m.ConvertForItem(4, 3, f.F(), f.PF(), f.D(), f.PD()));
        EXPECT_EQ(f.data.data(), f.rec.pbData);  // no copy made
        EXPECT_EQ(kColours, Pixels(f.rec));
    }
    // Neutral values written out, and levels that cannot be used, are identity too.
    s.levelMin[1] = 200;
    s.levelMax[1] = 100;
    s.range = 2;
    s.preserveLuminosity = 1;
    s.depthMap = 5;
    EXPECT_TRUE(s.IsIdentity());
    EXPECT_EQ(kColours, Filter(s));
}

TEST(FrameFilters, NeutralCurvesStillRunGiveTheSameBytes)
{
    // A pass that is not skipped (levels 0..255 with gamma 1 on one channel,
    // then 1 and back) must still reproduce every byte.
    FrameFilterSettings s;
    s.red = 1;
    s.blue = 0;
    auto once = Filter(s);
    FrameFilterSettings t;
    t.red = -1;
    TestFrame f(4, 3, once);
    CMngFrameFilters m;
    m.SetFilterValues(t);
    ASSERT_EQ(S_OK, m.ConvertForItem(4, 3, f.F(), f.PF(), f.D(), f.PD()));
    auto back = Pixels(f.rec);
    for (size_t i = 0; i < kColours.size(); ++i) {
        if (((kColours[i] >> 16) & 0xFF) != 255) {
            EXPECT_EQ(kColours[i], back[i]) << i;
        }
    }
}

TEST(FrameFilters, EachFilterAloneDoesWhatItsNameSays)
{
    struct Case {
        const char* name;
        std::function<void(FrameFilterSettings&)> set;
        std::vector<uint32_t> want;
    };
    const Case cases[] = {
        {"negative", [](auto& s) { s.negative = 1; }, PerChannel([](int v) { return 255 - v; })},
        {"brightness +50", [](auto& s) { s.brightness = 50; }, PerChannel([](int v) { return std::min(255, v + 64); })},
        {"brightness -100", [](auto& s) { s.brightness = -100; }, PerChannel([](int v) { return std::max(0, v - 128); })},
        {"red +10", [](auto& s) { s.red = 10; },
         [] {
             std::vector<uint32_t> v;
             for (uint32_t c : kColours) v.push_back(Rgb(std::min<int>(255, ((c >> 16) & 0xFF) + 10), (c >> 8) & 0xFF, c & 0xFF));
             return v;
         }()},
        {"contrast -100", [](auto& s) { s.contrast = -100; }, PerChannel([](int) { return 128; })},
        {"levels 50..200", [](auto& s) { for (int c = 0; c < 3; ++c) { s.levelMin[c] = 50; s.levelMax[c] = 200; } },
         PerChannel([](int v) { return int(std::lround(std::clamp((v - 50) * 255.0 / 150.0, 0.0, 255.0))); })},
        {"luminosity +100", [](auto& s) { s.luminosity = 100; }, PerChannel([](int) { return 255; })},
        {"luminosity -100", [](auto& s) { s.luminosity = -100; }, PerChannel([](int) { return 0; })},
        {"cmyk key +100", [](auto& s) { s.cmykK = 100; }, PerChannel([](int) { return 0; })},
        {"saturation -100", [](auto& s) { s.saturation = -100; },
         [] {
             std::vector<uint32_t> v;
             for (uint32_t c : kColours) {
                 const int y = int(std::lround(0.299 * ((c >> 16) & 0xFF) + 0.587 * ((c >> 8) & 0xFF) + 0.114 * (c & 0xFF)));
                 v.push_back(Rgb(y, y, y));
             }
             return v;
         }()},
    };
    for (const Case& c : cases) {
        FrameFilterSettings s;
        c.set(s);
        EXPECT_FALSE(s.IsIdentity()) << c.name;
        const auto got = Filter(s);
        for (size_t i = 0; i < got.size(); ++i)
            for (int sh : {0, 8, 16})
                EXPECT_NEAR(double((c.want[i] >> sh) & 0xFF), double((got[i] >> sh) & 0xFF), 1.0)
                    << c.name << " pixel " << i << " shift " << sh;
    }
}

TEST(FrameFilters, ColourFiltersKeepGreysOrMoveTheRightChannel)
{
    FrameFilterSettings hue;
    hue.hue = 90;
    auto out = Filter(hue);
    for (int i : {0, 1, 2, 3}) EXPECT_EQ(kColours[i], out[i]);  // greys have no hue
    EXPECT_NE(kColours[4], out[4]);

    FrameFilterSettings gray;
    gray.grayscale = 1;
    for (uint32_t c : Filter(gray)) {
        EXPECT_EQ(c & 0xFF, (c >> 8) & 0xFF);
        EXPECT_EQ(c & 0xFF, (c >> 16) & 0xFF);
    }

    FrameFilterSettings cyan;
    cyan.cmykC = 100;  // full cyan ink leaves no red
    for (uint32_t c : Filter(cyan)) EXPECT_EQ(0u, c >> 16);

    FrameFilterSettings v;
    v.v = 50;  // more V: redder, less green
    out = Filter(v);
    EXPECT_GT((out[2] >> 16) & 0xFF, 128u);
    EXPECT_LT((out[2] >> 8) & 0xFF, 128u);

    FrameFilterSettings lms;
    lms.lmsL = 0;
    lms.lmsS = 40;  // more short-wave response: bluer
    out = Filter(lms);
    EXPECT_GT(out[2] & 0xFF, (out[2] >> 16) & 0xFF);

    FrameFilterSettings gamma;
    gamma.gamma = 50;  // gamma 2: mid grey 128 -> 255 * (128/255)^(1/2)
    EXPECT_EQ(Rgb(181, 181, 181), Filter(gamma)[2]);
}

TEST(FrameFilters, ColourBalanceByRangeAndPreservedLuminosity)
{
    FrameFilterSettings s;
    s.balanceRed = 100;
    s.range = 1;  // midtones: mid grey moves most, black and white not at all
    auto out = Filter(s);
    EXPECT_EQ(kColours[0], out[0]);
    EXPECT_EQ(kColours[3], out[3]);
    EXPECT_EQ(Rgb(255, 128, 128), out[2]);
    s.range = 0;  // shadows: dark grey moves more than light grey
    out = Filter(s);
    EXPECT_GT((out[1] >> 16) - 64, 0u);
    s.preserveLuminosity = 1;
    s.range = 1;
    out = Filter(s);
    const uint32_t p = out[2];
    const double y = 0.299 * ((p >> 16) & 0xFF) + 0.587 * ((p >> 8) & 0xFF) + 0.114 * (p & 0xFF);
    EXPECT_NEAR(128.0, y, 1.0);
    EXPECT_GT((p >> 16) & 0xFF, (p >> 8) & 0xFF);
}

TEST(FrameFilters, AutoLevelsStretchTheUsedRange)
{
    std::vector<uint32_t> dull;
    for (int i = 0; i < 32 * 24; ++i) dull.push_back(0x010101u * (60 + (i % 81)));  // greys 60..140
    FrameFilterSettings s;
    s.autoLevel = 1;
    auto out = Filter(s, dull, 32, 24);
    uint32_t lo = 255, hi = 0;
    for (uint32_t c : out) {
        lo = std::min(lo, c & 0xFF);
        hi = std::max(hi, c & 0xFF);
    }
    EXPECT_LE(lo, 3u);
    EXPECT_GE(hi, 252u);
    FrameFilterSettings c;
    c.autoContrast = 1;
    EXPECT_EQ(out, Filter(c, dull, 32, 24));  // greys: both give the same
}

TEST(FrameFilters, SpatialFilters)
{
    FrameFilterSettings s;
    s.soften = 1;
    s.sharpen = 1;
    EXPECT_EQ(Uniform(32, 24, 0x405060), Filter(s, Uniform(32, 24, 0x405060), 32, 24));

    // A single bright pixel: softening spreads it, sharpening rings it.
    std::vector<uint32_t> dot = Uniform(5, 5, 0x101010);
    dot[12] = 0x909090;
    FrameFilterSettings soft;
    soft.soften = 1;
    auto out = Filter(soft, dot, 5, 5);
    EXPECT_EQ(0x303030u, out[12]);  // (144 * 4 + 16 * 12) / 16
    EXPECT_EQ(0x202020u, out[7]);   // (144 * 2 + 16 * 14) / 16
    FrameFilterSettings sharp;
    sharp.sharpen = 1;
    out = Filter(sharp, dot, 5, 5);
    EXPECT_EQ(0xFFFFFFu, out[12]);
    EXPECT_EQ(0u, out[7]);

    std::vector<uint32_t> lines;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 2; ++x) lines.push_back(y % 2 ? 0xFFFFFFu : 0x202020u);
    FrameFilterSettings di;
    di.deinterlace = 1;
    out = Filter(di, lines, 2, 4);
    EXPECT_EQ(0x202020u, out[2]);  // row 1 from rows 0 and 2
    EXPECT_EQ(0x202020u, out[6]);  // last odd row repeats the one above
}

TEST(FrameFilters, ObjectWrittenByNameThroughTheEngineNode)
{
    EngineInitialize();
    CoInitialize();
    ComPtr<IEngineNode> node;
    ASSERT_EQ(S_OK, CoCreate(CLSID_FrameFilters, node));
    EXPECT_EQ(S_OK, node->SetValue(L"IsImageNegative", CVariant(int32_t{1})));
    EXPECT_EQ(S_OK, node->SetValue(L"LevelMaxGreen_Middle", CVariant(1.5)));
    EXPECT_EQ(S_FALSE, node->SetValue(L"NoSuchFilter", CVariant(int32_t{1})));
    // The property route the settings writer takes.
    ComPtr<IUnknown> item;
    ASSERT_EQ(S_OK, node->GetItem(L"color_brightness", item.ReleaseAndGetAddressOf()));
    ComPtr<IEngineProperty> prop = item.As<IEngineProperty>();
    ASSERT_TRUE(prop);
    EXPECT_EQ(S_OK, prop->SetValue(CVariant(L"25")));
    EXPECT_EQ(E_INVALIDARG, node->GetItem(L"Nope", item.ReleaseAndGetAddressOf()));

    ComPtr<IFrameFilterSettings> settings = node.As<IFrameFilterSettings>();
    FrameFilterSettings got;
    ASSERT_EQ(S_OK, settings->GetSettings(&got));
    EXPECT_EQ(1, got.negative);
    EXPECT_EQ(25, got.brightness);
    EXPECT_DOUBLE_EQ(1.5, got.levelMiddle[1]);

    CMngFrameFilters m;
    ASSERT_EQ(S_OK, m.SetFilters(node.Get()));
    TestFrame f(1, 1, {0});
    ASSERT_EQ(S_OK, m.ConvertForItem(1, 1, f.F(), f.PF(), f.D(), f.PD()));
    EXPECT_NE(0u, PixelAt(f.rec, 0, 0));
    EXPECT_EQ(S_OK, m.SetFilters(nullptr));  // no object: no filters
    TestFrame g(1, 1, {0});
    ASSERT_EQ(S_OK, m.ConvertForItem(1, 1, g.F(), g.PF(), g.D(), g.PD()));
    EXPECT_EQ(0u, PixelAt(g.rec, 0, 0));
    ASSERT_EQ(S_OK, m.SetFilters(node.Get()));  // and back: the new values count
    TestFrame h(1, 1, {0});
    ASSERT_EQ(S_OK, m.ConvertForItem(1, 1, h.F(), h.PF(), h.D(), h.PD()));
    EXPECT_NE(0u, PixelAt(h.rec, 0, 0));
}

TEST(FrameFilters, ReadersNeverSeeHalfAChange)
{
    EngineInitialize();
    CoInitialize();
    ComPtr<IFrameFilterSettings> settings;
    ASSERT_EQ(S_OK, CoCreate(CLSID_FrameFilters, settings));
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        for (int k = 0; !stop; k = (k + 1) % 100) {
            FrameFilterSettings s;
            s.brightness = s.contrast = s.gamma = s.hue = k;
            settings->SetSettings(&s);
        }
    });
    for (int i = 0; i < 2000; ++i) {
        FrameFilterSettings s;
        settings->GetSettings(&s);
        ASSERT_TRUE(s.brightness == s.contrast && s.contrast == s.gamma && s.gamma == s.hue);
    }
    stop = true;
    writer.join();
}

TEST(FrameFilters, LargeFramesGiveTheSameResultAsSmallOnes)
{
    // Bands of rows go to several threads on big frames; the result must not change.
    std::vector<uint32_t> big;
    for (int i = 0; i < 640 * 480; ++i) big.push_back(kColours[i % kColours.size()]);
    FrameFilterSettings s;
    s.brightness = 20;
    s.saturation = 30;
    s.soften = 1;
    const auto out = Filter(s, big, 640, 480);
    const auto small = Filter(s, std::vector<uint32_t>(big.begin() + 640 * 200, big.begin() + 640 * 203), 640, 3);
    for (int x = 0; x < 640; ++x) EXPECT_EQ(small[640 + x], out[640 * 201 + x]) << x;
}

}  // namespace

namespace {

TEST(FrameFilters, AYuvPictureIsFilteredAsRgb)
{
    BITMAPINFOHEADER h;
    h.biWidth = 4;
    h.biHeight = 2;
    h.biBitCount = 12;
    h.biCompression = FOURCC_I420;
    std::vector<BYTE> yuv(4 * 2 + 2 * 2, 128);
    FRAME_RECORD r{sizeof(h), reinterpret_cast<BYTE*>(&h), static_cast<DWORD>(yuv.size()), yuv.data()};
    CMngFrameFilters m;
    FrameFilterSettings s;
    s.negative = 1;
    m.SetFilterValues(s);
    ASSERT_EQ(S_OK, m.ConvertForItem(4, 2, &r.cbFormat, &r.pbFormat, &r.cbData, &r.pbData));
    EXPECT_EQ(24, HeaderOf(r).biBitCount);
    EXPECT_EQ(DWORD(BI_RGB), HeaderOf(r).biCompression);
    EXPECT_NEAR(255.0 - 130.0, double(PixelAt(r, 2, 1) & 0xFF), 3.0);
    EXPECT_EQ(std::vector<BYTE>(12, 128), yuv);
}

}  // namespace

namespace {

TEST(FrameFilters, ManyBytesAtATimeGiveTheTableValues)
{
    // Wide rows take the vector path for straight curves; one pixel the table.
    std::vector<uint32_t> ramp;
    for (int v = 0; v < 256; ++v) ramp.push_back(0x010101u * v);
    const int kinds[][2] = {{5, 13}, {-40, 0}, {0, -70}, {100, 100}, {33, -3}};
    for (const auto& k : kinds) {
        FrameFilterSettings s;
        s.brightness = k[0];
        s.contrast = k[1];
        const auto wide = Filter(s, ramp, 256, 1);
        for (int v = 0; v < 256; ++v)
            ASSERT_EQ(Filter(s, {ramp[v]}, 1, 1)[0], wide[v]) << k[0] << " " << k[1] << " at " << v;
    }
}

}  // namespace

#include "mediaeng/frame/AffineBytes.h"
#include "mediaeng/frame/FilterCurves.h"

namespace {

TEST(AffineBytes, OnlyStraightCurvesThatMatchTheTableAreTaken)
{
    using namespace mediaeng::frame;
    std::array<double, 256> values;
    std::array<BYTE, 256> table;
    auto fill = [&](auto curve) {
        for (int x = 0; x < 256; ++x) {
            values[x] = ClampChannel(curve(x));
            table[x] = BYTE(std::lround(values[x]));
        }
    };
    AffineCurve c;
    fill([](double x) { return ContrastCurve(BrightnessCurve(x, 5), 13); });
#if defined(__SSE2__)
    EXPECT_TRUE(FitAffine(values, table, c));
#endif
    fill([](double x) { return GammaCurve(x, 40); });
    EXPECT_FALSE(FitAffine(values, table, c));
    fill([](double) { return 255.0; });
    EXPECT_FALSE(FitAffine(values, table, c));
}

// The wide and the narrow steps and the tail give the table's bytes at every
// offset and length (the wide step reorders its lanes).
TEST(AffineBytes, EveryByteMatchesTheTable)
{
    using namespace mediaeng::frame;
    std::array<double, 256> values;
    std::array<BYTE, 256> table;
    for (int x = 0; x < 256; ++x) {
        values[x] = ClampChannel(ContrastCurve(BrightnessCurve(x, -20), 60));
        table[x] = BYTE(std::lround(values[x]));
    }
    AffineCurve c;
    if (!FitAffine(values, table, c)) GTEST_SKIP() << "no vector steps on this processor";
    std::vector<BYTE> src(1000), dst(1000);
    for (size_t i = 0; i < src.size(); ++i) src[i] = BYTE(i * 37 + i / 256);
    for (int offset : {0, 1, 7}) {
        for (int n : {5, 16, 31, 32, 33, 64, 100, 990}) {
            std::fill(dst.begin(), dst.end(), BYTE(0xAB));
            ApplyAffine(src.data() + offset, dst.data(), n, c, table);
            for (int i = 0; i < n; ++i) ASSERT_EQ(dst[size_t(i)], table[src[size_t(i + offset)]]) << n << " " << i;
            EXPECT_EQ(dst[size_t(n)], 0xAB);
        }
    }
}

}  // namespace

#include "mediaeng/frame/WideVectors.h"

namespace {

// The colour matrix has a second build for AVX2: both must give the same
// bytes, on odd widths (the vector loop's tail) and on 24- and 32-bit rows.
TEST(FrameFilters, TheWideBuildOfTheColourMatrixGivesTheSameBytes)
{
    if (!mediaeng::frame::UseWideVectors()) GTEST_SKIP() << "no AVX2 on this processor";
    std::vector<uint32_t> noise;
    uint32_t seed = 12345;
    for (int i = 0; i < 203 * 37; ++i) {
        seed = seed * 1664525u + 1013904223u;
        noise.push_back(seed >> 8);
    }
    FrameFilterSettings hue;
    hue.hue = 40;
    hue.saturation = 60;
    FrameFilterSettings grey;
    grey.grayscale = 1;
    for (const FrameFilterSettings& s : {hue, grey}) {
        for (int bpp : {3, 4}) {
            const auto wide = Filter(s, noise, 203, 37, bpp);
            mediaeng::frame::SetWideVectorsForTest(false);
            const auto narrow = Filter(s, noise, 203, 37, bpp);
            mediaeng::frame::SetWideVectorsForTest(true);
            EXPECT_EQ(wide, narrow) << "bpp " << bpp << " grey " << s.grayscale;
        }
    }
}

}  // namespace
