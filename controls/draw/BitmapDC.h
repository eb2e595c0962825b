#pragma once
// A resource picture kept ready for repeated drawing: attached by its owner or
// loaded from the resource library by id on first use, then kept (one blit a draw).
// A missing picture draws nothing.
#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/dc.h>

namespace KM {

class CBitmapDC {
public:
    explicit CBitmapDC(int resourceId = -1) : m_resourceId(resourceId) {}
    // Takes the picture now; no loading later.
    void Attach(const wxBitmap& bitmap);

    // The top-left part of the picture of rect's size at rect's corner, unscaled.
    bool Draw(wxDC& dc, const wxRect& rect);
    // The top-left width x height part at (x, y), unscaled, without the pixels
    // of the key colour (callers use magenta).
    bool DrawTransparent(wxDC& dc, int x, int y, int width, int height, const wxColour& key);

    const wxBitmap& Bitmap();

private:
    void EnsureLoaded();

    wxBitmap m_bitmap;
    wxBitmap m_keyed;      // the picture with the key colour masked, made once
    wxColour m_keyColour;
    int m_resourceId;
};

}  // namespace KM
