#include "controls/draw/MemDC.h"
#include <algorithm>

namespace KM {

CMemDC::CMemDC(wxDC& target, const wxRect& rect)
    : wxMemoryDC(&target), m_target(target), m_rect(rect),
      // A bitmap needs a size; an empty rectangle gets a 1 x 1 one and copies nothing.
      m_bitmap(std::max(rect.width, 1), std::max(rect.height, 1), target)
{
    SelectObject(m_bitmap);
}

CMemDC::~CMemDC()
{
    if (m_rect.width > 0 && m_rect.height > 0)
        m_target.Blit(m_rect.x, m_rect.y, m_rect.width, m_rect.height, this, 0, 0, wxCOPY);
    SelectObject(wxNullBitmap);
}

}  // namespace KM
