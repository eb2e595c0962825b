#include "controls/grid/GridSpinEditor.h"
#include "controls/grid/GridSpinArrows.h"
#include <wx/propgrid/propgrid.h>
#include <wx/textctrl.h>

wxPGWindowList CGridSpinEditor::CreateControls(wxPropertyGrid* grid, wxPGProperty* row, const wxPoint& pos,
                                               const wxSize& size) const
{
    // The text box, and our own arrows at the right end of the value cell;
    // the key steps stay those of the spin editor (OnEvent).
    const int arrows = CGridSpinArrows::Width(grid);
    const int margin = 1;
    if (size.x <= arrows + margin)
        return wxPGTextCtrlEditor::CreateControls(grid, row, pos, size);
    const wxSize text(size.x - arrows - margin, size.y);
    wxWindow* box = wxPGTextCtrlEditor::CreateControls(grid, row, pos, text).GetPrimary();
    auto* buttons =
        new CGridSpinArrows(grid->GetPanel(), wxPoint(pos.x + text.x + margin, pos.y), wxSize(arrows, size.y));
    return wxPGWindowList(box, buttons);
}

bool CGridSpinEditor::OnEvent(wxPropertyGrid* grid, wxPGProperty* row, wxWindow* window, wxEvent& event) const
{
    // The framework steps only a whole-number value; a row that holds its
    // value as text (given through the grid's interface) steps from the
    // number its text box shows.
    const wxEventType type = event.GetEventType();
    const bool step = type == wxEVT_SCROLL_LINEUP || type == wxEVT_SCROLL_LINEDOWN || type == wxEVT_KEY_DOWN;
    if (step && row && row->GetValue().GetType() != wxPG_VARIANT_TYPE_LONG) {
        auto* box = wxDynamicCast(grid ? grid->GetEditorControl() : nullptr, wxTextCtrl);
        long number = 0;
        if (!box || !box->GetValue().ToLong(&number))
            return false;  // nothing to step from
        row->SetValue(wxVariant(number));
    }
    return wxPGSpinCtrlEditor::OnEvent(grid, row, window, event);
}

wxPGEditor* CGridSpinEditor::Get()
{
    static wxPGEditor* const editor = wxPropertyGrid::RegisterEditorClass(new CGridSpinEditor);
    return editor;
}
