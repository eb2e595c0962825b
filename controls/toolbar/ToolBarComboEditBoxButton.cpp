#include "controls/toolbar/ToolBarComboEditBoxButton.h"
#include "controls/ids/CommandIds.h"
#include "controls/toolbar/CommandTips.h"
#include <wx/toolbar.h>

CToolBarComboEditBoxButton::CToolBarComboEditBoxButton(wxToolBar* toolbar, int command, int width)
    : wxComboBox(toolbar, command > 0 && command < 32767 ? command : wxID_ANY, wxString(), wxDefaultPosition, wxSize(width, -1), 0, nullptr, wxCB_DROPDOWN),
      m_command(command)
{
    wxString tip;
    if (GetTipText(tip) && !tip.empty()) SetToolTip(tip);
}

bool CToolBarComboEditBoxButton::GetTipText(wxString& text) const
{
    text = KM::ComboButtonTip(KM::Cmd::StockCommandNumber(m_command));
    return GetHandle() != nullptr;
}
