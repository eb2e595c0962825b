#include "controls/timeline/TaskPaneLook.h"
#include "controls/res/ResourceBridge.h"
#include <wx/brush.h>
#include <wx/pen.h>

namespace TaskPaneLook {

namespace {
void Fill(wxDC& dc, const wxRect& r, unsigned colour)
{
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(KM::Res::ColourFromRef(colour)));
    dc.DrawRectangle(r);
}
}  // namespace

void FillPaneBackground(wxDC& dc, const wxRect& r)
{
    Fill(dc, r, kPaneBackground);
}

void DrawGroupCaption(wxDC& dc, const wxRect& r, const wxString& text, const wxFont& font, unsigned textColour)
{
    Fill(dc, r, kCaptionFill);
    dc.SetFont(font);
    dc.SetTextForeground(KM::Res::ColourFromRef(textColour));
    dc.SetBackgroundMode(wxTRANSPARENT);
    const wxSize extent = dc.GetTextExtent(text);
    dc.DrawText(text, r.x + 8, r.y + (r.height - extent.y) / 2);
}

void FillGroupInterior(wxDC& dc, const wxRect& r)
{
    Fill(dc, r, kInterior);
}

void DrawGroupBorder(wxDC& dc, const wxRect& r)
{
    dc.SetPen(wxPen(KM::Res::ColourFromRef(kBorder)));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(r);
}

}  // namespace TaskPaneLook
