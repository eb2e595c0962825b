#include "controls/level/LevelEditCtrl.h"
#include "wx/WxTestSupport.h"

#include <gtest/gtest.h>
#include <wx/frame.h>

namespace {
struct LevelRecorder : ILevelCallback {
    std::vector<std::tuple<int, int, double>> changes;
    void OnLevelChanged(int black, int white, double gamma) override { changes.emplace_back(black, white, gamma); }
};
}  // namespace

TEST(LevelEditCtrl, DraggingReportsEachStepAndThePopupStaysOpen)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "levels", wxPoint(40, 40), wxSize(400, 300));
    frame->Show();
    auto* popup = new CLevelEditCtrl(frame);
    popup->SetSize(220, 40);
    popup->ShowPopup(wxRect(10, 10, 220, 20), POPUP_BELOW);
    LevelRecorder recorder;
    CLevelSlider& slider = popup->Slider();
    slider.SetCallback(&recorder);
    ASSERT_TRUE(kmtest::PumpUntil([&] { return slider.GetClientSize().x > 20; }));
    slider.SetLevelText(L"0:1.00:255");
    const GridRect low = slider.Model().LowThumb();
    slider.PressAt(wxPoint(low.left + 4, low.top + 2));
    slider.MoveTo(wxPoint(low.left + 4 + 40, low.top + 2));
    slider.Release();
    ASSERT_EQ(recorder.changes.size(), 1u);
    EXPECT_EQ(std::get<0>(recorder.changes[0]), 40 * 255 / slider.Model().BarWidth());
    EXPECT_EQ(std::get<1>(recorder.changes[0]), 255);
    EXPECT_TRUE(popup->IsShown());

    const wxImage shot = kmtest::PaintToImage(slider);
    ASSERT_TRUE(shot.IsOk());
    const GridRect bar = slider.Model().Bar();
    EXPECT_EQ(kmtest::PixelAt(shot, (bar.left + bar.right) / 2, bar.top), wxColour(0xC1, 0xD8, 0xF0));
    popup->Destroy();
    delete frame;
}

#include <wx/panel.h>

// The level pop-up closes on a click elsewhere in the program as the colour
// pop-up does (under Wayland no focus change tells it).
TEST(LevelEditCtrl, AClickOnAnotherWindowClosesThePopup)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "levels", wxPoint(40, 40), wxSize(400, 300));
    frame->Show();
    auto* other = new wxPanel(frame, wxID_ANY, wxPoint(0, 200), wxSize(100, 50));
    auto* popup = new CLevelEditCtrl(frame);
    popup->SetSize(220, 40);
    popup->ShowPopup(wxRect(10, 10, 220, 20), POPUP_BELOW);
    ASSERT_TRUE(popup->IsShown());
    wxMouseEvent down(wxEVT_LEFT_DOWN);
    down.SetEventObject(other);
    other->ProcessWindowEvent(down);
    EXPECT_TRUE(kmtest::PumpUntil([&] { return !popup->IsShown(); }));
    popup->Destroy();
    delete frame;
}
