#include "controls/editors/CropEditCtrl.h"
#include "controls/editors/EditorWx.h"
#include <wx/cursor.h>
#include <wx/dc.h>

CCropEditCtrl::CCropEditCtrl() : CCropEditCtrl(std::make_unique<CCropEditModel>()) {}

CCropEditCtrl::CCropEditCtrl(std::unique_ptr<CCropEditModel> model) : m_pModel(std::move(model))
{
    m_pModel->SetCallback(this);
}

bool CCropEditCtrl::Create(wxWindow* parent, wxWindowID id)
{
    if (!CPreviewPlayerEditCtrl::Create(parent, id))
        return false;
    // The editor's handlers run before the strip's own, which they pass on.
    Bind(wxEVT_LEFT_DOWN, &CCropEditCtrl::OnMouseDown, this);
    Bind(wxEVT_MOTION, &CCropEditCtrl::OnMouseMove, this);
    Bind(wxEVT_LEFT_UP, &CCropEditCtrl::OnMouseUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CCropEditCtrl::OnCaptureLost, this);
    Bind(wxEVT_KEY_DOWN, &CCropEditCtrl::OnKeyDown, this);
    return true;
}

void CCropEditCtrl::SetCrop(CCropObj* crop, bool edit)
{
    m_pModel->SetCropObj(crop);
    m_pModel->SetEditMode(edit);
    Redraw();
}

void CCropEditCtrl::SyncView()
{
    m_pModel->SetView(ToRect(m_rcImage), m_dScale, ToRect(GetClientRect()));
    m_pModel->SetEnabled(IsEnabled());
}

void CCropEditCtrl::DrawOverlay(wxDC& dc, const wxRect&)
{
    SyncView();
    if (!m_pModel->IsEditMode() || !m_pModel->ShowsFrame())
        return;
    const RECT rc = m_pModel->GetCropRect(ToRect(m_rcImage));
    const bool enabled = IsEnabled();
    m_marks.DrawFrame(dc, CCropEditModel::FrameStrips(rc), enabled);
    m_marks.DrawHandles(dc, CCropEditModel::HandlePoints(rc), enabled);
}

void CCropEditCtrl::AdjustChain(EditChain& chain) const
{
    if (m_pModel->IsEditMode()) {
        chain.crop = RECT{};
        chain.eraser.nType = ERASER_NONE;
    }
}

// Every change, each step of a drag included, redraws and tells the owner, so
// its grid and Apply follow the mouse.
void CCropEditCtrl::OnChange()
{
    Redraw();
    if (m_onChange)
        m_onChange();
}

void CCropEditCtrl::OnMouseDown(wxMouseEvent& event)
{
    const wxPoint p = event.GetPosition();
    SyncView();
    if (m_pModel->IsEditMode() && p.y < GetClientSize().y - StripHeight() && m_pModel->OnButtonDown(POINT{p.x, p.y})) {
        m_bDragging = true;
        if (!HasCapture())
            CaptureMouse();
        return;
    }
    event.Skip();
}

void CCropEditCtrl::OnMouseMove(wxMouseEvent& event)
{
    const wxPoint p = event.GetPosition();
    m_pModel->SetEnabled(IsEnabled());
    if (m_pModel->IsEditMode()) {
        if (m_pModel->OnMouseMove(POINT{p.x, p.y}))
            Redraw();
        SetCursor(wxCursor(ToStockCursor(m_pModel->CursorAt(POINT{p.x, p.y}))));
    }
    event.Skip();
}

void CCropEditCtrl::OnMouseUp(wxMouseEvent& event)
{
    if (!m_bDragging) {
        event.Skip();
        return;
    }
    if (HasCapture())
        ReleaseMouse();
    EndDrag();
}

void CCropEditCtrl::OnCaptureLost(wxMouseCaptureLostEvent& event)
{
    // The drag ends where the mouse was last seen; the strip's own drag too.
    if (m_bDragging)
        EndDrag();
    event.Skip();
}

void CCropEditCtrl::EndDrag()
{
    m_pModel->OnButtonUp();
    m_bDragging = false;
    Redraw();
}

void CCropEditCtrl::OnKeyDown(wxKeyEvent& event)
{
    if (event.GetKeyCode() == WXK_ESCAPE && m_pModel->ResetCrop())
        return;
    event.Skip();
}
