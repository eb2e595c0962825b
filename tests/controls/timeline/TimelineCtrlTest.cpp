// The timeline ruler and the timelines list as windows: what the ruler paints
// for an entry (band, cursor, grey end part), its caption, and the list's rows
// and selection.
#include "../ResTestLibrary.h"
#include "TimelineFakes.h"
#include "controls/res/ResourceBridge.h"
#include "controls/small/ListDropDownCtrl.h"
#include "controls/timeline/TimelineCtrl.h"
#include "controls/timeline/TimelinesCtrl.h"
#include "wx/WxTestSupport.h"
#include <gtest/gtest.h>
#include <wx/frame.h>

using namespace timelinefakes;

namespace {

bool Greenish(const wxColour& c)
{
    return c.Green() > c.Red() + 15 && c.Green() > c.Blue() + 15;
}

bool Grey(const wxColour& c)
{
    return std::abs(c.Red() - c.Green()) <= 2 && std::abs(c.Green() - c.Blue()) <= 2 && c.Red() < 245;
}

class TimelineWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(resources.Loaded());
        frame = new wxFrame(nullptr, wxID_ANY, "timeline", wxDefaultPosition, wxSize(1040, 320));
        ruler = CTimelineCtrl::Create(frame, wxID_ANY);
        ruler->SetSize(0, 0, 1000, 140);
        ruler->SetPlayer(player);
        frame->Show();
    }
    void TearDown() override
    {
        // The windows let go of the entry before it goes: a late paint must not reach it.
        if (ruler) ruler->SetItem(nullptr);
        if (frame) frame->Destroy();
    }

    ResTestLibrary resources;
    FakePlayer player;
    CKMFilePtr entry;
    wxFrame* frame = nullptr;
    CTimelineCtrl* ruler = nullptr;
};

// Client x of time t in the scale area: 1 px border, 5 px margin, 80 px a second.
int X(double seconds)
{
    return 1 + 5 + static_cast<int>(seconds * 80);
}

TEST_F(TimelineWindow, PaintsTheRangeBandTheCursorAndTheGreyAfterTheEnd)
{
    entry = MakeEntry(10 * kSecond, {{2 * kSecond, 5 * kSecond}});
    entry->m_currentPosition = kSecond;
    ruler->SetItem(entry.get());
    EXPECT_EQ("Timeline: 02.00 - 05.00 [03.00]", ruler->CaptionText());

    const wxImage shot = kmtest::PaintToImage(*ruler);
    ASSERT_TRUE(shot.IsOk());
    kmtest::SaveWindowPng(*ruler, "timeline-ruler");
    const int h = ruler->GetClientSize().y;
    const int bandY = 29 + 51 + (h - 29 - 51) / 2;  // middle of the band's rows
    EXPECT_TRUE(Greenish(kmtest::PixelAt(shot, X(3.5), bandY)));
    EXPECT_TRUE(Greenish(kmtest::PixelAt(shot, X(2) + 2, bandY)));
    EXPECT_FALSE(Greenish(kmtest::PixelAt(shot, X(2) - 3, bandY)));
    EXPECT_FALSE(Greenish(kmtest::PixelAt(shot, X(5) + 3, bandY)));
    EXPECT_TRUE(Grey(kmtest::PixelAt(shot, X(10) + 20, bandY)));
    EXPECT_FALSE(Grey(kmtest::PixelAt(shot, X(10) - 20, bandY)));
    // The cursor: a red line below its thumb, the thumb's red tag above it.
    EXPECT_EQ(wxColour(255, 0, 0), kmtest::PixelAt(shot, X(1), bandY));
    EXPECT_NE(wxColour(255, 0, 0), kmtest::PixelAt(shot, X(1) + 2, bandY));
    const wxColour tag = kmtest::PixelAt(shot, X(1), 29 + 27 + 5);
    EXPECT_GT(tag.Red(), 180);
    EXPECT_LT(tag.Green(), 80);
}

TEST_F(TimelineWindow, WithoutAnEntryTheCaptionSaysSoAndNothingIsDrawnOnTheScale)
{
    ruler->SetItem(nullptr);
    EXPECT_EQ(KM::Res::LoadString(428), ruler->CaptionText());
    EXPECT_FALSE(ruler->CaptionText().empty());
    const wxImage shot = kmtest::PaintToImage(*ruler);
    ASSERT_TRUE(shot.IsOk());
    EXPECT_FALSE(Greenish(kmtest::PixelAt(shot, X(3.5), 110)));
    EXPECT_NE(wxColour(255, 0, 0), kmtest::PixelAt(shot, X(0), 110));
}

TEST_F(TimelineWindow, LosingTheCaptureEndsTheDragAndItsTimer)
{
    entry = MakeEntry(3600 * kSecond);
    entry->m_currentPosition = kSecond;
    ruler->SetItem(entry.get());
    CTimelineDragModel& model = ruler->Model();
    model.OnButtonDown(POINT{85, 60});
    ASSERT_EQ(CTimelineDragModel::kHitCursor, model.DragMode());
    model.OnMouseMove(POINT{ruler->GetClientSize().x - 2, 60});
    EXPECT_TRUE(ruler->TimerRunning());
    wxMouseCaptureLostEvent lost(ruler->GetId());
    lost.SetEventObject(ruler);
    ruler->GetEventHandler()->ProcessEvent(lost);
    EXPECT_FALSE(ruler->TimerRunning());
    EXPECT_EQ(0, model.DragMode());
    EXPECT_FALSE(ruler->HasCapture());
}

TEST_F(TimelineWindow, TheListShowsOneRowPerRangeWithTheCurrentOneSelected)
{
    auto* list = new CTimelinesCtrl;
    list->SetPlayer(player);
    ASSERT_TRUE(list->Create(frame, wxID_ANY));
    list->SetSize(0, 150, 300, 120);
    entry = MakeEntry(600 * kSecond, {{0, 10 * kSecond}, {20 * kSecond, 30 * kSecond}, {40 * kSecond, 50 * kSecond}});
    entry->m_currentTimeline = 2;
    list->SetItem(entry.get());
    CListDropDownCtrl* rows = list->GetList();
    ASSERT_EQ(3, rows->GetItemCount());
    EXPECT_EQ("20.00 - 30.00", rows->GetItemText(1));
    EXPECT_EQ(KM::Res::LoadString(61429), [&] {
        wxListItem column;
        column.SetMask(wxLIST_MASK_TEXT);
        rows->GetColumn(0, column);
        return column.GetText();
    }());
    const int both = wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED;
    EXPECT_EQ(both, rows->GetItemState(2, both));
    EXPECT_EQ(0, rows->GetItemState(0, both));

    // The ruler moved the current range: only its row is rewritten.
    entry->SetEndTime(55 * kSecond);
    list->UpdateCurrentRow();
    EXPECT_EQ("40.00 - 55.00", rows->GetItemText(2));

    // A click on the first row while paused moves the player to its start.
    rows->SetItemState(2, 0, wxLIST_STATE_SELECTED);
    rows->SetItemState(0, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    list->OnRowClick();
    EXPECT_EQ(0, entry->m_currentTimeline);
    EXPECT_EQ(std::vector<std::string>{"seek 0"}, player.calls);

    list->SetItem(nullptr);
    EXPECT_EQ(0, rows->GetItemCount());
}

// Clicks as the mouse gives them: a click makes its row's range current and
// moves a paused player to its start or pauses a playing one; a double click
// plays or pauses.
TEST_F(TimelineWindow, ClicksOnTheListPickTheRangeAndADoubleClickPlaysOrPauses)
{
    auto* list = new CTimelinesCtrl;
    list->SetPlayer(player);
    CountingListener listener;
    list->SetListener(&listener);
    ASSERT_TRUE(list->Create(frame, wxID_ANY));
    list->SetSize(0, 150, 300, 120);
    entry = MakeEntry(600 * kSecond, {{0, 10 * kSecond}, {20 * kSecond, 30 * kSecond}, {40 * kSecond, 50 * kSecond}});
    list->SetItem(entry.get());
    CListDropDownCtrl* rows = list->GetList();
    player.state = 1;  // paused

    kmtest::ClickListRow(*rows, 1);
    ASSERT_TRUE(kmtest::PumpUntil([&] { return !player.calls.empty(); }));
    EXPECT_EQ(1, entry->m_currentTimeline);
    EXPECT_EQ(std::vector<std::string>{"seek 200000000"}, player.calls);
    EXPECT_EQ((std::vector<std::string>{"moved", "redraw"}), listener.calls);

    // Playing: the click on the third row pauses and the position stays.
    player.calls.clear();
    player.state = 2;
    player.playing = true;
    kmtest::ClickListRow(*rows, 2);
    ASSERT_TRUE(kmtest::PumpUntil([&] { return !player.calls.empty(); }));
    EXPECT_EQ(2, entry->m_currentTimeline);
    EXPECT_EQ((std::vector<std::string>{"pause", "buttons"}), player.calls);

    // A double click on a paused player: its first click moves to the
    // range's start, the double click plays; the release that ends it is
    // no second click (which would pause again).
    player.calls.clear();
    kmtest::ClickListRow(*rows, 2, true);
    EXPECT_EQ((std::vector<std::string>{"seek 400000000", "play", "buttons"}), player.calls);
    EXPECT_TRUE(player.playing);
    EXPECT_EQ(2, entry->m_currentTimeline);
    list->SetItem(nullptr);
}

}  // namespace
