#pragma once
// Ribbon and toolbar buttons of the program's commands with their tooltips and
// descriptions (CommandTips.h). wxRibbonButtonBar takes a button's help text
// when the button is added, so its buttons come from CKMRibbonButton::Add and
// CKMRibbonCheckBox::Add; tools of a wxRibbonToolBar or wxToolBar can get their
// tips afterwards through SetRibbonElementTips.
#include <wx/bitmap.h>
#include <wx/string.h>

class wxRibbonButtonBar;
class wxRibbonButtonBarButtonBase;
class wxRibbonToolBar;
class wxToolBar;

// tool: the tool's id (stock ids are looked up by their number).
void SetRibbonElementTips(wxRibbonToolBar& bar, int tool, int descriptionId);
void SetRibbonElementTips(wxToolBar& bar, int tool, int descriptionId);

class CKMRibbonButton {
public:
    // A large button of the command with its tips; null when the bar refused it.
    static wxRibbonButtonBarButtonBase* Add(wxRibbonButtonBar& bar, int command, const wxString& label,
                                            const wxBitmap& largeImage, int descriptionId);
};

class CKMRibbonCheckBox {
public:
    // A toggle of command 479 with its tips (string 479, description 480).
    static wxRibbonButtonBarButtonBase* Add(wxRibbonButtonBar& bar, const wxString& label, const wxBitmap& image);
};
