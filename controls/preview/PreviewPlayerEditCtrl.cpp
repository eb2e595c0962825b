#include "controls/preview/PreviewPlayerEditCtrl.h"
#include <cmath>
#include <wx/dc.h>
#include <wx/settings.h>

wxPoint CPreviewPlayerEditCtrl::ToSource(const wxPoint& client) const
{
    return wxPoint(static_cast<int>(std::lround((client.x - m_rcImage.x) * m_dScale)),
                   static_cast<int>(std::lround((client.y - m_rcImage.y) * m_dScale)));
}

wxPoint CPreviewPlayerEditCtrl::ToClient(const wxPoint& source) const
{
    const double scale = m_dScale > 0 ? m_dScale : 1.0;
    return wxPoint(static_cast<int>(std::lround(source.x / scale)) + m_rcImage.x,
                   static_cast<int>(std::lround(source.y / scale)) + m_rcImage.y);
}

void CPreviewPlayerEditCtrl::PaintAll(wxDC& dc, FRAME_RECORD* record)
{
    const wxRect client = GetClientRect();
    dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
    dc.Clear();
    wxRect image = client;
    image.Deflate(50);
    m_rcImage = image;
    wxRect fitted = client;
    double scale = m_dScale;
    if (GetImageRect(fitted, scale)) {
        m_rcImage = fitted;
        m_dScale = scale;
    }
    dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW)));
    dc.SetBrush(*wxWHITE_BRUSH);
    dc.DrawRectangle(wxRect(m_rcImage).Inflate(1));
    RenderFrame(dc, record, client);
    DrawOverlay(dc, client);
    if (StripHeight())
        DrawStrip(dc, client);
}
