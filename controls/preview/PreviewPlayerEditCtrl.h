#pragma once
// Base of the visual editors: a preview control that remembers, at every
// paint, where the picture lies and how many source pixels one window pixel
// covers, frames the picture area, and lets the editor draw its marks over the
// picture before the strip.
#include "controls/preview/PreviewPlayerCtrl.h"

class CPreviewPlayerEditCtrl : public CPreviewPlayerCtrl {
public:
    // Where the picture was drawn at the last paint (client pixels).
    wxRect m_rcImage;
    // Source pixels per client pixel at the last paint.
    double m_dScale = 1.0;

    // Window to source coordinates and back, by the last paint.
    wxPoint ToSource(const wxPoint& client) const;
    wxPoint ToClient(const wxPoint& source) const;

protected:
    // The editor's marks, drawn after the picture and before the strip.
    virtual void DrawOverlay(wxDC& dc, const wxRect& client) = 0;
    void PaintAll(wxDC& dc, FRAME_RECORD* record) override;
};
