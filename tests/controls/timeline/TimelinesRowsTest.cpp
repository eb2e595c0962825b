// The timelines list's rows and what its clicks do to the entry and the player.
#include "TimelineFakes.h"
#include "controls/timeline/TimelinesRows.h"
#include <gtest/gtest.h>

using namespace timelinefakes;
using Calls = std::vector<std::string>;

namespace {

TEST(TimelinesRows, AnEntryWithoutRangesShowsTheWholeFileSelected)
{
    CKMFilePtr entry = MakeEntry(83 * kSecond + 4500000);
    const TimelinesRows rows = MakeTimelinesRows(entry.get());
    EXPECT_EQ(Calls{"00.00 - 01:23.45"}, rows.rows);
    EXPECT_EQ(0, rows.selected);
}

TEST(TimelinesRows, EveryRangeIsARowAndTheCurrentOneIsSelected)
{
    CKMFilePtr entry = MakeEntry(600 * kSecond, {{0, 10 * kSecond}, {20 * kSecond, 255 * kSecond}, {300 * kSecond, 3600 * kSecond}});
    entry->m_currentTimeline = 2;
    const TimelinesRows rows = MakeTimelinesRows(entry.get());
    EXPECT_EQ((Calls{"00.00 - 10.00", "20.00 - 04:15.00", "05:00.00 - 01:00:00.00"}), rows.rows);
    EXPECT_EQ(2, rows.selected);
    // A stale index past the list selects the last row, as the ranges' own operations do.
    entry->m_currentTimeline = 7;
    EXPECT_EQ(2, MakeTimelinesRows(entry.get()).selected);
}

TEST(TimelinesRows, NoEntryOrNoDurationShowsNothing)
{
    EXPECT_TRUE(MakeTimelinesRows(nullptr).rows.empty());
    CKMFilePtr still = MakeEntry(0, {{0, kSecond}});
    EXPECT_TRUE(MakeTimelinesRows(still.get()).rows.empty());
}

class TimelinesClick : public ::testing::Test {
protected:
    CKMFilePtr entry = MakeEntry(60 * kSecond, {{0, 10 * kSecond}, {20 * kSecond, 30 * kSecond}});
    FakePlayer player;
    CountingListener listener;
};

TEST_F(TimelinesClick, WhilePlayingAClickPausesAndMakesTheRangeCurrentWithoutMoving)
{
    player.state = 2;
    player.playing = true;
    ClickTimelineRow(entry.get(), 1, player, &listener);
    EXPECT_EQ(1, entry->m_currentTimeline);
    EXPECT_EQ((Calls{"pause", "buttons"}), player.calls);
    EXPECT_EQ(Calls{"redraw"}, listener.calls);
    // Clicked again, now paused: the player goes to the range's start.
    player.calls.clear();
    listener.calls.clear();
    ClickTimelineRow(entry.get(), 1, player, &listener);
    EXPECT_EQ(Calls{"seek 200000000"}, player.calls);
    EXPECT_EQ((Calls{"moved", "redraw"}), listener.calls);
}

TEST_F(TimelinesClick, NoRowOrNoEntry)
{
    ClickTimelineRow(entry.get(), -1, player, &listener);
    EXPECT_TRUE(player.calls.empty());
    EXPECT_TRUE(listener.calls.empty());
    EXPECT_EQ(0, entry->m_currentTimeline);
    ClickTimelineRow(nullptr, 0, player, &listener);
    EXPECT_TRUE(player.calls.empty());
    EXPECT_EQ(Calls{"redraw"}, listener.calls);
    ClickTimelineRow(entry.get(), 0, player, nullptr);  // no listener set
    EXPECT_EQ(Calls{"seek 0"}, player.calls);
}

TEST_F(TimelinesClick, DoubleClickTogglesPlayAndPause)
{
    DoubleClickTimelines(player);
    EXPECT_EQ((Calls{"play", "buttons"}), player.calls);
    player.calls.clear();
    DoubleClickTimelines(player);
    EXPECT_EQ((Calls{"pause", "buttons"}), player.calls);
    // At the end of the media (rewind pending) a double click plays again.
    player.calls.clear();
    player.playing = true;
    player.rewind = true;
    DoubleClickTimelines(player);
    EXPECT_EQ((Calls{"play", "buttons"}), player.calls);
}

}  // namespace
