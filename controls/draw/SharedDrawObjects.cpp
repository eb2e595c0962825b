#include "controls/draw/SharedDrawObjects.h"
#include "controls/res/ResourceBridge.h"
#include "controls/draw/FontScale.h"
#include <cmath>
#include <wx/bitmap.h>
#include <wx/settings.h>

namespace {
// Colours are written as 0x00BBGGRR values.
wxColour Ref(uint32_t colorref)
{
    return KM::Res::ColourFromRef(colorref);
}

// The 11-pixel font of the lists and counters, in the desktop's own face and
// at its default size.
wxFont DesktopFont(wxFontWeight weight)
{
    wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    int desktop = font.GetPixelSize().y;
    if (desktop <= 0) desktop = static_cast<int>(std::lround(font.GetFractionalPointSize() * 96.0 / 72.0));
    font.SetPixelSize(wxSize(0, ScaledFontPixels(kReferenceFontPixels, desktop)));
    font.SetWeight(weight);
    return font;
}
}  // namespace

CSharedDrawObjects::CSharedDrawObjects()
    : m_fontBold(DesktopFont(wxFONTWEIGHT_BOLD)),
      m_fontNormal(DesktopFont(wxFONTWEIGHT_NORMAL)),
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
