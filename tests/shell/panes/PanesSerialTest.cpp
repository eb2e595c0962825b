// Keys on the editing page go to the active pane only while its picture has
// the keyboard focus: Escape clears the crop margins, Delete deletes the
// selected watermark; in the settings grid both keys stay the grid's.
#include "shell/panes/EditingPageFixture.h"
#include "wx/WxTestSupport.h"
#include "controls/editors/CropEditCtrl.h"
#include "controls/grid/PropertiesEditCtrl.h"
#include "controls/grid/PropertiesFrameCtrl.h"
#include "controls/ids/CommandIds.h"
#include "model/edit/WatermarksObj.h"
#include "shell/panes/CropPane.h"
#include "shell/panes/WatermarkPane.h"

namespace {

using PanesSerialTest = EditingPageFixture;

// The key as the page sees it, from the window that has the focus.
void PressKey(wxWindow* focus, int key)
{
    wxKeyEvent event(wxEVT_CHAR_HOOK);
    event.m_keyCode = key;
    event.SetEventObject(focus);
    focus->GetEventHandler()->ProcessEvent(event);
}

TEST_F(PanesSerialTest, EscapeClearsTheCropMarginsOnlyFromThePicture)
{
    ShowEditing();
    frame->Raise();
    ASSERT_TRUE(Run(KM::Cmd::ShowCropPane));
    auto* pane = view->PaneOf<CCropPane>(kCropKey);
    CCropObj& crop = *Project().GetCurrentCrop();
    crop.crop_left = 12;
    crop.rotate = 1;
    wxWindow* grid = &pane->Settings()->Grid();
    grid->SetFocus();
    ASSERT_TRUE(kmtest::PumpUntil([&] { return wxWindow::FindFocus() != pane->Editor(); }, std::chrono::seconds(5)));
    PressKey(wxWindow::FindFocus() ? wxWindow::FindFocus() : grid, WXK_ESCAPE);
    EXPECT_EQ(crop.crop_left, 12);

    pane->Editor()->SetFocus();
    ASSERT_TRUE(kmtest::PumpUntil([&] { return wxWindow::FindFocus() == pane->Editor(); }, std::chrono::seconds(5)));
    PressKey(pane->Editor(), WXK_ESCAPE);
    EXPECT_EQ(crop.crop_left, 0);
    EXPECT_EQ(crop.rotate, 1);  // turn and flips stay
}

TEST_F(PanesSerialTest, DeleteRemovesTheSelectedWatermarkOnlyFromThePicture)
{
    ShowEditing();
    frame->Raise();
    ASSERT_TRUE(Run(KM::Cmd::ShowWatermarkPane));
    auto* pane = view->PaneOf<CWatermarkPane>(kWatermarkKey);
    ASSERT_TRUE(Run(KM::Cmd::AddTextWatermark));
    CWatermarksObj& list = Project().GetCurrentOutput()->m_watermarks;
    ASSERT_EQ(list.GetCount(), 1u);
    pane->Settings()->Grid().SetFocus();
    kmtest::PumpFor(std::chrono::milliseconds(50));
    PressKey(&pane->Settings()->Grid(), WXK_DELETE);
    EXPECT_EQ(list.GetCount(), 1u);

    pane->Editor()->SetFocus();
    ASSERT_TRUE(kmtest::PumpUntil([&] { return wxWindow::FindFocus() == pane->Editor(); }, std::chrono::seconds(5)));
    PressKey(pane->Editor(), WXK_DELETE);
    EXPECT_EQ(list.GetCount(), 0u);
}

}  // namespace
