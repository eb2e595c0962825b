#include "shell/panes/FiltersPane.h"
#include "controls/grid/PropertiesFrameCtrl.h"
#include "controls/preview/PreviewPlayerCtrl.h"
#include "model/project/Project.h"
#include "shell/KMSplitterExWnd.h"
#include "document/KestrelMediaDoc.h"

CFiltersPane::CFiltersPane(CKestrelMediaDoc* doc, wxWindow* view, CKMSplitterExWnd* splitter)
    : CPlayerPane(doc, view, splitter, 408)
{
    m_preview = new CPreviewPlayerCtrl;
    m_preview->Create(view, 1);
    m_settings = new CPropertiesFrameCtrl;
    m_settings->Create(view);
    m_pMainWnd = m_preview;
}

std::vector<wxWindow*> CFiltersPane::Windows() const
{
    return {m_preview, m_settings, m_pSplitter};
}

void CFiltersPane::Layout(int left, int top, int right, int bottom)
{
    const int width = PlaceSettingsColumn(m_settings, left, top, right, bottom);
    Place(m_preview, kPaneBarWidth, top, width, bottom - top);
}

void CFiltersPane::Apply(uintptr_t wParam, intptr_t)
{
    if (wParam != 0)
        m_pView->CallAfter([this] { m_settings->Refresh(); });
    if (CurrentOutput())
        RedrawPlayer();
}

void CFiltersPane::ResetToDefaults(int flag)
{
    CFrameFileObj* output = CurrentOutput();
    if (!output)
        return;
    output->m_filters.Reset();
    if (flag)
        BindCurrentFile();
}

void CFiltersPane::BindCurrentFile()
{
    CFrameFileObj* output = CurrentOutput();
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
