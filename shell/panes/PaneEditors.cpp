#include "shell/panes/PaneEditors.h"
#include "controls/draw/MediaTimeText.h"
#include "controls/editors/WatermarkPropertiesCallback.h"
#include "model/edit/WatermarksObj.h"
#include "model/source/KMFile.h"
#include <algorithm>
#include <wx/dcbuffer.h>
#include <wx/settings.h>

void CEraserPreviewStandIn::ApplyCropErase(FRAME_RECORD& record)
{
    ApplyCrop(record);
    if (m_nEraserEdit == 0)
        ApplyErase(record);
}

void CWatermarkStandIn::SetItem(CKMFile* entry, CWatermarksObj* list)
{
    m_pList = list;
    Reload();
    CPreviewPlayerCtrl::SetItem(entry);
}

CWatermarkObj* CWatermarkStandIn::Selected() const
{
    return m_pList ? m_pList->FindById(m_selection) : nullptr;
}

void CWatermarkStandIn::SelectWatermark(CWatermarkObj* watermark)
{
    m_selection = watermark ? watermark->GetId() : kNoWatermarkId;
    if (m_pCallback)
        m_pCallback->OnWatermarkSelected(Selected());
    Redraw();
}

void CWatermarkStandIn::Reload()
{
    // Without a list the selection waits for the next one; identities are never reused.
    if (m_pList && !Selected())
        m_selection = kNoWatermarkId;
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
