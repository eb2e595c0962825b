#include "shell/panes/AdvancedPane.h"
#include "controls/format/ListViewFrame.h"
#include <wx/imaglist.h>
#include "controls/grid/PropertiesEditCtrl.h"
#include "model/output/OutputFileObj.h"
#include "shell/KMSplitterExWnd.h"
#include "shell/panes/PaneOutputs.h"

CAdvancedPane::CAdvancedPane(CKestrelMediaDoc* doc, wxWindow* view, CKMSplitterExWnd* splitter)
    : CBaseEditPane(doc, view, splitter, 410)
{
    m_grid = new CPropertiesEditCtrl(view, 2);
    m_list = new CListViewFrameAdv;
    m_list->Create(view, wxRect(0, 0, 100, 100), this);
    m_pMainWnd = m_grid;
}

std::vector<wxWindow*> CAdvancedPane::Windows() const
{
    return {m_grid, m_list, m_pSplitter};
}

void CAdvancedPane::Layout(int left, int top, int right, int bottom)
{
    const int width = PlaceSettingsColumn(m_grid, left, top, right, bottom);
    Place(m_list, kPaneBarWidth, top, width, bottom - top);
}

void CAdvancedPane::RebuildGrid()
{
    const CSchemaProperty* selected = CPropertiesEditCtrl::RowProperty(m_grid->GetSelection());
    m_grid->SetRebuilding(true);
    m_grid->BuildRowsFromParameterTree(m_grid->GetTree(), m_grid->GetContext(), true);
    m_grid->SetRebuilding(false);
    if (wxPGProperty* row = m_grid->FindRow(selected))
        m_grid->SelectProperty(row, false);
}

void CAdvancedPane::Apply(uintptr_t wParam, intptr_t)
{
    if (wParam != 0)
        m_pView->CallAfter([this] { RebuildGrid(); });
}

void CAdvancedPane::ResetToDefaults(int flag)
{
    COutputFileObj* settings = ChooseAdvancedTarget(Project()).settings;
    if (!settings)
        return;
    const int32_t operation = settings->adv_operation;
    settings->InitDefaults();
    settings->adv_operation = operation;
    if (flag)
        BindCurrentFile();
}

void CAdvancedPane::BindCurrentFile()
{
    const AdvancedTarget target = ChooseAdvancedTarget(Project());
    if (!target.settings)
        return;
    Unbind();
    m_grid->BuildRowsFromParameterTree(target.settings, nullptr, true);
    m_list->SelectByData(target.listKind, target.settings->adv_operation);
}

void CAdvancedPane::Unbind()
{
    m_grid->BuildRowsFromParameterTree(nullptr, nullptr, true);
}

void CAdvancedPane::OnFormatChanged(int id)
{
    SetModified();
    COutputFileObj* settings = ChooseAdvancedTarget(Project()).settings;
    if (!settings)
        return;
    settings->adv_operation = id;
    settings->UpdateStates();
    RebuildGrid();
}

int CAdvancedPane::GetCurrentFormat()
{
    COutputFileObj* settings = ChooseAdvancedTarget(Project()).settings;
    return settings ? settings->adv_operation : 0;
}
