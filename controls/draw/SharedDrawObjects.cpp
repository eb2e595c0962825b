#include "controls/draw/SharedDrawObjects.h"
#include "controls/res/ResourceBridge.h"
#include <wx/bitmap.h>

namespace {
// Colours are written as 0x00BBGGRR values.
wxColour Ref(uint32_t colorref)
{
    return KM::Res::ColourFromRef(colorref);
}

wxFont Tahoma(wxFontWeight weight)
{
    return wxFont(wxFontInfo(wxSize(0, 11)).FaceName("Tahoma").Weight(weight).Encoding(wxFONTENCODING_DEFAULT));
}
}  // namespace

CSharedDrawObjects::CSharedDrawObjects()
    : m_fontBold(Tahoma(wxFONTWEIGHT_BOLD)),
      m_fontNormal(Tahoma(wxFONTWEIGHT_NORMAL)),
      m_penLight(Ref(0xFFE8D6), 1, wxPENSTYLE_SOLID),
      m_penBlack(Ref(0x000000), 1, wxPENSTYLE_SOLID),
      m_penGray(Ref(0x8D8D8D), 1, wxPENSTYLE_SOLID),
      m_penFaint(Ref(0xEFEFEF), 1, wxPENSTYLE_SOLID),
      m_brushLight(Ref(0xF0D8C0), wxBRUSHSTYLE_SOLID),
      m_brushSelection(Ref(0xFFDABF), wxBRUSHSTYLE_SOLID),
      m_clrProgress(Ref(0xCC976E)),
      m_clrText(Ref(0x6E1500)),
      m_clrGray(Ref(0x8D8D8D)),
      m_ribbonImages(kRibbonImageSize, kRibbonImageSize, true, 0)
{
}

bool CSharedDrawObjects::LoadRibbonImages()
{
    std::vector<wxImage> cells = KM::Res::CutImageStrip(KM::Res::LoadImage(kRibbonImagesId), kRibbonImageSize, *wxWHITE);
    if (cells.empty()) return false;
    m_ribbonImages.RemoveAll();
    for (const wxImage& cell : cells) m_ribbonImages.Add(wxBitmap(cell));
    return true;
}
