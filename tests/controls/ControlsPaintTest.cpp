#include "ResTestLibrary.h"
#include "controls/draw/BitmapDC.h"
#include "controls/draw/MemDC.h"
#include "controls/small/ErrorCaptionWnd.h"
#include "controls/small/ScroolImplWnd.h"
#include "controls/res/ResourceBridge.h"
#include "controls/toolbar/KMToolbar.h"
#include "controls/toolbar/ToolBarComboEditBoxButton.h"
#include "controls/toolbar/ToolbarButtonLabel.h"
#include "wx/WxTestSupport.h"
#include <memory>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>

namespace {

int CountPixels(const wxImage& image, const std::function<bool(const wxColour&)>& match)
{
    int n = 0;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            if (match(kmtest::PixelAt(image, x, y))) ++n;
    return n;
}

bool IsRed(const wxColour& c)
{
    return c.Red() > 200 && c.Green() < 60 && c.Blue() < 60;
}

// Frames are destroyed at the end of each test.
struct FrameOwner {
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "controls", wxDefaultPosition, wxSize(400, 200));
    ~FrameOwner() { frame->Destroy(); }
};

TEST(ErrorCaption, PaintsItsTextInRedWhileShownAndNothingWhenHidden)
{
    FrameOwner owner;
    wxStatusBar* bar = owner.frame->CreateStatusBar();
    auto* caption = new CErrorCaptionWnd(bar);
    caption->SetCaption("Cannot read the file");
    caption->SetSize(caption->GetBestSize());
    caption->Move(2, 2);
    owner.frame->Show();

    wxImage shown = kmtest::PaintToImage(*caption);
    ASSERT_TRUE(shown.IsOk());
    EXPECT_GT(CountPixels(shown, IsRed), 5);
    kmtest::SaveWindowPng(*bar, "error-caption-shown");

    caption->Hide();
    wxImage barHidden = kmtest::PaintToImage(*bar);
    ASSERT_TRUE(barHidden.IsOk());
    EXPECT_EQ(CountPixels(barHidden, IsRed), 0);

    caption->Show();
    wxImage barShown = kmtest::PaintToImage(*bar);
    EXPECT_GT(CountPixels(barShown, IsRed), 5);
}

TEST(ToolbarButtonLabel, ADisabledLabelDrawsItsTextInTheNormalColour)
{
    FrameOwner owner;
    wxToolBar* toolbar = owner.frame->CreateToolBar();
    auto* label = new CToolbarButtonLabel(toolbar, "Source", 32832);
    toolbar->AddControl(label);
    toolbar->Realize();
    owner.frame->Show();
    label->SetSize(label->GetBestSize());

    wxColour text = CToolbarButtonLabel::TextColour();
    auto isText = [&](const wxColour& c) { return c == text; };
    wxImage enabled = kmtest::PaintToImage(*label);
    ASSERT_TRUE(enabled.IsOk());
    int enabledCount = CountPixels(enabled, isText);
    EXPECT_GT(enabledCount, 5);

    label->Disable();
    wxImage disabled = kmtest::PaintToImage(*label);
    EXPECT_EQ(CountPixels(disabled, isText), enabledCount);
}

TEST(ToolbarButtonLabel, AClickSendsItsCommand)
{
    FrameOwner owner;
    wxToolBar* toolbar = owner.frame->CreateToolBar();
    auto* label = new CToolbarButtonLabel(toolbar, "Result", 32833);
    toolbar->AddControl(label);
    toolbar->Realize();
    int received = 0;
    owner.frame->Bind(wxEVT_TOOL, [&](wxCommandEvent& e) { received = e.GetId(); });
    label->SetSize(60, 20);
    wxMouseEvent up(wxEVT_LEFT_UP);
    up.SetPosition(wxPoint(5, 5));
    up.SetEventObject(label);
    label->ProcessWindowEvent(up);
    EXPECT_EQ(received, 32833);
}

TEST(KMToolbar, TableCommandsGetTheTableTipsOthersKeepTheirs)
{
    ResTestLibrary res;
    FrameOwner owner;
    auto* toolbar = new CKMToolbar(owner.frame, wxID_ANY);
    wxBitmap icon(16, 16);
    toolbar->AddTool(431, "add", icon, "given");
    toolbar->AddTool(32784, "recursive", icon, "given");
    toolbar->AddTool(310, "link", icon, "given");
    toolbar->AddSeparator();
    toolbar->Realize();
    EXPECT_EQ(toolbar->GetToolShortHelp(431), KM::Res::LoadString(422));
    EXPECT_EQ(toolbar->GetToolShortHelp(32784), KM::Res::LoadString(443));
    EXPECT_EQ(toolbar->GetToolShortHelp(310), "given");
}

TEST(ToolBarComboEditBoxButton, TakesItsTipFromTheCommandsString)
{
    ResTestLibrary res;
    FrameOwner owner;
    wxToolBar* toolbar = owner.frame->CreateToolBar();
    auto* combo = new CToolBarComboEditBoxButton(toolbar, 479, 120);
    toolbar->AddControl(combo);
    toolbar->Realize();
    wxString tip;
    EXPECT_TRUE(combo->GetTipText(tip));
    EXPECT_EQ(tip, KM::Res::LoadString(479));
    EXPECT_FALSE(tip.empty());
    EXPECT_EQ(combo->GetCommand(), 479);

    auto* high = new CToolBarComboEditBoxButton(toolbar, 32786, 120);  // not a valid window id
    EXPECT_EQ(high->GetCommand(), 32786);
    EXPECT_NE(high->GetId(), 32786);
}

TEST(MemDC, CopiesItsPictureToTheRectangleOnDestruction)
{
    wxImage image = kmtest::RenderToImage(wxSize(40, 40), [](wxDC& dc) {
        KM::CMemDC mem(dc, wxRect(10, 10, 20, 20));
        mem.SetBackground(*wxRED_BRUSH);
        mem.Clear();
        mem.SetBrush(*wxBLUE_BRUSH);
        mem.SetPen(*wxBLUE_PEN);
        mem.DrawRectangle(0, 0, 4, 4);  // relative to the rectangle's corner
    });
    EXPECT_EQ(kmtest::PixelAt(image, 11, 11), *wxBLUE);
    EXPECT_EQ(kmtest::PixelAt(image, 15, 15), *wxRED);
    EXPECT_EQ(kmtest::PixelAt(image, 29, 29), *wxRED);
    EXPECT_EQ(kmtest::PixelAt(image, 5, 5), *wxWHITE);
    EXPECT_EQ(kmtest::PixelAt(image, 30, 30), *wxWHITE);

    wxImage untouched = kmtest::RenderToImage(wxSize(10, 10), [](wxDC& dc) {
        KM::CMemDC mem(dc, wxRect(2, 2, 0, 0));  // an empty rectangle copies nothing
        mem.SetBrush(*wxRED_BRUSH);
        mem.DrawRectangle(0, 0, 5, 5);
    });
    EXPECT_EQ(kmtest::PixelAt(untouched, 2, 2), *wxWHITE);
}

TEST(BitmapDC, DrawsOpaqueOrWithoutTheKeyColour)
{
    wxBitmap picture(16, 16);
    {
        wxMemoryDC dc(picture);
        dc.SetBackground(wxBrush(wxColour(255, 0, 255)));
        dc.Clear();
        dc.SetBrush(*wxBLUE_BRUSH);
        dc.SetPen(*wxBLUE_PEN);
        dc.DrawRectangle(4, 4, 8, 8);
    }
    KM::CBitmapDC bitmap;
    bitmap.Attach(picture);

    wxImage keyed = kmtest::RenderToImage(wxSize(20, 20), [&](wxDC& dc) {
        EXPECT_TRUE(bitmap.DrawTransparent(dc, 2, 2, 16, 16, wxColour(255, 0, 255)));
    });
    EXPECT_EQ(kmtest::PixelAt(keyed, 3, 3), *wxWHITE);   // magenta left out
    EXPECT_EQ(kmtest::PixelAt(keyed, 10, 10), *wxBLUE);

    wxImage opaque = kmtest::RenderToImage(wxSize(20, 20), [&](wxDC& dc) { EXPECT_TRUE(bitmap.Draw(dc, wxRect(0, 0, 16, 16))); });
    EXPECT_EQ(kmtest::PixelAt(opaque, 1, 1), wxColour(255, 0, 255));
    EXPECT_EQ(kmtest::PixelAt(opaque, 18, 18), *wxWHITE);  // only the picture's size
}

TEST(BitmapDC, AnIdWithoutAPictureDrawsNothing)
{
    ResTestLibrary res;
    KM::CBitmapDC missing(3999999);
    wxImage image = kmtest::RenderToImage(wxSize(10, 10), [&](wxDC& dc) {
        EXPECT_FALSE(missing.Draw(dc, wxRect(0, 0, 10, 10)));
        EXPECT_FALSE(missing.DrawTransparent(dc, 0, 0, 10, 10, wxColour(255, 0, 255)));
    });
    EXPECT_EQ(kmtest::PixelAt(image, 5, 5), *wxWHITE);
}

class WideContent : public CScroolImplWnd {
public:
    explicit WideContent(wxWindow* parent) : CScroolImplWnd(parent, wxID_ANY, wxDefaultPosition, wxSize(300, 60)) {}
    void RedrawNow() override { ++redraws; }
    int GetContentWidth() override { return width; }
    int width = 100;
    int redraws = 0;
};

TEST(ScroolImplWnd, MirrorsTheScrollArithmeticOnItsBar)
{
    FrameOwner owner;
    auto* wnd = new WideContent(owner.frame);
    owner.frame->Show();
    wnd->width = wnd->GetClientSize().GetWidth() + 60000;
    wnd->UpdateScrollBars();
    EXPECT_DOUBLE_EQ(wnd->GetScale(), 2.0);
    EXPECT_EQ(wnd->GetScrollRange(wxHORIZONTAL), wnd->ScrollModel().Bar().max);
    EXPECT_EQ(wnd->GetScrollThumb(wxHORIZONTAL), wnd->ScrollModel().Bar().page);

    wxScrollWinEvent toEnd(wxEVT_SCROLLWIN_BOTTOM, 0, wxHORIZONTAL);
    toEnd.SetEventObject(wnd);
    wnd->ProcessWindowEvent(toEnd);
    EXPECT_EQ(wnd->redraws, 1);
    EXPECT_NEAR(wnd->GetScrollOffset() * wnd->GetScale(), 60000, 1e-3);
    EXPECT_EQ(wnd->GetScrollPos(wxHORIZONTAL), wnd->ScrollModel().MaxPos());

    wnd->width = 10;  // content now fits
    wnd->UpdateScrollBars();
    EXPECT_FALSE(wnd->ScrollModel().Bar().enabled);
    EXPECT_EQ(wnd->GetScrollPos(wxHORIZONTAL), 0);
}

}  // namespace
