#pragma once
// The context menus the views show on a right click, registered once at
// start-up by name (a string id) and menu resource id.
#include <string>
#include <vector>
#include <wx/gdicmn.h>

class wxWindow;

class CContextMenuManager {
public:
    struct Entry {
        std::wstring name;
        unsigned menuId;
    };

    // The menus of the source, editing and conversion views, in their order.
    void RegisterDefaults();
    void AddMenu(const std::wstring& name, unsigned menuId);
    const std::vector<Entry>& Entries() const { return m_entries; }
    bool IsRegistered(unsigned menuId) const;
    // Pops the menu up at point (screen coordinates) over window, whose
    // command handlers get the choice; false when it is not registered or
    // its resource is missing.
    bool ShowPopupMenu(unsigned menuId, const wxPoint& point, wxWindow* window) const;

private:
    std::vector<Entry> m_entries;
};
