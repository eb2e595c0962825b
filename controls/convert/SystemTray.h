#pragma once
// The notification-area icon shown while the program hides during a long
// conversion: a tooltip with the progress, a double click or the menu's
// "restore" brings the window back, the menu's "stop and exit" ends the run.
#include <functional>
#include <memory>
#include <string>
#include <wx/icon.h>

class CSystemTray;

// What shows the icon: the desktop's notification area, or a stand-in.
class ITrayIconHost {
public:
    virtual ~ITrayIconHost() = default;
    virtual bool IsAvailable() const = 0;
    virtual bool SetIcon(const wxIcon& icon, const std::wstring& tip) = 0;
    virtual bool RemoveIcon() = 0;
};

class CSystemTray {
public:
    static constexpr int kIconId = 361;
    static constexpr size_t kMaxTip = 127;

    // Makes the host of a tray; null: the desktop's notification area.
    using HostFactory = std::function<std::unique_ptr<ITrayIconHost>(CSystemTray&)>;
    // Installs the factory for trays made from now on; returns the previous.
    static HostFactory SetHostFactory(HostFactory factory);

    // Menu and double-click commands go to onCommand (restore, stop and exit).
    explicit CSystemTray(std::function<void(int)> onCommand);
    ~CSystemTray();
    CSystemTray(const CSystemTray&) = delete;
    CSystemTray& operator=(const CSystemTray&) = delete;

    // Whether there is a notification area at all.
    bool IsAvailable() const;
    // Shows the icon; false (nothing shown) when it could not be added.
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
    int OnMenuCommand(int command);

private:
    std::function<void(int)> m_onCommand;
    std::unique_ptr<ITrayIconHost> m_host;
    wxIcon m_current;
    std::wstring m_tip = L"AAAAA";
    bool m_enabled = false;
    bool m_hidden = true;
};
