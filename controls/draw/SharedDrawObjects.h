#pragma once
// The fonts, pens, brushes, colours and the 32 x 32 command image list that the
// controls and the ribbon share. Made once (the application object owns the
// one instance) and never copied; window thread only.
#include <memory>
#include <wx/brush.h>
#include <wx/colour.h>
#include <wx/font.h>
#include <wx/imaglist.h>
#include <wx/pen.h>

struct CSharedDrawObjects {
    static constexpr unsigned kRibbonImagesId = 431;  // strip of 32 x 32 command icons
    static constexpr int kRibbonImageSize = 32;

    CSharedDrawObjects();
    CSharedDrawObjects(const CSharedDrawObjects&) = delete;
    CSharedDrawObjects& operator=(const CSharedDrawObjects&) = delete;

    // Fills m_ribbonImages from image 431 (white is transparent); false, list
    // left empty, when the image is missing. Called by the main frame.
    bool LoadRibbonImages();

    wxFont m_fontBold;      // 11 px at the reference, scaled to the desktop's font; bold
    wxFont m_fontNormal;    // 11 px at the reference, scaled to the desktop's font
    wxPen m_penLight;       // 0xFFE8D6
    wxPen m_penBlack;       // 0x000000
    wxPen m_penGray;        // 0x8D8D8D
    wxPen m_penFaint;       // 0xEFEFEF
    wxBrush m_brushLight;   // 0xF0D8C0
    wxBrush m_brushSelection;  // 0xFFDABF
    wxColour m_clrProgress;    // 0xCC976E
    wxColour m_clrText;        // 0x6E1500
    wxColour m_clrGray;        // 0x8D8D8D
    wxImageList m_ribbonImages;  // empty until LoadRibbonImages
};
