#include "controls/editors/WatermarkCtrl.h"
#include "controls/editors/EditorWx.h"
#include "model/edit/WatermarksObj.h"
#include <wx/cursor.h>
#include <wx/dc.h>

CWatermarkCtrl::CWatermarkCtrl()
{
    m_model.SetCallback(this);
}

bool CWatermarkCtrl::Create(wxWindow* parent, wxWindowID id)
{
    if (!CPreviewPlayerEditCtrl::Create(parent, id))
        return false;
    Bind(wxEVT_LEFT_DOWN, &CWatermarkCtrl::OnMouseDown, this);
    Bind(wxEVT_MOTION, &CWatermarkCtrl::OnMouseMove, this);
    Bind(wxEVT_LEFT_UP, &CWatermarkCtrl::OnMouseUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CWatermarkCtrl::OnCaptureLost, this);
    return true;
}

void CWatermarkCtrl::SetWatermarks(CWatermarksObj* list)
{
    m_model.SetSource(list);
    Reload();
}

void CWatermarkCtrl::Reload()
{
    if (m_model.DragMode() != CWatermarkEditModel::kNone) {
        if (HasCapture())
            ReleaseMouse();
        EndDrag();
    }
    const WatermarkId kept = m_model.SelectedId();
    m_model.SetRecords({});
    SetSelection(kept);
    Redraw();
}

void CWatermarkCtrl::SetSelection(WatermarkId id)
{
    CWatermarksObj* list = m_model.Source();
    m_model.SetSelection(list && list->FindById(id) ? id : kNoWatermarkId);
    Redraw();
}

void CWatermarkCtrl::SyncView()
{
    m_model.SetView(ToRect(m_rcImage), m_dScale, ToRect(GetClientRect()));
    m_model.SetEnabled(IsEnabled());
}

// Runs inside the paint, after the chain has drawn the watermarks.
void CWatermarkCtrl::DrawOverlay(wxDC& dc, const wxRect&)
{
    SyncView();
    // No picture shown: nothing drawn on it to select.
    m_model.SetRecords(ShownPicture().IsOk() ? MarkRecords() : std::vector<WATERMARK_RECORD>{});
    const WATERMARK_RECORD* selected = m_model.SelectedRecord();
    if (!selected)
        return;
    // The selection's marks do not grey out with the window.
    m_marks.DrawFrame(dc, CWatermarkEditModel::SelectionLines(selected->rc), true);
    m_marks.DrawHandles(dc, CWatermarkEditModel::SelectionHandles(selected->rc), true);
}

void CWatermarkCtrl::OnWatermarkSelected(CWatermarkObj* watermark)
{
    if (m_pCallback)
        m_pCallback->OnWatermarkSelected(watermark);
}

void CWatermarkCtrl::OnWatermarkChanged(CWatermarkObj* watermark)
{
    if (m_pCallback)
        m_pCallback->OnWatermarkChanged(watermark);
    if (m_onChange)
        m_onChange();
}

void CWatermarkCtrl::OnMouseDown(wxMouseEvent& event)
{
    const wxPoint p = event.GetPosition();
    SyncView();
    if (p.y >= GetClientSize().y - StripHeight()) {
        event.Skip();
        return;
    }
    bool capture = false;
    if (m_model.OnButtonDown(POINT{p.x, p.y}, &capture))
        Redraw();
    if (capture) {
        if (!HasCapture())
            CaptureMouse();
        return;
    }
    event.Skip();
}

void CWatermarkCtrl::OnMouseMove(wxMouseEvent& event)
{
    const wxPoint p = event.GetPosition();
    m_model.SetEnabled(IsEnabled());
    if (m_model.OnMouseMove(POINT{p.x, p.y}))
        Redraw();
    SetCursor(wxCursor(ToStockCursor(m_model.CursorAt(POINT{p.x, p.y}))));
    event.Skip();
}

void CWatermarkCtrl::OnMouseUp(wxMouseEvent& event)
{
    if (m_model.DragMode() == CWatermarkEditModel::kNone) {
        event.Skip();
        return;
    }
    if (HasCapture())
        ReleaseMouse();
    EndDrag();
}

void CWatermarkCtrl::OnCaptureLost(wxMouseCaptureLostEvent& event)
{
    if (m_model.DragMode() != CWatermarkEditModel::kNone)
        EndDrag();
    event.Skip();
}

void CWatermarkCtrl::EndDrag()
{
    m_model.OnButtonUp();  // tells OnWatermarkChanged
    Redraw();
}
