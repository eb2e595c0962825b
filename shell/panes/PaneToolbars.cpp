#include "shell/panes/PaneToolbars.h"
#include "controls/ids/CommandIds.h"
#include "controls/res/ResourceBridge.h"
#include "controls/toolbar/KMToolbar.h"
#include <vector>

namespace {

using namespace KM::Cmd;

constexpr PaneTool kTimelineLower[] = {
    {AddRange, 0, 422},        {SetRangeStart, 1, 61425}, {SetRangeEnd, 2, 61426}, {MoveRangeToPosition, 3, 435},
    {0, 0, 0},                 {RemoveRange, 4, 437},     {0, 0, 0},               {ZoomOut, 5, 440},
    {ZoomIn, 6, 441},          {0, 0, 0},                 {PlayerStop, 7, 460},    {PlayPause, 8, 32781, true},
    {RangeBehaviour, 9, 61387, true},  // index 12: its state is the file's "timeline_behavior"
};
constexpr PaneTool kTimelineUpper[] = {
    {AddRange, 0, 422},
    {RemoveRange, 1, 437},
    {MoveRangeToPosition, 2, 435},
};
constexpr PaneTool kWatermarks[] = {
    {AddTextWatermark, 0, 32826},  {AddImageWatermark, 1, 32827}, {AddWatermarkKind2, 2, 32828},
    {AddWatermarkKind3, 3, 32829}, {AddMediaWatermark, 4, 32830}, {0, 0, 0},
    {DeleteWatermark, 5, 32831},   {MoveUp, 6, 32833},            {MoveDown, 7, 32832},
    {0, 0, 0},                     {EditCopy, 8, 57634},          {EditCut, 9, 57635},
    {EditPaste, 10, 57637},
};
constexpr PaneTool kPictureChoice[] = {
    {ShowSourcePicture, -1, 61388, true},  // "Original"
    {ShowResultPicture, -1, 61389, true},  // "Result"
};

}  // namespace

std::span<const PaneTool> PaneToolbarTools(unsigned resourceId)
{
    switch (resourceId) {
    case 387: return kTimelineLower;
    case 509: return kTimelineUpper;
    case 390: return kWatermarks;
    case 395: return kPictureChoice;
    default: return {};
    }
}

CKMToolbar* CreatePaneToolbar(wxWindow* parent, unsigned resourceId)
{
    const std::span<const PaneTool> tools = PaneToolbarTools(resourceId);
    if (tools.empty())
        return nullptr;
    const bool textOnly = tools.front().cell < 0;
    auto* bar = new CKMToolbar(parent, static_cast<int>(resourceId), wxDefaultPosition, wxDefaultSize,
                               wxTB_HORIZONTAL | wxTB_FLAT | wxTB_NODIVIDER | (textOnly ? wxTB_TEXT | wxTB_NOICONS : 0));
    std::vector<wxImage> cells = KM::Res::CutImageStrip(KM::Res::LoadImage(resourceId), 16, *wxWHITE);
    for (const PaneTool& tool : tools) {
        if (tool.command == 0) {
            bar->AddSeparator();
            continue;
        }
        const wxString tip = KM::Res::LoadString(tool.tip);
        wxBitmap bitmap = tool.cell >= 0 && static_cast<size_t>(tool.cell) < cells.size()
                              ? wxBitmap(cells[static_cast<size_t>(tool.cell)])
                              : wxBitmap(16, 16);
        const wxString label = tool.cell < 0 ? tip : wxString();
        bar->AddTool(tool.command, label, bitmap, tip, tool.check ? wxITEM_CHECK : wxITEM_NORMAL);
    }
    bar->Realize();
    return bar;
}

int ToolbarHeight(const CKMToolbar* toolbar)
{
    return toolbar ? toolbar->GetBestSize().y : 0;
}
