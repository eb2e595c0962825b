#pragma once
// The notification-area icon shown while the program hides during a long
// conversion: a tooltip with the progress, a double click or the menu's
// "restore" brings the window back, the menu's "stop and exit" ends the run.
#include <functional>
#include <memory>
#include <string>
#include <wx/icon.h>

class wxTaskBarIcon;
class wxTaskBarIconEvent;

class CSystemTray {
public:
    static constexpr int kIconId = 361;
    static constexpr size_t kMaxTip = 127;
    static constexpr int kRestoreCommand = 32815;
    static constexpr int kStopAndExitCommand = 32816;

    // Menu and double-click commands go to onCommand (restore, stop and exit).
    explicit CSystemTray(std::function<void(int)> onCommand);
    ~CSystemTray();
    CSystemTray(const CSystemTray&) = delete;
    CSystemTray& operator=(const CSystemTray&) = delete;

    // Whether this desktop has a notification area at all.
    static bool IsAvailable();
    // Shows the icon; false (nothing shown) without a notification area.
    bool Create(const wxIcon& icon);
    // Cut to 127 characters; shown at once while the icon is there.
    bool SetTooltipText(const std::wstring& text);
    bool RemoveIcon();
    bool IsHidden() const { return m_hidden; }
    bool IsEnabled() const { return m_enabled; }
    const std::wstring& GetTooltipText() const { return m_tip; }

    // The icon's mouse: a double click restores; the menu offers restore and
    // stop-and-exit. Returns the command carried out, 0 for none.
    int OnDoubleClick();

private:
    std::function<void(int)> m_onCommand;
    std::unique_ptr<wxTaskBarIcon> m_icon;
    wxIcon m_current;
    std::wstring m_tip = L"AAAAA";
    bool m_enabled = false;
    bool m_hidden = true;
};
