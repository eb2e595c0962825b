#include "shell/BaseView.h"
#include "controls/ids/WindowMessages.h"
#include "platform/Settings.h"
#include "shell/KestrelMediaApp.h"
#include <wx/event.h>

namespace {
bool g_pageSwitching = false;
}

bool ShouldSaveViewLayout(const std::wstring& layoutName, bool pageSwitching, int cx, int cy)
{
    return !layoutName.empty() && !pageSwitching && cx > 0 && cy > 0;
}

void CBaseView::SetPageSwitching(bool switching)
{
    g_pageSwitching = switching;
}

bool CBaseView::IsPageSwitching()
{
    return g_pageSwitching;
}

bool CBaseView::Create(wxWindow* parent, wxWindowID id)
{
    if (!wxPanel::Create(parent, id, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxFULL_REPAINT_ON_RESIZE))
        return false;
    SetBackgroundStyle(wxBG_STYLE_PAINT);  // views paint all of themselves
    Bind(wxEVT_CONTEXT_MENU, &CBaseView::OnContextMenu, this);
    Bind(wxEVT_SIZE, &CBaseView::OnSize, this);
    Bind(EVT_KM_REINIT_VIEW, [this](KM::CWindowMessageEvent& e) {
        OnInitialUpdate();
        e.SetResult(0);
    });
    return true;
}

bool CBaseView::OnUpdateCommand(int id, wxUpdateUIEvent& ui)
{
    for (const CCommandTable* table : RoutedCommands())
        if (table->Update(id, ui))
            return true;
    return false;
}

bool CBaseView::OnExecuteCommand(int id)
{
    for (const CCommandTable* table : RoutedCommands())
        if (table->Execute(id))
            return true;
    return false;
}

bool CBaseView::TryBefore(wxEvent& event)
{
    wxEventType type = event.GetEventType();
    if (type == wxEVT_UPDATE_UI) {
        if (OnUpdateCommand(event.GetId(), static_cast<wxUpdateUIEvent&>(event))) return true;
    } else if (type == wxEVT_MENU || type == wxEVT_BUTTON || type == wxEVT_TOOL) {
        if (OnExecuteCommand(event.GetId())) return true;
    }
    return wxPanel::TryBefore(event);
}

bool CBaseView::RouteCommand(wxCommandEvent& event)
{
    return ProcessWindowEventLocally(event);
}

bool CBaseView::RouteUpdateUI(wxUpdateUIEvent& event)
{
    return ProcessWindowEventLocally(event);
}

void CBaseView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CBaseView::OnUpdate(CBaseView*, long, void*)
{
    Refresh();
}

CKestrelMediaDoc* CBaseView::GetDocument() const
{
    CKestrelMediaApp* app = CKestrelMediaApp::Get();
    return app ? app->GetDocument() : nullptr;
}

void CBaseView::OnContextMenu(wxContextMenuEvent& event)
{
    CKestrelMediaApp* app = CKestrelMediaApp::Get();
    if (!app || !m_nContextMenuId || !app->GetContextMenus().ShowPopupMenu(m_nContextMenuId, event.GetPosition(), this))
        event.Skip();
}

void CBaseView::OnSize(wxSizeEvent& event)
{
    event.Skip();  // the panel lays out first
    wxSize size = GetClientSize();
    SaveLayout(size.x, size.y);
}

void CBaseView::SaveLayout(int cx, int cy)
{
    if (!ShouldSaveViewLayout(m_strLayoutName, g_pageSwitching, cx, cy)) return;
    CSettingsStore& store = CSettingsStore::Instance();
    store.SetInt(L"Workspace", m_strLayoutName + L"_x", cx);
    store.SetInt(L"Workspace", m_strLayoutName + L"_y", cy);
}
