#pragma once
// The settings column of the crop, eraser, filters and watermark panes: one
// settings grid (child id 2) filling the frame but a 1-pixel strip at the
// left, passing every values-changed notice up to its parent, and the change
// partner of a picture editor: after a mouse edit (OnChange) it shows the new
// values and tells the parent as if the grid had changed them.
#include "controls/grid/PropertiesEditCtrl.h"
#include <wx/window.h>

class CPropertiesFrameCtrl : public wxWindow {
public:
    static constexpr int kFrameId = 190;
    static constexpr int kGridId = 2;

    CPropertiesFrameCtrl() = default;
    bool Create(wxWindow* parent);

    CPropertiesEditCtrl& Grid() { return *m_grid; }
    // Builds the rows again from the grid's tree, keeping the selected row.
    void Refresh();
    // A picture editor changed the settings object.
    void OnChange();

private:
    void FitGrid();
    void OnPaint(wxPaintEvent& event);

    CPropertiesEditCtrl* m_grid = nullptr;  // child window
};
