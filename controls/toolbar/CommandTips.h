#pragma once
// Tooltips and descriptions of command buttons, from the string table.
// Commands are given by the program's number (CommandIds.h: StockCommandNumber
// for stock ids). These rules are the only places a string is looked up by a
// command's number: many command numbers equal unrelated string ids.
#include <wx/string.h>

namespace KM {

// The string id of a toolbar's own tooltip for a command, 0 when the command
// keeps the framework's tooltip.
int ToolbarTipStringId(int command);

// The toolbars' tooltip rule: true for a command of the table, text then the
// table's string (left as it was when the string is missing); false otherwise.
bool ToolbarUserToolTip(int command, wxString& text);

// A ribbon element's tooltip (the string numbered like its command) and
// description (the given string id); missing strings are empty.
struct RibbonElementTips {
    wxString tooltip;
    wxString description;
    // Both for a control that shows one help text: the tooltip, then the
    // description on its own line.
    wxString HelpText() const;
};
RibbonElementTips GetRibbonElementTips(int command, int descriptionId);

// The combo-box button's tip: the string numbered like its command; empty for command 0.
wxString ComboButtonTip(int command);

}  // namespace KM
