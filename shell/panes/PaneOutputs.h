#pragma once
// Which of the project's outputs an edit pane works on. The picture panes
// take the visual output (video, else image); the advanced pane its own
// order (video, else audio, else image) with the kind its operation list
// shows (1 video, 2 audio, 4 image).
#include "shell/panes/EditPaneTable.h"

class CProject;
class COutputFileObj;

OutputFlags ProjectOutputs(CProject* project);

struct AdvancedTarget {
    COutputFileObj* settings = nullptr;  // the output's advanced settings, null without an output
    int listKind = 0;
};
AdvancedTarget ChooseAdvancedTarget(CProject* project);
