#include "shell/panes/FiltersPane.h"
#include "controls/grid/PropertiesFrameCtrl.h"
#include "controls/preview/PreviewPlayerCtrl.h"
#include "model/project/Project.h"
#include "shell/KMSplitterExWnd.h"
#include "shell/KestrelMediaDoc.h"

CFiltersPane::CFiltersPane(CKestrelMediaDoc* doc, wxWindow* view, CKMSplitterExWnd* splitter)
    : CPlayerPane(doc, view, splitter, 408)
{
    m_preview = new CPreviewPlayerCtrl;
    m_preview->Create(view, 1);
    m_settings = new CPropertiesFrameCtrl;
    m_settings->Create(view);
    m_pMainWnd = m_preview;
}

void CFiltersPane::Show()
{
    ShowWindows({m_preview, m_settings, m_pSplitter}, true);
}

void CFiltersPane::Hide()
{
    ShowWindows({m_preview, m_settings, m_pSplitter}, false);
}

void CFiltersPane::Layout(int left, int top, int right, int bottom)
{
    const int w = ColumnWidth();
    Place(m_pSplitter, right - w - 7, top, 7, bottom - top);
    Place(m_preview, kPaneBarWidth, top, right - left - w - 107, bottom - top);
    Place(m_settings, right - w, top, w, bottom - top);
}

void CFiltersPane::Apply(uintptr_t wParam, intptr_t)
{
    if (wParam != 0)
        m_pView->CallAfter([this] { m_settings->Refresh(); });
    CProject* project = Project();
    if (project && project->GetCurrentOutput())
        RefreshPreviewFilters();
}

void CFiltersPane::ResetToDefaults(int flag)
{
    CProject* project = Project();
    CFrameFileObj* output = project ? project->GetCurrentOutput() : nullptr;
    if (!output)
        return;
    output->m_filters.Reset();
    if (flag)
        BindCurrentFile();
}

void CFiltersPane::BindCurrentFile()
{
    CProject* project = Project();
    CFrameFileObj* output = project ? project->GetCurrentOutput() : nullptr;
    if (!output)
        return;
    Unbind();
    m_preview->SetItem(m_pDoc->GetCurrentFile());
    BindPreviewEdits(output);
    m_settings->Grid().BuildRowsFromParameterTree(&output->m_filters, nullptr, true);
}

void CFiltersPane::Unbind()
{
    m_settings->Grid().BuildRowsFromParameterTree(nullptr, nullptr, true);
    CPlayerPane::Unbind();
}
