#include "shell/ContextMenus.h"
#include "controls/res/ResourceBridge.h"
#include <wx/menu.h>
#include <wx/window.h>

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
    // A keyboard-made context menu (no point) opens at the window's corner.
    wxPoint at = point == wxDefaultPosition ? wxDefaultPosition : window->ScreenToClient(point);
    return window->PopupMenu(menu.get(), at);
}
