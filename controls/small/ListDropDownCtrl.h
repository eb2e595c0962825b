#pragma once
// A report list that drags a drag image: the derived list starts the drag
// (BeginDragImage) and handles the drop; this base moves the image with the
// mouse and ends the drag when the button is released.
#include <memory>
#include <wx/listctrl.h>  // before dragimag.h, which needs the build settings
#include <wx/dragimag.h>

class CListDropDownCtrl : public wxListCtrl {
public:
    CListDropDownCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                      const wxSize& size = wxDefaultSize, long style = wxLC_REPORT);

    // Starts dragging image from a point of this list (mouse captured, cursor
    // hidden); false when the image cannot be dragged.
    bool BeginDragImage(std::unique_ptr<wxDragImage> image, const wxPoint& clientPoint);
    bool IsDragging() const { return m_bDragging != 0; }

protected:
    int m_bDragging = 0;

private:
    void OnMouseMove(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void EndDragImage();
    void OnCaptureLost(wxMouseCaptureLostEvent& event);

    std::unique_ptr<wxDragImage> m_dragImage;
};
