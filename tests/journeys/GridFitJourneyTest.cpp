// Every settings grid at the program's default window size, from an empty
// settings folder: each row's name fits its column and each value (with its
// button) fits the value column, and no grid reaches past its page.
#include "controls/grid/PropertiesEditCtrl.h"
#include "controls/ids/CommandIds.h"
#include "fixtures/MediaFixtures.h"
#include "journeys/JourneySupport.h"
#include "model/project/Project.h"
#include "shell/frame/PageKinds.h"
#include "shell/views/SourceTypeFileView.h"
#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/dcclient.h>
#include <wx/propgrid/propgriddefs.h>

namespace {

namespace fs = std::filesystem;
using namespace journey;

void CollectGrids(wxWindow* window, std::vector<CPropertiesEditCtrl*>& grids)
{
    if (auto* grid = dynamic_cast<CPropertiesEditCtrl*>(window); grid && grid->IsShownOnScreen())
        grids.push_back(grid);
    for (wxWindow* child : window->GetChildren())
        CollectGrids(child, grids);
}

// What does not fit in one grid, one line per row, with the page it is on.
std::string CutRows(CPropertiesEditCtrl& grid, const std::string& page)
{
    std::string cut;
    wxClientDC dc(&grid);
    dc.SetFont(grid.GetFont());
    const int width = grid.GetClientSize().x;
    const int split = grid.GetSplitterPosition();
    const int pad = 2 * wxPG_XBEFORETEXT;
    // The grid stays inside its parent's client area (its buttons too).
    const wxRect inParent = grid.GetRect();
    const wxSize parent = grid.GetParent()->GetClientSize();
    if (inParent.GetRight() >= parent.x || inParent.GetBottom() >= parent.y + 1)
        cut += page + ": the grid (" + std::to_string(inParent.x) + "," + std::to_string(inParent.y) + " " +
               std::to_string(inParent.width) + "x" + std::to_string(inParent.height) + ") reaches past its page (" +
               std::to_string(parent.x) + "x" + std::to_string(parent.y) + ")\n";
    for (auto it = grid.GetIterator(wxPG_ITERATE_ALL); !it.AtEnd(); ++it) {
        wxPGProperty* row = *it;
        if (row->IsCategory()) {
            if (dc.GetTextExtent(row->GetLabel()).x + grid.GetMarginWidth() + pad > width)
                cut += page + ": heading \"" + row->GetLabel().ToStdString() + "\"\n";
            continue;
        }
        const int indent = grid.GetMarginWidth() + std::max(0, int(row->GetDepth()) - 2) * 10;
        const int name = dc.GetTextExtent(row->GetLabel()).x + indent + pad;
        if (name > split)
            cut += page + ": name \"" + row->GetLabel().ToStdString() + "\" needs " + std::to_string(name) +
                   " of " + std::to_string(split) + "\n";
        const wxString value = row->GetValueAsString();
        const CSchemaProperty* p = CPropertiesEditCtrl::RowProperty(row);
        const bool button = p && (p->flags & (SPF_BUTTON | SPF_DROPDOWN | SPF_COLOR));
        const int needed = dc.GetTextExtent(value).x + pad + (button ? grid.GetRowHeight() : 0);
        if (!value.empty() && needed > width - split)
            cut += page + ": value \"" + value.ToStdString() + "\" of \"" + row->GetLabel().ToStdString() +
                   "\" needs " + std::to_string(needed) + " of " + std::to_string(width - split) + "\n";
    }
    return cut;
}

std::string CutRowsOnScreen(Program& program, const std::string& page)
{
    kmtest::PumpFor(std::chrono::milliseconds(50));
    std::vector<CPropertiesEditCtrl*> grids;
    CollectGrids(program.frame, grids);
    std::string cut;
    for (CPropertiesEditCtrl* grid : grids)
        cut += CutRows(*grid, page);
    return cut;
}

TEST(GridFit, EveryRowOfEveryGridIsReadableWholeAtTheDefaultWindowSize)
{
    const fs::path dir = FreshFolder("GridFit");
    const fs::path clip = fixtures::WriteClip(dir / "in" / "clip.mp4", {.width = 320, .height = 240, .seconds = 0.5});
    Program program;
    ASSERT_TRUE(program.started);
    program.frame->Show();
    kmtest::PumpFor(std::chrono::milliseconds(100));
    EXPECT_EQ(program.frame->GetSize(), wxSize(700, 525));
    DropFiles(*program.Page<CSourceTypeFileView>(kPageFiles), {clip});

    std::string cut;
    program.ShowTab(kCategoryOutput);
    const std::pair<int, const char*> kinds[] = {{KM::Cmd::ShowVideoOutput, "output (video)"},
                                                 {KM::Cmd::ShowAudioOutput, "output (audio)"},
                                                 {KM::Cmd::ShowImageOutput, "output (image)"}};
    for (const auto& [command, page] : kinds) {
        ASSERT_TRUE(program.frame->DispatchCommand(command));
        cut += CutRowsOnScreen(program, page);
    }
    ASSERT_TRUE(program.frame->DispatchCommand(KM::Cmd::ShowVideoOutput));

    program.ShowTab(kCategoryEditing);
    program.frame->GetFileCombo()->SetSelection(0);
    ASSERT_TRUE(program.frame->DispatchCommand(KM::Cmd::CurrentFileCombo));
    const std::pair<int, const char*> panes[] = {{KM::Cmd::ShowCropPane, "crop"},
                                                 {KM::Cmd::ShowEraserPane, "eraser"},
                                                 {KM::Cmd::ShowFiltersPane, "filters"},
                                                 {KM::Cmd::ShowAdvancedPane, "advanced"},
                                                 {KM::Cmd::ShowWatermarkPane, "watermarks"}};
    for (const auto& [command, page] : panes) {
        ASSERT_TRUE(program.frame->DispatchCommand(command));
        cut += CutRowsOnScreen(program, page);
    }
    // A text watermark's own rows.
    ASSERT_TRUE(program.frame->DispatchCommand(KM::Cmd::AddTextWatermark));
    cut += CutRowsOnScreen(program, "watermarks (text)");
    EXPECT_TRUE(cut.empty()) << cut;
}

}  // namespace
