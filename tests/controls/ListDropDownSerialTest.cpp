#include "controls/small/ListDropDownCtrl.h"
#include "wx/WxTestSupport.h"
#include <gtest/gtest.h>
#include <wx/frame.h>

namespace {

struct ListFixture : testing::Test {
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "list", wxDefaultPosition, wxSize(300, 200));
    CListDropDownCtrl* list = new CListDropDownCtrl(frame, wxID_ANY, wxDefaultPosition, wxSize(300, 200));

    void SetUp() override
    {
        list->AppendColumn("Range");
        for (const char* text : {"first", "second", "third"}) list->InsertItem(list->GetItemCount(), text);
        frame->Show();
        kmtest::PumpUntil([&] { return list->IsShownOnScreen(); });
    }
    void TearDown() override { frame->Destroy(); }

    void Release(wxPoint at)
    {
        wxMouseEvent up(wxEVT_LEFT_UP);
        up.SetPosition(at);
        up.SetEventObject(list);
        list->ProcessWindowEvent(up);
    }
};

TEST_F(ListFixture, ReleasingWithoutADragKeepsTheSelection)
{
    list->SetItemState(1, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    Release(wxPoint(10, 10));
    EXPECT_FALSE(list->IsDragging());
    EXPECT_EQ(list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), 1);
}

TEST_F(ListFixture, ADragEndsWhenTheButtonIsReleasedAndLeavesTheSelection)
{
    list->SetItemState(2, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    ASSERT_TRUE(list->BeginDragImage(std::make_unique<wxDragImage>(wxString("third")), wxPoint(20, 40)));
    EXPECT_TRUE(list->IsDragging());
    EXPECT_FALSE(list->BeginDragImage(std::make_unique<wxDragImage>(wxString("again")), wxPoint(20, 40)));

    wxMouseEvent move(wxEVT_MOTION);
    move.SetPosition(wxPoint(30, 60));
    move.SetEventObject(list);
    list->ProcessWindowEvent(move);
    EXPECT_TRUE(list->IsDragging());

    Release(wxPoint(30, 60));
    EXPECT_FALSE(list->IsDragging());
    EXPECT_FALSE(list->HasCapture());
    EXPECT_EQ(list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), 2);
}

}  // namespace
