#pragma once
// The task-pane look the timeline pane's controls and the caption windows
// share: the pane's background, the group caption band and the group's
// interior and border.
#include <wx/dc.h>

namespace TaskPaneLook {
// Colours as 0x00BBGGRR values.
constexpr unsigned kPaneBackground = 0xF2E6DA;
constexpr unsigned kCaptionFill = 0xE8CDB4;
constexpr unsigned kCaptionText = 0x6E1500;
constexpr unsigned kCaptionHotText = 0xCC6600;  // a caption under the mouse
constexpr unsigned kInterior = 0xFFFBF7;
constexpr unsigned kBorder = 0xD6BFA8;

void FillPaneBackground(wxDC& dc, const wxRect& r);
// The caption band with its text, bold, left.
void DrawGroupCaption(wxDC& dc, const wxRect& r, const wxString& text, const wxFont& font,
                      unsigned textColour = kCaptionText);
void FillGroupInterior(wxDC& dc, const wxRect& r);
void DrawGroupBorder(wxDC& dc, const wxRect& r);
}  // namespace TaskPaneLook
