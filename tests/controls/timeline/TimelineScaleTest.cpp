// Where the ruler puts times, labels and ticks, and the list's row texts.
#include "TimelineFakes.h"
#include "controls/timeline/TimelineScale.h"
#include <gtest/gtest.h>

using namespace timelinefakes;

namespace {

std::vector<std::string> LabelTexts(int64_t step, int offset, int right)
{
    std::vector<CTimelineScale::Label> labels;
    std::vector<CTimelineScale::Tick> ticks;
    CTimelineScale(step, offset).Marks(right, labels, ticks);
    std::vector<std::string> out;
    for (const auto& l : labels) out.push_back(l.text);
    return out;
}

TEST(TimelineScale, LabelsAtEveryZoomStep)
{
    const std::vector<std::vector<std::string>> expected = {
        {"00.00", "00.50", "01.00"},          {"00.00", "01.00", "02.00"},          {"00.00", "02.00", "04.00"},
        {"00.00", "04.00", "08.00"},          {"00.00", "10.00", "20.00"},          {"00.00", "20.00", "40.00"},
        {"00.00", "30.00", "01:00.00"},       {"00.00", "01:00.00", "02:00.00"},   {"00.00", "02:00.00", "04:00.00"},
        {"00.00", "06:00.00", "12:00.00"},
    };
    for (int i = 0; i < Timeline::kZoomCount; ++i)
        EXPECT_EQ(expected[i], LabelTexts(Timeline::kZoomSteps[i], 0, 200)) << "zoom " << i;
    // Scrolled 20 divisions into the 6-min scale: the labels count on from there.
    EXPECT_EQ((std::vector<std::string>{"02:00:00.00", "02:06:00.00", "02:12:00.00"}),
              LabelTexts(Timeline::kZoomSteps[9], 1600, 200));
}

TEST(TimelineScale, OneSecondZoomHasMajorTicksEvery80PxAndNineMinorOnes)
{
    std::vector<CTimelineScale::Label> labels;
    std::vector<CTimelineScale::Tick> ticks;
    CTimelineScale(10000000, 0).Marks(170, labels, ticks);
    ASSERT_EQ(3u, labels.size());
    EXPECT_EQ(5, labels[0].x);
    EXPECT_TRUE(labels[0].first);
    EXPECT_EQ(85, labels[1].x);
    EXPECT_FALSE(labels[1].first);
    std::vector<std::pair<int, int>> firstDivision;
    for (const auto& t : ticks)
        if (t.x >= 5 && t.x < 85) firstDivision.emplace_back(t.x, t.top);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{5, 33}, {13, 42}, {21, 42}, {29, 42}, {37, 42}, {45, 37},
                                                {53, 42}, {61, 42}, {69, 42}, {77, 42}}),
              firstDivision);
    for (const auto& t : ticks) EXPECT_LT(t.x, 170);
}

TEST(TimelineScale, ContentWidthIsWholeDivisionsPlus100)
{
    const std::vector<std::tuple<int64_t, int64_t, int>> table = {
        {0, 10000000, 100},          {15 * kSecond, 10000000, 1300}, {15 * kSecond - 1, 10000000, 1220},
        {3600 * kSecond, 5000000, 576100}, {45 * kSecond, 3600000000, 100},
    };
    for (const auto& [duration, step, width] : table) {
        const int w = Timeline::ContentWidth(true, duration, step);
        EXPECT_EQ(width, w) << duration;
        EXPECT_EQ(20, w % 80);
    }
    EXPECT_EQ(0, Timeline::ContentWidth(false, 3600 * kSecond, 10000000));
}

TEST(TimelineScale, RangeBandAndThumbPlaces)
{
    const CTimelineScale scale(10000000, 20);
    const RECT area{10, 28, 810, 120};
    const std::optional<RECT> band = scale.RangeRect(kSecond, 3 * kSecond, area);
    ASSERT_TRUE(band);
    EXPECT_EQ(10 + 5 + 80 - 20, band->left);
    EXPECT_EQ(10 + 5 + 240 - 20, band->right);
    EXPECT_EQ(28 + 55, band->top);
    EXPECT_EQ(115, band->bottom);
    EXPECT_FALSE(scale.RangeRect(3 * kSecond, 3 * kSecond, area));
    EXPECT_FALSE(scale.RangeRect(3 * kSecond, kSecond, area));
    const std::optional<RECT> thumb = scale.ThumbRect(kSecond, 10 * kSecond, area);
    ASSERT_TRUE(thumb);
    EXPECT_EQ((std::vector<LONG>{95 - 4 - 20, 27, 95 + 5 - 20, 43}),
              (std::vector<LONG>{thumb->left, thumb->top, thumb->right, thumb->bottom}));
    EXPECT_FALSE(scale.ThumbRect(0, 0, area));
}

}  // namespace
