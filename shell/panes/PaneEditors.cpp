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

bool CTimelineStandIn::Create(wxWindow* parent, wxWindowID id)
{
    if (!wxWindow::Create(parent, id, wxDefaultPosition, wxDefaultSize, wxFULL_REPAINT_ON_RESIZE))
        return false;
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CTimelineStandIn::OnPaint, this);
    return true;
}

void CTimelineStandIn::SetItem(CKMFile* entry)
{
    m_pItem = entry;
    RedrawNow();
}

void CTimelineStandIn::RedrawNow()
{
    Refresh(false);
}

void CTimelineStandIn::ZoomIn()
{
    m_nZoom = std::max(m_nZoom - 1, 0);
    RedrawNow();
}

void CTimelineStandIn::ZoomOut()
{
    m_nZoom = std::min(m_nZoom + 1, 9);
    RedrawNow();
}

void CTimelineStandIn::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    const wxSize size = GetClientSize();
    if (!m_pItem || m_pItem->m_duration <= 0)
        return;
    const double scale = static_cast<double>(size.x) / static_cast<double>(m_pItem->m_duration);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxColour(120, 160, 220)));
    const uint32_t count = m_pItem->m_timelines.GetCount();
    for (uint32_t i = 0; i < count; ++i) {
        const CTimelineObj* range = m_pItem->m_timelines.GetAt(i);
        const int x0 = static_cast<int>(range->m_startTime * scale), x1 = static_cast<int>(range->m_endTime * scale);
        dc.DrawRectangle(x0, size.y / 3, std::max(x1 - x0, 1), size.y / 3);
    }
    dc.SetPen(*wxRED_PEN);
    const int x = static_cast<int>(m_pItem->m_currentPosition * scale);
    dc.DrawLine(x, 0, x, size.y);
}

bool CTimelinesStandIn::Create(wxWindow* parent, wxWindowID id)
{
    if (!wxListCtrl::Create(parent, id, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxLC_SINGLE_SEL))
        return false;
    AppendColumn(wxString(), wxLIST_FORMAT_LEFT, 200);
    return true;
}

wxString CTimelinesStandIn::RowText(CKMFile& entry, int index)
{
    const CTimelineObj* range = entry.m_timelines.GetAt(static_cast<uint32_t>(index));
    return FormatMediaTime(range->m_startTime) + " - " + FormatMediaTime(range->m_endTime);
}

void CTimelinesStandIn::SetItem(CKMFile* entry)
{
    m_pItem = entry;
    DeleteAllItems();
    if (!entry)
        return;
    const int count = static_cast<int>(entry->m_timelines.GetCount());
    for (int i = 0; i < count; ++i)
        InsertItem(i, RowText(*entry, i));
    if (entry->m_currentTimeline >= 0 && entry->m_currentTimeline < count)
        SetItemState(entry->m_currentTimeline, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
}

void CTimelinesStandIn::UpdateCurrentRow()
{
    if (!m_pItem)
        return;
    const int row = m_pItem->m_currentTimeline;
    if (row >= 0 && row < GetItemCount() && row < static_cast<int>(m_pItem->m_timelines.GetCount()))
        SetItemText(row, RowText(*m_pItem, row));
    else
        SetItem(m_pItem);
}
