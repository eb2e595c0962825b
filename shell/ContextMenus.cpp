#include "shell/ContextMenus.h"
#include "controls/res/ResourceBridge.h"
#include <wx/menu.h>
#include <wx/window.h>
#include <wx/xrc/xmlres.h>

namespace {

CContextMenuManager::PopupHook& Hook()
{
    static CContextMenuManager::PopupHook hook;
    return hook;
}

// Each item's state from window's update pass for its command.
void UpdateItems(wxMenu& menu, wxWindow& window)
{
    for (wxMenuItem* item : menu.GetMenuItems()) {
        if (item->IsSeparator())
            continue;
        wxUpdateUIEvent ui(CContextMenuManager::CommandOfItem(*item));
        ui.SetEventObject(&menu);
        window.GetEventHandler()->ProcessEvent(ui);
        if (ui.GetSetEnabled())
            item->Enable(ui.GetEnabled());
        if (ui.GetSetChecked() && item->IsCheckable())
            item->Check(ui.GetChecked());
    }
}

// The chosen item reaches window as its command.
void ForwardChoices(wxMenu& menu, wxWindow& window)
{
    menu.Bind(wxEVT_MENU, [&menu, &window](wxCommandEvent& event) {
        wxMenuItem* item = menu.FindItem(event.GetId());
        wxCommandEvent command(wxEVT_MENU, item ? CContextMenuManager::CommandOfItem(*item) : event.GetId());
        command.SetEventObject(&window);
        command.SetInt(event.GetInt());
        window.GetEventHandler()->ProcessEvent(command);
    });
}

}  // namespace

int CContextMenuManager::CommandOfItem(const wxMenuItem& item)
{
    const wxString name = wxXmlResource::FindXRCIDById(item.GetId());
    long number = 0;
    if (name.StartsWith("cmd") && name.Mid(3).ToLong(&number))
        return static_cast<int>(number);
    return item.GetId();
}

void CContextMenuManager::SetPopupHook(PopupHook hook)
{
    Hook() = std::move(hook);
}

void CContextMenuManager::RegisterDefaults()
{
    static const struct {
        unsigned nameId, menuId;
    } kMenus[] = {{61222, 310}, {61294, 330}, {61295, 331}, {342, 342}, {351, 351}, {360, 360}, {405, 405},
                  {406, 406},   {407, 407},   {408, 408},   {409, 409}, {410, 410}, {411, 411}};
    for (const auto& m : kMenus) AddMenu(KM::Res::LoadString(m.nameId).ToStdWstring(), m.menuId);
}

void CContextMenuManager::AddMenu(const std::wstring& name, unsigned menuId)
{
    m_entries.push_back({name, menuId});
}

bool CContextMenuManager::IsRegistered(unsigned menuId) const
{
    for (const Entry& e : m_entries)
        if (e.menuId == menuId) return true;
    return false;
}

bool CContextMenuManager::ShowPopupMenu(unsigned menuId, const wxPoint& point, wxWindow* window) const
{
    if (!window || !IsRegistered(menuId)) return false;
    std::unique_ptr<wxMenu> menu = KM::Res::LoadMenu(menuId);
    if (!menu) return false;
    UpdateItems(*menu, *window);
    ForwardChoices(*menu, *window);
    if (const PopupHook& hook = Hook()) {
        menu->SetInvokingWindow(window);
        hook(menuId, *menu, *window);
        menu->SetInvokingWindow(nullptr);
        return true;
    }
    // A keyboard-made context menu (no point) opens at the window's corner.
    wxPoint at = point == wxDefaultPosition ? wxDefaultPosition : window->ScreenToClient(point);
    return window->PopupMenu(menu.get(), at);
}
