#include "controls/toolbar/CommandTips.h"
#include "controls/res/ResourceBridge.h"

namespace KM {

namespace {
struct TipRow {
    int command;
    int stringId;
};
// Timeline, folder and DVD toolbars.
constexpr TipRow kToolbarTips[] = {
    {431, 422}, {432, 61425}, {433, 61426}, {434, 435}, {436, 437},  {438, 440},  {439, 441},
    {445, 444}, {446, 447},   {448, 449},   {450, 451}, {32784, 443}, {32786, 442},
};
}  // namespace

int ToolbarTipStringId(int command)
{
    for (const TipRow& row : kToolbarTips)
        if (row.command == command) return row.stringId;
    return 0;
}

bool ToolbarUserToolTip(int command, wxString& text)
{
    int id = ToolbarTipStringId(command);
    if (id == 0) return false;
    if (Res::HasString(static_cast<unsigned>(id))) text = Res::LoadString(static_cast<unsigned>(id));
    return true;
}

wxString RibbonElementTips::HelpText() const
{
    if (description.empty()) return tooltip;
    if (tooltip.empty()) return description;
    return tooltip + "\n" + description;
}

RibbonElementTips GetRibbonElementTips(int command, int descriptionId)
{
    RibbonElementTips tips;
    if (command > 0) tips.tooltip = Res::LoadString(static_cast<unsigned>(command));
    if (descriptionId > 0) tips.description = Res::LoadString(static_cast<unsigned>(descriptionId));
    return tips;
}

wxString ComboButtonTip(int command)
{
    return command > 0 ? Res::LoadString(static_cast<unsigned>(command)) : wxString();
}

}  // namespace KM
