#include "shell/views/SourceTypeFileViewProperties.h"
#include "controls/grid/PropertiesCtrl.h"
#include "controls/ids/CommandIds.h"
#include "controls/ids/WindowMessages.h"
#include "player/Player.h"
#include "shell/KestrelMediaDoc.h"
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
    RegisterCommands();
    if (CKestrelMediaDoc* doc = GetDocument())
        m_projectRegistration = doc->GetProjectReplacedNotice().Register(this);
    return true;
}

void CSourceTypeFileViewProperties::OnProjectReplacing(CProject*, CProject*)
{
    m_grid->SetSource(nullptr);
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

void CSourceTypeFileViewProperties::RegisterCommands()
{
    m_commands
        .Add(KM::Cmd::ExpandAllProperties,
             [this] {
                 if (!m_grid->HasFlag(wxPG_AUTO_SORT))  // a sorted grid has no groups to open
                     m_grid->ExpandAll();
             })
        .Add(KM::Cmd::AlphabeticProperties, [this] { return Checked(m_grid->HasFlag(wxPG_AUTO_SORT)); },
             [this] {
                 m_grid->ToggleWindowStyle(wxPG_AUTO_SORT);
                 m_grid->SetSource(m_grid->GetSource());
             });
}

