#pragma once
// The context menus the views show on a right click, registered once at
// start-up by name (a string id) and menu resource id.
//
// A menu item stands for a command: its resource name is the command's number,
// or "cmd<number>" for numbers above 32766, which wxWidgets does not take as
// a menu item id (such an item gets an id of its own choosing). The manager
// asks the window for each command's state before the menu opens and hands
// it the chosen command under the command's own number.
#include <functional>
#include <string>
#include <vector>
#include <wx/gdicmn.h>

class wxMenu;
class wxMenuItem;
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

    // The command an item of a loaded menu stands for.
    static int CommandOfItem(const wxMenuItem& item);

    // Takes the place of the pop-up (tests): gets the loaded menu, its items'
    // states already updated by window; a choice is made with menu.SendEvent
    // on the item's id, as the pop-up does. Null restores the pop-up.
    using PopupHook = std::function<void(unsigned menuId, wxMenu& menu, wxWindow& window)>;
    static void SetPopupHook(PopupHook hook);

private:
    std::vector<Entry> m_entries;
};
