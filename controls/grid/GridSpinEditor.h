#pragma once
// The number editor of the settings grid: the framework's spin editor
// without its arrow buttons (a plain text box over the value cell). A GTK
// spin button needs more height than a grid row has, and GTK warns at
// every measure when it is squeezed into one.
#include <wx/propgrid/advprops.h>

class CGridSpinEditor : public wxPGSpinCtrlEditor {
public:
    wxString GetName() const override { return "KMGridSpin"; }
    wxPGWindowList CreateControls(wxPropertyGrid* grid, wxPGProperty* row, const wxPoint& pos,
                                  const wxSize& size) const override;
    bool OnEvent(wxPropertyGrid* grid, wxPGProperty* row, wxWindow* window, wxEvent& event) const override;

    // The registered instance (the framework owns it).
    static wxPGEditor* Get();
};
