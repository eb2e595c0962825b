#include "controls/editors/EditMarks.h"
#include <wx/brush.h>
#include <wx/dc.h>
#include <wx/pen.h>

void CEditMarks::DrawFrame(wxDC& dc, const std::vector<RECT>& strips, bool enabled)
{
    const wxBitmap& pattern = (enabled ? m_frame : m_frameDisabled).Bitmap();
    // Without its picture the frame is still seen, plain black.
    const wxBrush brush = pattern.IsOk() ? wxBrush(pattern) : *wxBLACK_BRUSH;
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(brush);
    for (const RECT& s : strips) {
        if (s.right > s.left && s.bottom > s.top)
            dc.DrawRectangle(s.left, s.top, s.right - s.left, s.bottom - s.top);
    }
    dc.SetBrush(wxNullBrush);
}

void CEditMarks::DrawHandles(wxDC& dc, const std::vector<POINT>& points, bool enabled)
{
    KM::CBitmapDC& handle = enabled ? m_handle : m_handleDisabled;
    for (const POINT& p : points)
        handle.Draw(dc, wxRect(p.x, p.y, 10, 10));
}
