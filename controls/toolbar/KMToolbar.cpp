#include "controls/toolbar/KMToolbar.h"
#include "controls/ids/CommandIds.h"
#include "controls/toolbar/CommandTips.h"

CKMToolbar::CKMToolbar(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
    : wxToolBar(parent, id, pos, size, style)
{
}

bool CKMToolbar::OnUserToolTip(int toolId, wxString& text) const
{
    return KM::ToolbarUserToolTip(KM::Cmd::StockCommandNumber(toolId), text);
}

bool CKMToolbar::Realize()
{
    for (size_t i = 0; i < GetToolsCount(); ++i) {
        const wxToolBarToolBase* tool = GetToolByPos(static_cast<int>(i));
        if (!tool || tool->IsSeparator()) continue;
        wxString text = tool->GetShortHelp();
        if (OnUserToolTip(tool->GetId(), text)) SetToolShortHelp(tool->GetId(), text);
    }
    return wxToolBar::Realize();
}
