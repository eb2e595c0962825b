#pragma once
// The shell's dialogs for the settings grids' size, join-images and
// file-name rows; the application installs one at start-up (SetGridDialogs).
#include "controls/grid/GridDialogs.h"

class CShellGridDialogs : public IGridDialogs {
public:
    bool EditFrameSize(wxWindow* parent, FrameSizeText& size) override;
    bool EditJoinImages(wxWindow* parent, CPropertiesImpl& tree) override;
    bool EditFileNamePattern(wxWindow* parent, CPropertiesImpl& tree) override;
};
