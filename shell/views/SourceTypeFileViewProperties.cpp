#include "shell/views/SourceTypeFileViewProperties.h"
#include "controls/grid/PropertiesCtrl.h"
#include "controls/ids/WindowMessages.h"
#include "player/Player.h"
#include "document/KestrelMediaDoc.h"
#include <wx/sizer.h>

CSourceTypeFileViewProperties::CSourceTypeFileViewProperties()
{
    m_nContextMenuId = 331;
    m_strLayoutName = L"SourceTypeFileProperties";
}

bool CSourceTypeFileViewProperties::Create(wxWindow* parent, wxWindowID id)
{
    if (!CBaseView::Create(parent, id))
        return false;
    m_grid = new CPropertiesCtrl(this, 2);
    m_grid->SetOwnerWindow(this);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_grid, 1, wxEXPAND);
    SetSizer(sizer);
    Bind(EVT_KM_GRID_CHANGED, &CSourceTypeFileViewProperties::OnGridChanged, this);
    return true;
}

void CSourceTypeFileViewProperties::OnInitialUpdate()
{
    CKestrelMediaDoc* doc = GetDocument();
    m_grid->SetSource(doc ? doc->GetCurrentFile() : nullptr);
}

void CSourceTypeFileViewProperties::OnGridChanged(KM::CWindowMessageEvent& event)
{
    if (CKestrelMediaDoc* doc = GetDocument())
        doc->SetModifiedFlag(true);
    m_grid->SetSource(m_grid->GetSource());
    if (CPlayer* player = CPlayer::Instance())
        player->CloseItem();
    event.SetResult(0);
}

bool CSourceTypeFileViewProperties::OnUpdateCommand(int id, wxUpdateUIEvent& ui)
{
    if (id == kExpandAll) {
        ui.Enable(true);
        return true;
    }
    if (id == kAlphabetic) {
        ui.Enable(true);
        ui.Check(m_grid->HasFlag(wxPG_AUTO_SORT));
        return true;
    }
    return false;
}

bool CSourceTypeFileViewProperties::OnExecuteCommand(int id)
{
    if (id == kExpandAll) {
        if (!m_grid->HasFlag(wxPG_AUTO_SORT))
            m_grid->ExpandAll();
        return true;
    }
    if (id == kAlphabetic) {
        m_grid->ToggleWindowStyle(wxPG_AUTO_SORT);
        m_grid->SetSource(m_grid->GetSource());
        return true;
    }
    return false;
}
