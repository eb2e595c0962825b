#pragma once
// The edit panes' toolbars by resource id: 387 (timeline, below the
// picture), 509 (timeline, above the range list), 390 (watermarks), 395
// (crop and eraser: "Original" and "Result"). Each tool takes its cell of the
// strip image of the same id (16 x 16, white transparent) and its tip string;
// the commands go to the toolbar's parent, the editing view.
#include <span>

class CKMToolbar;
class wxWindow;

struct PaneTool {
    int command;  // 0: a separator
    int cell;     // cell of the strip, -1: a text button
    unsigned tip; // string id of the tooltip (or the text of a text button)
    bool check = false;
};

std::span<const PaneTool> PaneToolbarTools(unsigned resourceId);
// Null for an id that is no pane toolbar.
CKMToolbar* CreatePaneToolbar(wxWindow* parent, unsigned resourceId);
// The height the toolbar asks for laid out horizontally; 0 without one.
int ToolbarHeight(const CKMToolbar* toolbar);
