#include "controls/color/ColorFields.h"
#include "controls/color/ColorPickerCtrl.h"
#include "controls/color/ColorPickerDlg.h"
#include "controls/color/PopupCloser.h"
#include "platform/Settings.h"
#include "wx/WxTestSupport.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/textctrl.h>

namespace {

struct Recorder : IColorPickerCallback {
    std::vector<COLORREF> colors;
    void OnColorChanged(COLORREF c) override { colors.push_back(c); }
};

class ColorPopupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "colours", wxPoint(50, 50), wxSize(400, 300));
        frame->Show();
        popup = new CColorPickerCtrl(frame);
        popup->Picker().SetCallback(&recorder);
    }
    void TearDown() override
    {
        popup->Destroy();
        delete frame;
    }
    wxPoint CentreOf(COLORREF color)
    {
        for (const ColorCell& c : popup->Picker().Layout().cells)
            if (c.color == color) return wxPoint((c.rect.left + c.rect.right) / 2, (c.rect.top + c.rect.bottom) / 2);
        ADD_FAILURE() << "no cell " << color;
        return {};
    }
    wxPoint MoreCell()
    {
        const GridRect r = popup->Picker().Layout().moreRect;
        return wxPoint(r.left + 3, r.top + 3);
    }

    wxFrame* frame = nullptr;
    CColorPickerCtrl* popup = nullptr;
    Recorder recorder;
};

}  // namespace

TEST_F(ColorPopupTest, PressAndReleaseOnOneCellChooseIt)
{
    CColorPicker& picker = popup->Picker();
    const auto& palette = picker.PaletteColors();
    ASSERT_GE(palette.size(), 2u);
    picker.PressAt(CentreOf(palette[0]));
    picker.ReleaseAt(CentreOf(palette[1]));
    EXPECT_TRUE(recorder.colors.empty());  // pressed on one, released on another
    picker.PressAt(CentreOf(palette[1]));
    picker.ReleaseAt(CentreOf(palette[1]));
    EXPECT_EQ(recorder.colors, std::vector<COLORREF>{palette[1]});
    EXPECT_EQ(picker.GetColor(), palette[1]);
    EXPECT_TRUE(picker.RecentColors().empty());  // palette colours are not recent
}

TEST_F(ColorPopupTest, MoreCellTakesTheFullDialogsColourAndRemembersIt)
{
    CColorPicker& picker = popup->Picker();
    COLORREF answer = 0x123456;
    bool ok = true;
    picker.runFullDialog = [&](wxWindow*, COLORREF& c) {
        c = answer;
        return ok;
    };
    picker.PressAt(MoreCell());
    picker.ReleaseAt(MoreCell());
    EXPECT_EQ(recorder.colors, std::vector<COLORREF>{0x123456u});
    EXPECT_EQ(picker.RecentColors(), std::vector<COLORREF>{0x123456u});

    ok = false;  // cancelled: nothing changes, nobody is told
    answer = 0x654321;
    picker.PressAt(MoreCell());
    picker.ReleaseAt(MoreCell());
    EXPECT_EQ(recorder.colors.size(), 1u);
    EXPECT_EQ(picker.GetColor(), 0x123456u);

    ok = true;
    answer = 0;  // black is never a recent colour
    picker.PressAt(MoreCell());
    picker.ReleaseAt(MoreCell());
    EXPECT_EQ(picker.GetColor(), 0u);
    EXPECT_EQ(picker.RecentColors(), std::vector<COLORREF>{0x123456u});
    EXPECT_EQ(CSettingsStore::Instance().GetInt(L"Colors", L"Color0", 0), 0x123456);
}

TEST_F(ColorPopupTest, EscapeClosesWithinOneTickAndTheTimerStops)
{
    popup->ShowPopup(wxRect(10, 10, 200, 20), POPUP_BELOW);
    ASSERT_TRUE(popup->IsShown());
    int closed = 0;
    popup->SetCloseListener([&] { ++closed; });
    popup->CheckClose(true);
    EXPECT_TRUE(popup->IsTimerRunning());
    ASSERT_TRUE(kmtest::PumpUntil([&] { return !popup->IsShown(); }));
    EXPECT_FALSE(popup->IsTimerRunning());
    EXPECT_EQ(closed, 1);

    // Shown again and closed by the row's second click: no timer is left behind.
    popup->ShowPopup(wxRect(10, 10, 200, 20), POPUP_BELOW);
    popup->CheckClose(true);
    popup->HidePopup();
    EXPECT_FALSE(popup->IsTimerRunning());
    EXPECT_FALSE(popup->IsShown());
}

TEST(PopupCloser, TimerTicksAlwaysEndTheClose)
{
    CPopupCloser closer;
    EXPECT_FALSE(closer.OnMessage(false, true));  // focus inside, no key: nothing
    EXPECT_TRUE(closer.OnMessage(false, false));  // focus left
    EXPECT_FALSE(closer.OnMessage(true, false));  // already closing: no second timer
    EXPECT_EQ(closer.OnTimer(true), CPopupCloser::TimerAction::Stay);  // the focus came back
    EXPECT_FALSE(closer.Closing());
    EXPECT_TRUE(closer.OnMessage(true, true));  // Escape with the focus inside
    EXPECT_EQ(closer.OnTimer(true), CPopupCloser::TimerAction::Hide);
    EXPECT_FALSE(closer.Closing());
}

TEST(ColorPickerDlg, FieldsClampPadAndStayInStep)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "dlg");
    {
        CColorPickerDlg dlg(frame);
        dlg.SetColor(RGB(255, 0, 0));
        EXPECT_EQ(dlg.Field(IDC_COLOR_HUE)->GetValue(), "360");
        EXPECT_EQ(dlg.Field(IDC_COLOR_HEX)->GetValue(), "FF0000");
        dlg.Field(IDC_COLOR_RED)->SetValue("300");  // typed: the groups follow what reads
        dlg.LeaveField(IDC_COLOR_RED);
        EXPECT_EQ(dlg.Field(IDC_COLOR_RED)->GetValue(), "255");
        dlg.Field(IDC_COLOR_HEX)->SetValue("ABC");
        dlg.LeaveField(IDC_COLOR_HEX);
        EXPECT_EQ(dlg.Field(IDC_COLOR_HEX)->GetValue(), "000ABC");
        EXPECT_EQ(dlg.GetNewColor(), RGB(0x00, 0x0A, 0xBC));
        EXPECT_EQ(dlg.Field(IDC_COLOR_BLUE)->GetValue(), "188");

        dlg.SetAxis(0);  // plane: green across, blue up
        dlg.Plane().DragTo(wxPoint(400, -40));  // beyond the window: clamped
        EXPECT_EQ(dlg.GetNewColor(), RGB(0x00, 0xFF, 0xFF));
        EXPECT_EQ(dlg.Field(IDC_COLOR_GREEN)->GetValue(), "255");
        EXPECT_EQ(dlg.Strip().Color().rgb, dlg.GetNewColor());  // the strip follows the plane
        dlg.SetAxis(4);
    }
    EXPECT_EQ(CSettingsStore::Instance().GetInt(L"Options", L"ColorPickerAxis", -1), 4);
    delete frame;
}

TEST(ColorPickerDlg, PickColorRoundTripsThroughTheModalHook)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "dlg");
    kmtest::ModalHook hook;
    hook.AnswerDialog(CColorPickerDlg::kTemplateId, wxID_OK, [](wxDialog& d) {
        auto& dlg = dynamic_cast<CColorPickerDlg&>(d);
        EXPECT_EQ(dlg.Field(IDC_COLOR_HEX)->GetValue(), "112233");
        dlg.Field(IDC_COLOR_HEX)->SetValue("445566");
    });
    COLORREF color = RGB(0x11, 0x22, 0x33);
    {
        CColorPickerDlg dlg(frame);
        EXPECT_EQ(dlg.PickColor(color), 1);
    }
    EXPECT_EQ(color, RGB(0x44, 0x55, 0x66));
    hook.AnswerDialog(CColorPickerDlg::kTemplateId, wxID_CANCEL);
    {
        CColorPickerDlg dlg(frame);
        EXPECT_EQ(dlg.PickColor(color), 0);
    }
    EXPECT_EQ(color, RGB(0x44, 0x55, 0x66));
    delete frame;
}

namespace {
void PressOn(wxWindow& w)
{
    wxMouseEvent down(wxEVT_LEFT_DOWN);
    down.SetEventObject(&w);
    down.SetPosition(wxPoint(1, 1));
    w.ProcessWindowEvent(down);
}
}  // namespace

// Under Wayland a pop-up never holds the keyboard focus, so no focus change
// tells it that the user clicked elsewhere: the click itself closes it, and
// one inside it does not.
TEST_F(ColorPopupTest, AClickOnAnotherWindowClosesItAndOneInsideDoesNot)
{
    auto* other = new wxPanel(frame, wxID_ANY, wxPoint(0, 200), wxSize(100, 50));
    popup->ShowPopup(wxRect(10, 10, 200, 20), POPUP_BELOW);
    ASSERT_TRUE(popup->IsShown());
    int closed = 0;
    popup->SetCloseListener([&] { ++closed; });
    PressOn(*popup);
    kmtest::PumpFor(std::chrono::milliseconds(50));
    EXPECT_TRUE(popup->IsShown()) << "a click inside keeps it open";
    PressOn(*other);
    ASSERT_TRUE(kmtest::PumpUntil([&] { return !popup->IsShown(); }));
    EXPECT_EQ(closed, 1);
    PressOn(*other);
    kmtest::PumpFor(std::chrono::milliseconds(50));
    EXPECT_EQ(closed, 1) << "a hidden pop-up watches no clicks";
}
