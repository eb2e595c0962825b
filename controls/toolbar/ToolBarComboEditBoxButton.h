#pragma once
// An editable combo box placed on a toolbar as the button of a command. Its tip
// is the string numbered like the command (none for command 0). Its window id
// is the command when that is a valid window id, else a generated one.
#include <wx/combobox.h>

class wxToolBar;

class CToolBarComboEditBoxButton : public wxComboBox {
public:
    CToolBarComboEditBoxButton(wxToolBar* toolbar, int command, int width);

    // The tip text; false when the button has no combo-box window to show it on.
    bool GetTipText(wxString& text) const;
    int GetCommand() const { return m_command; }

private:
    int m_command;
};
