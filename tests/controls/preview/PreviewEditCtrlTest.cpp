// The editors' base: where the picture area lies without an entry, the
// overlay drawn on every paint, and the window/source coordinate mapping.
#include "wx/WxTestSupport.h"
#include "controls/preview/PreviewPlayerEditCtrl.h"
#include <gtest/gtest.h>
#include <wx/frame.h>

namespace {

class CountingEditor : public CPreviewPlayerEditCtrl {
public:
    int overlays = 0;

protected:
    void DrawOverlay(wxDC&, const wxRect&) override { ++overlays; }
};

TEST(PreviewEditCtrl, WithoutAnEntryThePictureAreaIsTheClientLessFiftyAndTheOverlayIsDrawn)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "editor", wxDefaultPosition, wxSize(420, 340));
    auto* editor = new CountingEditor;
    ASSERT_TRUE(editor->Create(frame));
    editor->SetSize(0, 0, 400, 300);
    frame->Show();
    ASSERT_TRUE(kmtest::PumpUntil([&] {
        editor->Refresh(false);
        editor->Update();
        return editor->overlays > 0;
    }));
    EXPECT_EQ(editor->m_rcImage, editor->GetClientRect().Deflate(50));
    wxImage shot = kmtest::PaintToImage(*editor);
    ASSERT_TRUE(shot.IsOk());
    EXPECT_EQ(kmtest::PixelAt(shot, editor->GetClientSize().x / 2, editor->GetClientSize().y / 2), *wxWHITE);

    editor->m_rcImage = wxRect(10, 20, 960, 540);
    editor->m_dScale = 2.0;
    EXPECT_EQ(editor->ToSource(wxPoint(110, 70)), wxPoint(200, 100));
    EXPECT_EQ(editor->ToClient(wxPoint(200, 100)), wxPoint(110, 70));
    frame->Destroy();
}

}  // namespace
