// A media-file watermark shows the file's frame at the source's time, holds
// its last frame after its end, and seeks back when the source does.
#include "../frame/TestFrames.h"
#include "engine/FrameFilters.h"
#include "fixtures/MediaFixtures.h"
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

class CTestItem : public CComObjectBase<IUnknown> {};

int CounterAt(CMngFrameFilters& m, double seconds)
{
    const int w = 64, h = 48;
    TestFrame f(w, h, Uniform(w, h, 0x123456));
    EXPECT_EQ(S_OK, m.ConvertForItem(w, h, f.F(), f.PF(), f.D(), f.PD(), nullptr, REFERENCE_TIME(seconds * 1e7)));
    std::vector<uint8_t> rgb;
    for (uint32_t p : Pixels(f.rec)) {
        rgb.push_back(uint8_t(p >> 16));
        rgb.push_back(uint8_t(p >> 8));
        rgb.push_back(uint8_t(p));
    }
    return fixtures::ReadCounterRgb24(rgb.data(), w * 3, w, h);
}

TEST(MediaWatermark, FollowsTheSourceTime)
{
    const char* dir = std::getenv("KM_TEST_DIR");
    fixtures::ClipSpec spec;
    spec.width = 64;
    spec.height = 48;
    spec.audio = false;
    spec.seconds = 2.0;
    const auto clip = fixtures::WriteClip(std::filesystem::path(dir ? dir : "/tmp") / "mark.mkv", spec);
    ASSERT_FALSE(clip.empty());
    WatermarkItemDesc d;
    d.kind = WATERMARK_MEDIA;
    d.path = clip.wstring();
    d.posType = 0;
    d.posX = 0;
    d.posY = 0;
    CMngFrameFilters m;
    m.Watermarks().SetItems({{MakeComObject<CTestItem>(), d}});
    EXPECT_EQ(0, CounterAt(m, 0.0));
    EXPECT_EQ(25, CounterAt(m, 1.0));
    EXPECT_EQ(26, CounterAt(m, 1.04));
    EXPECT_EQ(5, CounterAt(m, 0.2));  // back: seeks
    EXPECT_EQ(49, CounterAt(m, 9.0));  // past its end: its last frame
}

}  // namespace
