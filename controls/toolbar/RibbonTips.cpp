#include "controls/toolbar/RibbonTips.h"
#include "controls/ids/CommandIds.h"
#include "controls/ids/StringIds.h"
#include "controls/toolbar/CommandTips.h"
#include <wx/ribbon/buttonbar.h>
#include <wx/ribbon/toolbar.h>
#include <wx/toolbar.h>

void SetRibbonElementTips(wxRibbonToolBar& bar, int tool, int descriptionId)
{
    KM::RibbonElementTips tips = KM::GetRibbonElementTips(KM::Cmd::StockCommandNumber(tool), descriptionId);
    bar.SetToolHelpString(tool, tips.HelpText());
}

void SetRibbonElementTips(wxToolBar& bar, int tool, int descriptionId)
{
    KM::RibbonElementTips tips = KM::GetRibbonElementTips(KM::Cmd::StockCommandNumber(tool), descriptionId);
    bar.SetToolShortHelp(tool, tips.tooltip);
    bar.SetToolLongHelp(tool, tips.description);
}

wxRibbonButtonBarButtonBase* CKMRibbonButton::Add(wxRibbonButtonBar& bar, int command, const wxString& label,
                                                  const wxBitmap& largeImage, int descriptionId)
{
    KM::RibbonElementTips tips = KM::GetRibbonElementTips(KM::Cmd::StockCommandNumber(command), descriptionId);
    return bar.AddButton(command, label, largeImage, tips.HelpText());
}

wxRibbonButtonBarButtonBase* CKMRibbonCheckBox::Add(wxRibbonButtonBar& bar, const wxString& label, const wxBitmap& image)
{
    KM::RibbonElementTips tips = KM::GetRibbonElementTips(KM::Cmd::AutoCheckUpdates, KM::Str::AutoCheckDescription);
    return bar.AddToggleButton(KM::Cmd::AutoCheckUpdates, label, image, tips.HelpText());
}
