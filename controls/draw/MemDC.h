#pragma once
// Double buffering for one paint: draw into the CMemDC with coordinates
// relative to the rectangle's corner; its destruction copies the picture to
// the target DC at the rectangle. Exists only for the span of one paint.
#include <wx/bitmap.h>
#include <wx/dcmemory.h>

namespace KM {

class CMemDC : public wxMemoryDC {
public:
    CMemDC(wxDC& target, const wxRect& rect);
    ~CMemDC() override;
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

private:
    wxDC& m_target;
    wxRect m_rect;
    wxBitmap m_bitmap;
};

}  // namespace KM
