#include "controls/small/ListDropDownCtrl.h"

CListDropDownCtrl::CListDropDownCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
    : wxListCtrl(parent, id, pos, size, style)
{
    Bind(wxEVT_MOTION, &CListDropDownCtrl::OnMouseMove, this);
    Bind(wxEVT_LEFT_UP, &CListDropDownCtrl::OnLeftUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CListDropDownCtrl::OnCaptureLost, this);
}

bool CListDropDownCtrl::BeginDragImage(std::unique_ptr<wxDragImage> image, const wxPoint& clientPoint)
{
    if (!image || m_bDragging) return false;
    if (!image->BeginDrag(wxPoint(0, 0), this)) return false;  // captures the mouse
    m_dragImage = std::move(image);
    m_dragImage->Move(clientPoint);
    m_dragImage->Show();
    SetCursor(wxCursor(wxCURSOR_BLANK));
    m_bDragging = 1;
    return true;
}

void CListDropDownCtrl::OnMouseMove(wxMouseEvent& event)
{
    if (m_bDragging && m_dragImage) m_dragImage->Move(event.GetPosition());
    event.Skip();
}

void CListDropDownCtrl::EndDragImage()
{
    if (!m_bDragging) return;
    m_bDragging = 0;
    if (m_dragImage) {
        m_dragImage->Hide();
        m_dragImage->EndDrag();  // releases the capture
        m_dragImage.reset();
    }
    SetCursor(wxNullCursor);
}

void CListDropDownCtrl::OnLeftUp(wxMouseEvent& event)
{
    EndDragImage();
    event.Skip();
}

void CListDropDownCtrl::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    // Another window took the mouse: the drag is over, nothing is dropped.
    EndDragImage();
}
