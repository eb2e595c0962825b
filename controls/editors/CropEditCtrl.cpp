#include "controls/editors/CropEditCtrl.h"
#include <wx/dc.h>

namespace {

RECT ToRect(const wxRect& r)
{
    return RECT{r.x, r.y, r.x + r.width, r.y + r.height};
}

wxStockCursor StockCursor(EEditCursor c)
{
    switch (c) {
    case EEditCursor::SizeNWSE: return wxCURSOR_SIZENWSE;
    case EEditCursor::SizeNESW: return wxCURSOR_SIZENESW;
    case EEditCursor::SizeNS: return wxCURSOR_SIZENS;
    case EEditCursor::SizeWE: return wxCURSOR_SIZEWE;
    case EEditCursor::SizeAll: return wxCURSOR_SIZING;
    case EEditCursor::Hand: return wxCURSOR_HAND;
    default: return wxCURSOR_ARROW;
    }
}

}  // namespace

CCropEditCtrl::CCropEditCtrl()
{
    m_model.SetCallback(this);
}

bool CCropEditCtrl::Create(wxWindow* parent, wxWindowID id)
{
    if (!CPreviewPlayerEditCtrl::Create(parent, id))
        return false;
    // The editor's handlers run before the strip's own, which they pass on.
    Bind(wxEVT_LEFT_DOWN, &CCropEditCtrl::OnMouseDown, this);
    Bind(wxEVT_MOTION, &CCropEditCtrl::OnMouseMove, this);
    Bind(wxEVT_LEFT_UP, &CCropEditCtrl::OnMouseUp, this);
    return true;
}

void CCropEditCtrl::SetCrop(CCropObj* crop, bool edit)
{
    m_model.SetCropObj(crop);
    m_model.SetEditMode(edit);
    Redraw();
}

void CCropEditCtrl::SyncView()
{
    m_model.SetView(ToRect(m_rcImage), m_dScale, ToRect(GetClientRect()));
}

void CCropEditCtrl::DrawOverlay(wxDC& dc, const wxRect&)
{
    SyncView();
    if (!m_model.IsEditMode() || !m_model.ShowsFrame())
        return;
    const RECT rc = m_model.GetCropRect(ToRect(m_rcImage));
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxColour(255, 140, 0)));
    for (const RECT& s : CCropEditModel::FrameStrips(rc))
        dc.DrawRectangle(s.left, s.top, s.right - s.left, s.bottom - s.top);
    dc.SetPen(*wxBLACK_PEN);
    dc.SetBrush(*wxWHITE_BRUSH);
    for (const POINT& p : CCropEditModel::HandlePoints(rc))
        dc.DrawRectangle(p.x, p.y, 10, 10);
}

void CCropEditCtrl::ApplyCropErase(FRAME_RECORD& record)
{
    if (!m_model.IsEditMode())
        ApplyCrop(record);
    ApplyErase(record);
}

void CCropEditCtrl::OnChange()
{
    Redraw();
    if (m_onChange)
        m_onChange();
}

void CCropEditCtrl::OnMouseDown(wxMouseEvent& event)
{
    const wxPoint p = event.GetPosition();
    if (m_model.IsEditMode() && p.y < GetClientSize().y - StripHeight()) {
        SyncView();
        if (m_model.OnButtonDown(POINT{p.x, p.y})) {
            CaptureMouse();
            return;
        }
    }
    event.Skip();
}

void CCropEditCtrl::OnMouseMove(wxMouseEvent& event)
{
    const wxPoint p = event.GetPosition();
    if (m_model.IsEditMode()) {
        if (m_model.OnMouseMove(POINT{p.x, p.y}))
            Redraw();
        SetCursor(wxCursor(StockCursor(m_model.CursorAt(POINT{p.x, p.y}))));
    }
    event.Skip();
}

void CCropEditCtrl::OnMouseUp(wxMouseEvent& event)
{
    if (m_model.OnButtonUp()) {
        if (HasCapture())
            ReleaseMouse();
        Redraw();
        return;
    }
    event.Skip();
}
