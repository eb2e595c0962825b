#include "controls/grid/GridSpinEditor.h"
#include <wx/propgrid/propgrid.h>

wxPGWindowList CGridSpinEditor::CreateControls(wxPropertyGrid* grid, wxPGProperty* row, const wxPoint& pos,
                                               const wxSize& size) const
{
    // The text box over the whole value cell, no arrow buttons.
    return wxPGTextCtrlEditor::CreateControls(grid, row, pos, size);
}

wxPGEditor* CGridSpinEditor::Get()
{
    static wxPGEditor* const editor = wxPropertyGrid::RegisterEditorClass(new CGridSpinEditor);
    return editor;
}
