// The timeline ruler's mouse logic without a window: the drags of the range's
// edges, band and the play cursor as they reach the entry and the player, the
// auto-scroll ramp on an injected clock, the zoom and the scroll position.
#include "TimelineFakes.h"
#include "controls/timeline/TimelineDragModel.h"
#include "platform/Settings.h"
#include <gtest/gtest.h>

using namespace timelinefakes;

namespace {

constexpr int kBandY = 100;  // inside the band (rows 83..114 of a 120-px ruler)

class TimelineDrag : public ::testing::Test {
protected:
    // A 10-s entry; at the default zoom one second is 80 px, so time t stands at 5 + 80 t.
    void Show(CKMFilePtr e)
    {
        entry = std::move(e);
        model.SetItem(entry.get());
    }
    void Drag(int downX, int upX, int y = kBandY)
    {
        model.OnButtonDown(POINT{downX, y});
        model.OnMouseMove(POINT{(downX + upX) / 2, y});
        model.OnMouseMove(POINT{upX, y});
        model.OnButtonUp(POINT{upX, y});
    }
    int ThumbLeft() { return model.ThumbRect(model.Visible())->left; }

    FakeHost host;
    FakePlayer player;
    CTimelineDragModel model{host, player};
    CKMFilePtr entry;
};

TEST_F(TimelineDrag, DragsWriteTheEntryAndSeekThePlayerAtTheEnd)
{
    struct Case {
        const char* what;
        std::vector<std::pair<int64_t, int64_t>> ranges;
        int64_t resume;
        int downX, upX;
        int64_t start, end, cursor, seek;
    };
    const int64_t S = kSecond;
    const std::vector<Case> cases = {
        {"start past the end stops 10 ms short of it", {{2 * S, 5 * S}}, 0, 165, 600, 5 * S - 100000, 5 * S, 0,
         5 * S - 100000},
        {"start exactly onto the end is kept: an empty range", {{2 * S, 5 * S}}, 0, 165, 405, 5 * S, 5 * S, 0, 5 * S},
        {"start between: where the mouse is", {{2 * S, 5 * S}}, 0, 165, 245, 3 * S, 5 * S, 0, 3 * S},
        {"end before the start lands 10 ms after it", {{2 * S, 5 * S}}, 0, 405, 85, 2 * S, 2 * S + 100000, 0,
         2 * S + 100000},
        {"end before a start past the media's end stays at the duration", {{11 * S, 12 * S}}, 0, 965, 100, 11 * S,
         10 * S, 0, 10 * S},
        {"end past the duration ends at the duration", {{2 * S, 5 * S}}, 0, 405, 900, 2 * S, 10 * S, 0, 10 * S},
        {"band past the duration keeps its length and ends there", {{2 * S, 5 * S}}, 0, 300, 1000, 7 * S, 10 * S, 0,
         10 * S},
        {"band before 0 keeps its length and starts at 0", {{2 * S, 5 * S}}, 0, 300, 50, 0, 3 * S, 0, 0},
        {"cursor past the end stops at the duration", {{2 * S, 5 * S}}, S, 85, 1000, 2 * S, 5 * S, 10 * S, 10 * S},
        {"a click on the cursor leaves it where it is", {{2 * S, 5 * S}}, 12300000, 101, 101, 2 * S, 5 * S, 12300000,
         12300000},
        {"a click on an edge leaves it where it is", {{20049000, 5 * S}}, 0, 165, 165, 20049000, 5 * S, 0, 20049000},
        {"a click on the band leaves the range where it is", {{20049000, 5 * S}}, 0, 300, 300, 20049000, 5 * S, 0,
         5 * S},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        player.calls.clear();
        Show(MakeEntry(10 * S, c.ranges));
        entry->m_resumePosition = c.resume;
        const int changes = host.rangeChanges;
        Drag(c.downX, c.upX);
        EXPECT_EQ(c.start, entry->GetStartTime());
        EXPECT_EQ(c.end, entry->GetEndTime());
        EXPECT_EQ(c.cursor, entry->m_resumePosition);
        ASSERT_FALSE(player.calls.empty());
        EXPECT_EQ("seek " + std::to_string(c.seek), player.calls.back());
        EXPECT_EQ(1u, player.calls.size());  // only the last step seeks
        EXPECT_EQ(c.downX == 85 || c.downX == 101, host.rangeChanges == changes);  // cursor drags
        EXPECT_EQ(0, model.DragMode());
        EXPECT_FALSE(host.captured);
    }
}

TEST_F(TimelineDrag, AnEmptyRangeDrawsNoBandAndCannotBeGrabbedAsOne)
{
    Show(MakeEntry(10 * kSecond, {{5 * kSecond, 5 * kSecond}}));
    EXPECT_FALSE(model.CurrentRangeRect(model.Visible()));
    EXPECT_EQ(CTimelineDragModel::kHitNone, model.HitTest(POINT{405, kBandY}));
}

TEST_F(TimelineDrag, AClickOutsideEveryTargetMovesTheCursorThereAndTellsThePreview)
{
    Show(MakeEntry(10 * kSecond, {{2 * kSecond, 5 * kSecond}}));
    model.OnButtonDown(POINT{600, 60});
    EXPECT_FALSE(host.captured);
    model.OnButtonUp(POINT{600, 60});
    EXPECT_EQ(74375000, entry->m_resumePosition);  // (600 - 5) / 80 s
    EXPECT_EQ(std::vector<std::string>{"seek 74375000"}, player.calls);
    EXPECT_EQ(1, host.positionChanges);
    EXPECT_EQ(0, host.rangeChanges);
}

TEST_F(TimelineDrag, HitTestFindsEdgesBeforeTheBandAndNothingWhenDisabled)
{
    Show(MakeEntry(10 * kSecond, {{2 * kSecond, 5 * kSecond}}));
    entry->m_resumePosition = kSecond;
    using H = CTimelineDragModel;
    const std::vector<std::pair<POINT, int>> table = {
        {{164, kBandY}, H::kHitStart}, {{167, kBandY}, H::kHitStart}, {{168, kBandY}, H::kHitRange},
        {{401, kBandY}, H::kHitRange}, {{402, kBandY}, H::kHitEnd},   {{405, kBandY}, H::kHitEnd},
        {{406, kBandY}, H::kHitNone},  {{85, kBandY}, H::kHitCursor}, {{85, 30}, H::kHitRuler},
        {{600, 37}, H::kHitRuler},     {{600, 38}, H::kHitNone},      {{300, 82}, H::kHitNone},
    };
    for (const auto& [p, hit] : table) EXPECT_EQ(hit, model.HitTest(p)) << p.x << "," << p.y;
    EXPECT_EQ(H::ECursor::SizeWE, model.CursorAt(POINT{165, kBandY}));
    EXPECT_EQ(H::ECursor::Hand, model.CursorAt(POINT{300, kBandY}));
    EXPECT_EQ(H::ECursor::Arrow, model.CursorAt(POINT{600, 60}));
    host.enabled = false;
    EXPECT_EQ(H::kHitNone, model.HitTest(POINT{300, kBandY}));
    EXPECT_EQ(H::ECursor::Hand, model.CursorAt(POINT{300, 30}));
}

TEST_F(TimelineDrag, WithoutAnEntryDragsAndClicksDoNothing)
{
    model.SetItem(nullptr);
    EXPECT_EQ(0, model.ContentWidth());
    EXPECT_EQ(CTimelineDragModel::kHitNone, model.HitTest(POINT{300, kBandY}));
    model.OnButtonUp(POINT{300, kBandY});
    EXPECT_TRUE(player.calls.empty());
}

// Holds a cursor drag right of the ruler on a 1-hour entry and ticks the
// timer 100 ms apart on the test's clock.
class TimelineAutoScroll : public TimelineDrag {
protected:
    void SetUp() override
    {
        Show(MakeEntry(3600 * kSecond));
        entry->m_resumePosition = kSecond;
        model.OnButtonDown(kThumb);  // above the whole-file band
        ASSERT_EQ(CTimelineDragModel::kHitCursor, model.DragMode());
    }
    int Tick(POINT at)
    {
        const int before = model.Offset();
        model.OnTimer(at);
        return model.Offset() - before;
    }
    static constexpr POINT kThumb{85, 60};
    static constexpr POINT kRight{1195, 60};
};

TEST_F(TimelineAutoScroll, SpeedRampsWithWholeSecondsSinceItBegan)
{
    model.OnMouseMove(kRight);
    ASSERT_TRUE(host.timer);
    const uint32_t begin = host.clock;
    const int expected[] = {20, 20, 40, 40, 80, 160, 320, 1600, 3200, 4000, 4800, 8000, 16000, 16000, 16000};
    for (int second = 0; second < 15; ++second) {
        for (uint32_t ms : {0u, 900u, 999u}) {
            host.clock = begin + second * 1000u + ms;
            EXPECT_EQ(expected[second], Tick(kRight)) << second << " s " << ms << " ms";
        }
    }
    // The cursor follows the view: it is under the mouse, past the first hour's 5 %.
    EXPECT_GT(entry->m_resumePosition, 100 * kSecond);
}

TEST_F(TimelineAutoScroll, LeftOfTheRulerScrollsBackButNeverBelowZero)
{
    host.position = 30;
    model.OnMouseMove(POINT{-10, 60});
    ASSERT_TRUE(host.timer);
    EXPECT_EQ(-20, Tick(POINT{-10, 60}));
    EXPECT_EQ(-10, Tick(POINT{-10, 60}));
    EXPECT_EQ(0, Tick(POINT{-10, 60}));
    EXPECT_EQ(0, model.Offset());
    EXPECT_GE(host.lowestAsked, 0);
    EXPECT_EQ(0, entry->m_resumePosition);
}

TEST_F(TimelineAutoScroll, RampRestartsWhenTheMouseComesBackAndLeavesAgain)
{
    model.OnMouseMove(kRight);
    Tick(kRight);
    host.clock += 5000;
    EXPECT_EQ(160, Tick(kRight));
    model.OnMouseMove(POINT{600, 60});
    EXPECT_FALSE(host.timer);
    model.OnMouseMove(kRight);
    EXPECT_TRUE(host.timer);
    EXPECT_EQ(20, Tick(kRight));
}

TEST_F(TimelineAutoScroll, EveryEndOfADragStopsTheTimerAndTheNextDragStartsItAgain)
{
    model.OnMouseMove(kRight);
    model.OnButtonUp(kRight);
    EXPECT_FALSE(host.timer);
    EXPECT_FALSE(model.AutoScrollActive());

    entry->m_resumePosition = kSecond;
    host.position = 0;
    model.OnButtonDown(kThumb);
    model.OnMouseMove(kRight);
    EXPECT_TRUE(host.timer);
    EXPECT_EQ(2, host.timerStarts);

    model.OnCaptureLost();
    EXPECT_FALSE(host.timer);
    EXPECT_FALSE(host.captured);
    EXPECT_EQ(0, model.DragMode());
}

TEST_F(TimelineDrag, PanningTheScaleKeepsTheGrabbedTimeUnderTheMouse)
{
    Show(MakeEntry(3600 * kSecond));
    host.position = 1000;
    model.OnButtonDown(POINT{600, 30});
    ASSERT_EQ(CTimelineDragModel::kHitRuler, model.DragMode());
    model.OnMouseMove(POINT{400, 30});
    EXPECT_EQ(1200, model.Offset());
    model.OnMouseMove(POINT{900, 30});
    EXPECT_EQ(700, model.Offset());
    model.OnButtonUp(POINT{1800, 30});  // far right: would scroll before 0
    EXPECT_EQ(0, model.Offset());
    EXPECT_GE(host.lowestAsked, 0);
    EXPECT_FALSE(host.timer);
}

TEST_F(TimelineDrag, APositionChangeFromOutsideBringsTheCursor80PxFromTheLeft)
{
    Show(MakeEntry(3600 * kSecond));
    entry->m_resumePosition = 100 * kSecond;  // x 8005, off to the right
    model.OnPositionChanged();
    EXPECT_EQ(80, ThumbLeft());
    // Back to the start while scrolled a little: the view goes to 0, not below.
    host.position = 50;
    entry->m_resumePosition = 0;
    model.OnPositionChanged();
    EXPECT_EQ(0, model.Offset());
    EXPECT_GE(host.lowestAsked, 0);
    // While a drag runs the view does not jump.
    entry->m_resumePosition = 100 * kSecond;
    model.OnButtonDown(POINT{600, 30});
    model.OnPositionChanged();
    EXPECT_EQ(0, model.Offset());
}

TEST_F(TimelineDrag, SettingAnEntryStartsTheCursorAtItsCurrentPosition)
{
    CKMFilePtr e = MakeEntry(3600 * kSecond);
    e->m_currentPosition = 100 * kSecond;
    e->m_resumePosition = 7;
    Show(std::move(e));
    EXPECT_EQ(100 * kSecond, entry->m_resumePosition);
    EXPECT_EQ(80, ThumbLeft());
}

TEST(TimelineZoom, StoredZoomIsClampedIntoTheTable)
{
    const std::vector<std::pair<int, int>> table = {{57, 9}, {-3, 0}, {4, 4}};
    for (const auto& [stored, index] : table) {
        CSettingsStore::Instance().SetInt(L"Settings", L"ZoomID", stored);
        FakeHost host;
        FakePlayer player;
        CTimelineDragModel model(host, player);
        EXPECT_EQ(index, model.ZoomIndex()) << stored;
        EXPECT_EQ(Timeline::kZoomSteps[index], model.Step());
    }
}

TEST(TimelineZoom, ZoomAtEitherEndStillWritesTheIndex)
{
    CSettingsStore& store = CSettingsStore::Instance();
    FakeHost host;
    FakePlayer player;
    store.SetInt(L"Settings", L"ZoomID", 57);
    CTimelineDragModel out(host, player);
    out.ZoomOut();
    EXPECT_EQ(9, out.ZoomIndex());
    EXPECT_EQ(9, store.GetInt(L"Settings", L"ZoomID", -1));
    store.SetInt(L"Settings", L"ZoomID", -3);
    CTimelineDragModel in(host, player);
    const int redraws = host.redraws;
    in.ZoomIn();
    EXPECT_EQ(0, in.ZoomIndex());
    EXPECT_EQ(0, store.GetInt(L"Settings", L"ZoomID", -1));
    EXPECT_EQ(redraws + 1, host.redraws);
    in.ZoomOut();
    EXPECT_EQ(1, store.GetInt(L"Settings", L"ZoomID", -1));
}

TEST_F(TimelineDrag, ZoomKeepsTheRangeInPlaceOnTheScreen)
{
    Show(MakeEntry(3600 * kSecond, {{20 * kSecond, 30 * kSecond}}));
    host.position = 1000;
    const RECT k = host.client;
    ASSERT_EQ(605, model.CurrentRangeRect(k)->left);
    model.ZoomIn();
    EXPECT_EQ(605, model.CurrentRangeRect(k)->left);
    model.ZoomOut();
    model.ZoomOut();
    EXPECT_EQ(605, model.CurrentRangeRect(k)->left);
    // Unscrolled, the range cannot stay put when zooming out: the view stops at 0.
    host.position = 0;
    model.ZoomOut();
    EXPECT_EQ(0, model.Offset());
    EXPECT_GE(host.lowestAsked, 0);
}

}  // namespace
