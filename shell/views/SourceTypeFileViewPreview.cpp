#include "shell/views/SourceTypeFileViewPreview.h"
#include "controls/preview/PreviewPlayerCtrl.h"
#include "shell/KestrelMediaDoc.h"
#include <wx/sizer.h>

CSourceTypeFileViewPreview::CSourceTypeFileViewPreview()
{
    m_nContextMenuId = 330;
    m_strLayoutName = L"SourceTypeFilePreview";
}

bool CSourceTypeFileViewPreview::Create(wxWindow* parent, wxWindowID id)
{
    if (!CPlayerBaseView::Create(parent, id))
        return false;
    m_ctrl = new CPreviewPlayerCtrl;
    if (!m_ctrl->Create(this, 1))
        return false;
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_ctrl, 1, wxEXPAND);
    SetSizer(sizer);
    if (CKestrelMediaDoc* doc = GetDocument())
        m_projectRegistration = doc->GetProjectReplacedNotice().Register(this);
    return true;
}

void CSourceTypeFileViewPreview::OnProjectReplacing(CProject*, CProject*)
{
    m_ctrl->SetItem(nullptr);
}

void CSourceTypeFileViewPreview::OnInitialUpdate()
{
    CKestrelMediaDoc* doc = GetDocument();
    m_ctrl->SetItem(doc ? doc->GetCurrentFile() : nullptr);
}

void CSourceTypeFileViewPreview::RedrawPlayer()
{
    m_ctrl->Redraw();
}

void CSourceTypeFileViewPreview::PlayerCommand(int command)
{
    m_ctrl->OnPlayerButton(command);
}
