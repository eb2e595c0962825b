// The settings grid's number editors are opened and typed into as the user
// does; the program (Program's end) must make GTK warn of nothing on the way.
#include "controls/grid/GridSpinArrows.h"
#include "controls/grid/PropertiesEditCtrl.h"
#include "controls/grid/PropertiesFrameCtrl.h"
#include "controls/ids/CommandIds.h"
#include "fixtures/MediaFixtures.h"
#include "journeys/JourneySupport.h"
#include "model/edit/CropObj.h"
#include "model/project/Project.h"
#include "shell/frame/PageKinds.h"
#include "shell/panes/CropPane.h"
#include "shell/views/EditingView.h"
#include "shell/views/SourceTypeFileView.h"
#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/textctrl.h>

namespace {

namespace fs = std::filesystem;
using namespace journey;

TEST(GtkQuiet, TypingCropMarginsInTheGridWarnsOfNothing)
{
    const fs::path dir = FreshFolder("GtkQuiet");
    const fs::path clip = fixtures::WriteClip(dir / "in" / "clip.mp4", {.width = 320, .height = 240, .seconds = 0.5});
    Program program;
    ASSERT_TRUE(program.started);
    program.frame->Show();
    DropFiles(*program.Page<CSourceTypeFileView>(kPageFiles), {clip});
    program.ShowTab(kCategoryEditing);
    program.frame->GetFileCombo()->SetSelection(0);
    ASSERT_TRUE(program.frame->DispatchCommand(KM::Cmd::CurrentFileCombo));
    ASSERT_TRUE(program.frame->DispatchCommand(KM::Cmd::ShowCropPane));
    auto* editing = program.Page<CEditingView>(kPageEditing);
    ASSERT_NE(editing, nullptr);
    CPropertiesEditCtrl& grid = editing->PaneOf<CCropPane>(kCropKey)->Settings()->Grid();
    kmtest::PumpFor(std::chrono::milliseconds(100));

    CCropObj* crop = program.Project().GetCurrentCrop();
    ASSERT_NE(crop, nullptr);
    const int32_t* margins[] = {&crop->crop_left, &crop->crop_top, &crop->crop_right, &crop->crop_bottom};
    int opened = 0;
    for (const int32_t* field : margins) {
        wxPGProperty* row = RowOf(grid, field);
        if (!row)
            continue;
        // The row's in-place editor opens (as a click on it does) and is typed into.
        grid.SelectProperty(row, true);
        kmtest::PumpFor(std::chrono::milliseconds(50));
        opened += grid.GetEditorControl() != nullptr;
        grid.ChangePropertyValue(row, wxString("12"));
        kmtest::PumpFor(std::chrono::milliseconds(50));
    }
    EXPECT_EQ(opened, 4);
    EXPECT_EQ(crop->crop_left, 12);

    // The arrows beside the text box step the value, as clicks on them do.
    wxPGProperty* left = RowOf(grid, &crop->crop_left);
    ASSERT_NE(left, nullptr);
    grid.SelectProperty(left, true);
    kmtest::PumpFor(std::chrono::milliseconds(50));
    auto* box = dynamic_cast<wxTextCtrl*>(grid.GetEditorControl());
    ASSERT_NE(box, nullptr);
    box->SetValue("20");  // typed
    kmtest::PumpFor(std::chrono::milliseconds(50));
    EXPECT_EQ(crop->crop_left, 20);
    const auto click = [&](bool up) {
        auto* arrows = dynamic_cast<CGridSpinArrows*>(grid.GetEditorControlSecondary());
        ASSERT_NE(arrows, nullptr);
        ASSERT_TRUE(arrows->IsShown());
        const wxSize size = arrows->GetClientSize();
        EXPECT_GE(size.y, 10);
        EXPECT_LE(arrows->GetRect().GetRight(), grid.GetPanel()->GetClientSize().x);
        kmtest::Click(*arrows, {size.x / 2, up ? size.y / 4 : size.y * 3 / 4});
        kmtest::PumpFor(std::chrono::milliseconds(50));
    };
    click(true);
    click(true);
    EXPECT_EQ(crop->crop_left, 22);
    click(false);
    EXPECT_EQ(crop->crop_left, 21);
    box = dynamic_cast<wxTextCtrl*>(grid.GetEditorControl());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetValue(), "21");
}

}  // namespace

namespace {

// A window manager gives a new frame the size of its bare decorations for a
// moment before its real size (GTK reports a client area of a pixel or two):
// the status bar and the quick-access bar must not be laid out at that size.
TEST(GtkQuiet, AFrameSizedToItsBareDecorationsForAMomentWarnsOfNothing)
{
    FreshFolder("GtkQuietTiny");
    journey::Program program;
    ASSERT_TRUE(program.started);
    program.frame->Show();
    kmtest::PumpFor(std::chrono::milliseconds(100));
    const wxSize size = program.frame->GetSize();
    program.frame->SetSize(4, 26);
    kmtest::PumpFor(std::chrono::milliseconds(100));
    program.frame->SetSize(size);
    kmtest::PumpFor(std::chrono::milliseconds(100));
    EXPECT_EQ(program.frame->GetSize(), size);
}

}  // namespace
