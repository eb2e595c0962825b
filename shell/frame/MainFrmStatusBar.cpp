#include "shell/frame/MainFrmStatusBar.h"
#include "controls/ids/CommandIds.h"
#include "controls/ids/StringIds.h"
#include "controls/ids/WindowMessages.h"
#include "controls/res/ResourceBridge.h"
#include "controls/small/ErrorCaptionWnd.h"
#include "shell/frame/StatusTextFit.h"
#include <algorithm>
#include <wx/checkbox.h>
#include <wx/hyperlink.h>
#include <wx/statusbr.h>
#include <wx/utils.h>

namespace {
constexpr int kLinkField = 0;
constexpr int kCheckField = 1;
constexpr int kCaptionField = 2;
}  // namespace

CMainFrmStatusBar::CMainFrmStatusBar(const wxString& title, const wxSize& size)
    : wxFrame(nullptr, wxID_ANY, title, wxDefaultPosition, size)
{
    Bind(EVT_KM_STATUS_TEXT, &CMainFrmStatusBar::OnStatusTextMessage, this);
}

void CMainFrmStatusBar::BuildStatusBar()
{
    m_statusBar = CreateStatusBar(3);
    if (!m_statusBar)
        return;
    m_link = new wxHyperlinkCtrl(m_statusBar, KM::Cmd::WebsiteLink, kWebDomain, kWebAddress);
    m_link->SetName("Link to website");
    m_loadRecent =
        new wxCheckBox(m_statusBar, KM::Cmd::LoadRecentDoc, KM::Res::LoadString(KM::Str::LoadRecentCheckBox));
    m_caption = new CErrorCaptionWnd(m_statusBar, kCaptionId);
    m_caption->SetName("Error status bar");
    const int widths[3] = {m_link->GetBestSize().x + 16, m_loadRecent->GetBestSize().x + 16, -1};
    m_statusBar->SetStatusWidths(3, widths);
    m_statusBar->SetMinHeight(std::max(m_loadRecent->GetBestSize().y, m_link->GetBestSize().y) + 4);
    m_statusBar->Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
        PlaceStatusBarItems();
        e.Skip();
    });
    // The check box is a command of the frame, like the ribbon's.
    m_loadRecent->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
        wxCommandEvent command(wxEVT_MENU, KM::Cmd::LoadRecentDoc);
        command.SetEventObject(this);
        ProcessWindowEvent(command);
    });
    PlaceStatusBarItems();
}

void CMainFrmStatusBar::PlaceStatusBarItems()
{
    if (!m_statusBar)
        return;
    auto place = [&](wxWindow* w, int field) {
        wxRect r;
        if (w && m_statusBar->GetFieldRect(field, r)) {
            const wxSize best = w->GetBestSize();
            // A window manager sizes the frame to its bare decorations for a
            // moment before its real size: no width below zero goes to GTK.
            const int width = field == kCaptionField ? std::max(r.width - 4, 0) : best.x;
            w->SetSize(r.x + 2, r.y + (r.height - best.y) / 2, width, best.y);
        }
    };
    place(m_link, kLinkField);
    place(m_loadRecent, kCheckField);
    place(m_caption, kCaptionField);
}

void CMainFrmStatusBar::OpenWebsite()
{
    wxLaunchDefaultBrowser(m_link ? m_link->GetURL() : wxString(kWebAddress));
}

void CMainFrmStatusBar::OnMessage(const std::wstring& text, DWORD code)
{
    if ((code & LOG_ERROR) == 0)
        return;
    m_strStatusText = text;
    KM::PostWindowMessage(this, KM::WM_KM_STATUS_TEXT);
}

void CMainFrmStatusBar::ClearMessages()
{
    m_strStatusText.clear();
    KM::PostWindowMessage(this, KM::WM_KM_STATUS_TEXT);
}

void CMainFrmStatusBar::OnCurrentFileChanged()
{
    SetCaptionText(std::wstring());
}

void CMainFrmStatusBar::OnStatusTextMessage(KM::CWindowMessageEvent& event)
{
    SetCaptionText(m_strStatusText);
    event.SetResult(0);
}

void CMainFrmStatusBar::SetCaptionText(const std::wstring& text)
{
    if (m_caption) {
        std::wstring shown = text;
        if (!text.empty()) {
            // Measured in the caption's font; no DC (drawing happens in paint handlers only).
            wxRect field;
            m_statusBar->GetFieldRect(kCaptionField, field);
            const int room = field.GetRight() - 5 - field.x;
            shown = FitStatusText(text, room, [&](const std::wstring& t) { return m_caption->GetTextExtent(t).x; });
        }
        m_caption->SetCaption(shown);
        if (text.empty())
            m_caption->UnsetToolTip();
        else
            m_caption->SetToolTip(text);
    }
    PlaceStatusBarItems();
    if (m_statusBar)
        m_statusBar->Refresh();
}
