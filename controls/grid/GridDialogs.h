#pragma once
// The dialogs a settings-grid row opens that live in the application shell
// (size entry, join-images settings, file-name pattern builder). The shell
// installs its implementation at start-up; a grid without one leaves those
// rows' buttons doing nothing.
#include "controls/draw/FrameSizeText.h"

class CPropertiesImpl;
class wxWindow;

class IGridDialogs {
public:
    virtual ~IGridDialogs() = default;
    // The size dialog preset with size; true on OK with size updated
    // (kind Percent: value holds the percentage, else width and height).
    virtual bool EditFrameSize(wxWindow* parent, FrameSizeText& size) = 0;
    // The join-images dialog (484) on tree; true on OK (property 40 written).
    virtual bool EditJoinImages(wxWindow* parent, CPropertiesImpl& tree) = 0;
    // The file-name pattern dialog (485) on tree; true on OK (property 13 written).
    virtual bool EditFileNamePattern(wxWindow* parent, CPropertiesImpl& tree) = 0;
};

// The implementation every grid uses; null until the shell installs one.
IGridDialogs* GetGridDialogs();
// Installs dialogs (not owned); returns the previous ones.
IGridDialogs* SetGridDialogs(IGridDialogs* dialogs);
