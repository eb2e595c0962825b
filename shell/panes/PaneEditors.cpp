#include "shell/panes/PaneEditors.h"
#include "controls/draw/MediaTimeText.h"
#include "controls/editors/WatermarkPropertiesCallback.h"
#include "model/edit/EraserObj.h"
#include "model/edit/WatermarksObj.h"
#include "model/source/KMFile.h"
#include <algorithm>
#include <wx/dcbuffer.h>
#include <wx/settings.h>

void CEraserEditorAdapter::SetEraserEdit(int edit)
{
    m_nEraserEdit = edit;
    SetEraser(m_pRecord, edit == 1);
}

void CEraserEditorAdapter::SetEraserRecord(CEraserObj* eraser)
{
    m_pRecord = eraser;
    SetEraser(eraser, m_nEraserEdit == 1);
}

void CWatermarkEditorAdapter::SetItem(CKMFile* entry, CWatermarksObj* list)
{
    const WatermarkId selection = SelectedId();
    if (list != GetWatermarks())
        SetWatermarks(list);
    else
        Reload();
    // The selection stays while its watermark is still in the list.
    SetSelection(list && list->FindById(selection) ? selection : kNoWatermarkId);
    CWatermarkCtrl::SetItem(entry);
}

void CWatermarkEditorAdapter::SetCallback(::IWatermarkPropertiesCallback* callback)
{
    m_pPaneCallback = callback;
    CWatermarkCtrl::SetCallback(callback);
}

CWatermarkObj* CWatermarkEditorAdapter::Selected() const
{
    CWatermarksObj* list = GetWatermarks();
    return list ? list->FindById(SelectedId()) : nullptr;
}

void CWatermarkEditorAdapter::SelectWatermark(CWatermarkObj* watermark)
{
    SetSelection(watermark ? watermark->GetId() : kNoWatermarkId);
    if (m_pPaneCallback)
        m_pPaneCallback->OnWatermarkSelected(Selected());
    Redraw();
}
