#include "controls/editors/WatermarkCtrl.h"
#include "controls/editors/EditorWx.h"
#include "model/edit/WatermarksObj.h"
#include <wx/cursor.h>
#include <wx/dc.h>

CWatermarkCtrl::CWatermarkCtrl()
{
    m_model.SetCallback(this);
    // The renderer keeps the values it was handed: after every edit of an
    // engine item it takes them again.
    m_model.SetPushHandler([this](bool) { m_engine.ResyncEngine(); });
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
    m_engine.SetSource(list);
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
    m_engine.ResetList();
    SetSelection(kept);
    Redraw();
}

void CWatermarkCtrl::SetSelection(WatermarkId id)
{
    CWatermarksObj* list = m_model.Source();
    m_model.SetSelection(list && list->FindById(id) ? id : kNoWatermarkId);
    Redraw();
}

bool CWatermarkCtrl::Move(WatermarkId id, bool up)
{
    CWatermarksObj* list = m_model.Source();
    CWatermarkObj* obj = list ? list->FindById(id) : nullptr;
    if (!obj || !obj->GetEngineItem())
        return false;
    if (!(up ? m_engine.MoveUp(obj->GetEngineItem()) : m_engine.MoveDown(obj->GetEngineItem())))
        return false;
    SetSelection(id);
    return true;
}

bool CWatermarkCtrl::MoveUp(WatermarkId id) { return Move(id, true); }
bool CWatermarkCtrl::MoveDown(WatermarkId id) { return Move(id, false); }

void CWatermarkCtrl::SyncView()
{
    m_model.SetView(ToRect(m_rcImage), m_dScale, ToRect(GetClientRect()));
    m_model.SetEnabled(IsEnabled());
}

// Runs inside the paint, after the edit base has placed the picture.
void CWatermarkCtrl::AfterPipeline(FRAME_RECORD& record)
{
    m_engine.DrawInto(&record.cbFormat, &record.pbFormat, &record.cbData, &record.pbData, ToRect(m_rcImage), m_dScale);
    m_model.SetRecords(m_engine.GetRecords());
}

void CWatermarkCtrl::DrawOverlay(wxDC& dc, const wxRect&)
{
    SyncView();
    // No picture shown: nothing drawn on it to select.
    if (!ShownPicture().IsOk())
        m_model.SetRecords({});
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
