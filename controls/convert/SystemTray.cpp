#include "controls/convert/SystemTray.h"
#include "controls/ids/CommandIds.h"
#include "controls/res/ResourceBridge.h"
#include <wx/menu.h>
#include <wx/taskbar.h>

namespace {

// The desktop's notification area, with the icon's own menu: restore and
// stop-and-exit, worded by the string table.
class CTrayIcon : public wxTaskBarIcon {
public:
    explicit CTrayIcon(CSystemTray& tray) : m_tray(tray)
    {
        Bind(wxEVT_TASKBAR_LEFT_DCLICK, [this](wxTaskBarIconEvent&) { m_tray.OnDoubleClick(); });
        Bind(wxEVT_MENU, [this](wxCommandEvent& e) { m_tray.OnMenuCommand(e.GetId()); });
    }

protected:
    wxMenu* CreatePopupMenu() override
    {
        auto* menu = new wxMenu;  // the icon deletes it after showing it
        menu->Append(KM::Cmd::TrayRestore, KM::Res::LoadString(KM::Cmd::TrayRestore));
        menu->Append(KM::Cmd::TrayStopAndExit, KM::Res::LoadString(KM::Cmd::TrayStopAndExit));
        return menu;
    }

private:
    CSystemTray& m_tray;
};

class CDesktopTrayHost : public ITrayIconHost {
public:
    explicit CDesktopTrayHost(CSystemTray& tray) : m_tray(tray) {}
    bool IsAvailable() const override { return wxTaskBarIcon::IsAvailable(); }
    bool SetIcon(const wxIcon& icon, const std::wstring& tip) override
    {
        if (!m_icon)
            m_icon = std::make_unique<CTrayIcon>(m_tray);
        return m_icon->SetIcon(icon, wxString(tip));
    }
    bool RemoveIcon() override { return !m_icon || m_icon->RemoveIcon(); }

private:
    CSystemTray& m_tray;
    std::unique_ptr<CTrayIcon> m_icon;
};

CSystemTray::HostFactory& Factory()
{
    static CSystemTray::HostFactory factory;
    return factory;
}

}  // namespace

CSystemTray::HostFactory CSystemTray::SetHostFactory(HostFactory factory)
{
    HostFactory previous = std::move(Factory());
    Factory() = std::move(factory);
    return previous;
}

CSystemTray::CSystemTray(std::function<void(int)> onCommand) : m_onCommand(std::move(onCommand))
{
    if (Factory())
        m_host = Factory()(*this);
    if (!m_host)
        m_host = std::make_unique<CDesktopTrayHost>(*this);
}

CSystemTray::~CSystemTray()
{
    RemoveIcon();
}

bool CSystemTray::IsAvailable() const
{
    return m_host->IsAvailable();
}

bool CSystemTray::Create(const wxIcon& icon)
{
    m_enabled = IsAvailable();
    if (!m_enabled)
        return false;
    m_current = icon;
    const bool added = m_host->SetIcon(m_current, m_tip);
    m_hidden = !added;
    return added;
}

bool CSystemTray::SetTooltipText(const std::wstring& text)
{
    if (!m_enabled)
        return false;
    m_tip = text.substr(0, kMaxTip);
    if (m_hidden)
        return true;
    return m_host->SetIcon(m_current, m_tip);
}

bool CSystemTray::RemoveIcon()
{
    if (!m_enabled || m_hidden)
        return true;
    if (!m_host->RemoveIcon())
        return false;
    m_hidden = true;
    return true;
}

int CSystemTray::OnDoubleClick()
{
    if (m_onCommand)
        m_onCommand(KM::Cmd::TrayRestore);
    return KM::Cmd::TrayRestore;
}

int CSystemTray::OnMenuCommand(int command)
{
    if (command != KM::Cmd::TrayRestore && command != KM::Cmd::TrayStopAndExit)
        return 0;
    if (m_onCommand)
        m_onCommand(command);
    return command;
}
