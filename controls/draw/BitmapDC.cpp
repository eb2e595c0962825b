#include "controls/draw/BitmapDC.h"
#include "controls/res/ResourceBridge.h"
#include <algorithm>
#include <wx/dcmemory.h>

namespace KM {

void CBitmapDC::Attach(const wxBitmap& bitmap)
{
    m_bitmap = bitmap;
    m_keyed = wxBitmap();
    m_resourceId = -1;
}

void CBitmapDC::EnsureLoaded()
{
    if (m_resourceId == -1) return;
    m_bitmap = Res::LoadBitmap(static_cast<unsigned>(m_resourceId));
    m_resourceId = -1;
}

const wxBitmap& CBitmapDC::Bitmap()
{
    EnsureLoaded();
    return m_bitmap;
}

bool CBitmapDC::Draw(wxDC& dc, const wxRect& rect)
{
    EnsureLoaded();
    if (!m_bitmap.IsOk()) return false;
    // Only what the picture has: a larger rectangle leaves the rest as it was.
    int w = std::min(rect.width, m_bitmap.GetWidth()), h = std::min(rect.height, m_bitmap.GetHeight());
    if (w <= 0 || h <= 0) return false;
    wxMemoryDC source(m_bitmap);
    return dc.Blit(rect.x, rect.y, w, h, &source, 0, 0, wxCOPY);
}

bool CBitmapDC::DrawTransparent(wxDC& dc, int x, int y, int width, int height, const wxColour& key)
{
    EnsureLoaded();
    if (!m_bitmap.IsOk()) return false;
    if (!m_keyed.IsOk() || m_keyColour != key) {
        wxImage image = m_bitmap.ConvertToImage();
        image.SetMaskColour(key.Red(), key.Green(), key.Blue());
        m_keyed = wxBitmap(image);
        m_keyColour = key;
    }
    width = std::min(width, m_keyed.GetWidth());
    height = std::min(height, m_keyed.GetHeight());
    if (width <= 0 || height <= 0) return false;
    wxMemoryDC source(m_keyed);
    return dc.Blit(x, y, width, height, &source, 0, 0, wxCOPY, true);
}

}  // namespace KM
