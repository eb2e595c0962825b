#include "shell/frame/KMRibbonBar.h"
#include "shell/BaseView.h"

CKMRibbonBar::CKMRibbonBar(wxWindow* parent, wxWindowID id)
    : wxRibbonBar(parent, id, wxDefaultPosition, wxDefaultSize,
                  wxRIBBON_BAR_SHOW_PAGE_LABELS | wxRIBBON_BAR_FLOW_HORIZONTAL)
{
    Bind(wxEVT_RIBBONBAR_PAGE_CHANGING, &CKMRibbonBar::OnPageChanging, this);
    Bind(wxEVT_RIBBONBAR_PAGE_CHANGED, &CKMRibbonBar::OnPageChanged, this);
}

void CKMRibbonBar::SetActiveCategory(wxRibbonPage* page)
{
    CBaseView::SetPageSwitching(true);
    SetActivePage(page);
    RunChange();
}

void CKMRibbonBar::OnPageChanging(wxRibbonBarEvent& event)
{
    CBaseView::SetPageSwitching(true);
    event.Skip();
}

void CKMRibbonBar::OnPageChanged(wxRibbonBarEvent& event)
{
    RunChange();
    event.Skip();
}

void CKMRibbonBar::RunChange()
{
    CBaseView::SetPageSwitching(true);
    if (m_onChanged)
        m_onChanged();
    CBaseView::SetPageSwitching(false);
}
