#pragma once
// The program's toolbar: commands of the toolbars' tooltip table show the
// table's string; every other tool keeps the tooltip it was given.
#include <wx/toolbar.h>

class CKMToolbar : public wxToolBar {
public:
    CKMToolbar(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
               const wxSize& size = wxDefaultSize, long style = wxTB_HORIZONTAL | wxTB_FLAT);

    // True (text set from the table) for a command of the table; false to keep the framework's.
    virtual bool OnUserToolTip(int toolId, wxString& text) const;
    // Lays the tools out and gives the table's commands their tooltips.
    bool Realize() override;
};
