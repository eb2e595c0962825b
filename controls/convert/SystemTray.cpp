#include "controls/convert/SystemTray.h"
#include "controls/res/ResourceBridge.h"
#include <wx/menu.h>
#include <wx/taskbar.h>

namespace {

// The icon's own menu: restore and stop-and-exit, worded by the string table.
class CTrayIcon : public wxTaskBarIcon {
public:
    explicit CTrayIcon(CSystemTray& tray, std::function<void(int)>& onCommand) : m_tray(tray), m_onCommand(onCommand)
    {
        Bind(wxEVT_TASKBAR_LEFT_DCLICK, [this](wxTaskBarIconEvent&) { m_tray.OnDoubleClick(); });
        Bind(wxEVT_MENU, [this](wxCommandEvent& e) {
            if (m_onCommand)
                m_onCommand(e.GetId());
        });
    }

protected:
    wxMenu* CreatePopupMenu() override
    {
        auto* menu = new wxMenu;  // the icon deletes it after showing it
        menu->Append(CSystemTray::kRestoreCommand, KM::Res::LoadString(CSystemTray::kRestoreCommand));
        menu->Append(CSystemTray::kStopAndExitCommand, KM::Res::LoadString(CSystemTray::kStopAndExitCommand));
        return menu;
    }

private:
    CSystemTray& m_tray;
    std::function<void(int)>& m_onCommand;
};

}  // namespace

CSystemTray::CSystemTray(std::function<void(int)> onCommand) : m_onCommand(std::move(onCommand)) {}

CSystemTray::~CSystemTray()
{
    RemoveIcon();
}

bool CSystemTray::IsAvailable()
{
    return wxTaskBarIcon::IsAvailable();
}

bool CSystemTray::Create(const wxIcon& icon)
{
    m_enabled = IsAvailable();
    if (!m_enabled)
        return false;
    if (!m_icon)
        m_icon = std::make_unique<CTrayIcon>(*this, m_onCommand);
    m_current = icon;
    const bool added = m_icon->SetIcon(m_current, wxString(m_tip));
    m_hidden = !added;
    return added;
}

bool CSystemTray::SetTooltipText(const std::wstring& text)
{
    if (!m_enabled)
        return false;
    m_tip = text.substr(0, kMaxTip);
    if (m_hidden || !m_icon)
        return true;
    return m_icon->SetIcon(m_current, wxString(m_tip));
}

bool CSystemTray::RemoveIcon()
{
    if (!m_enabled || m_hidden || !m_icon)
        return true;
    if (!m_icon->RemoveIcon())
        return false;
    m_hidden = true;
    return true;
}

int CSystemTray::OnDoubleClick()
{
    if (m_onCommand)
        m_onCommand(kRestoreCommand);
    return kRestoreCommand;
}
