#include "controls/grid/PropertyGridProperty.h"

#include "controls/color/ColorPickerCtrl.h"
#include "controls/grid/GridValueText.h"
#include "controls/grid/PropertiesEditCtrl.h"
#include "controls/level/LevelEditCtrl.h"
#include "controls/level/LevelSliderModel.h"
#include "controls/res/ResourceBridge.h"
#include <wx/valtext.h>

CPropertyGridProperty::CPropertyGridProperty(const wxString& label, CSchemaProperty* property,
                                             CPropertiesEditCtrl* grid)
    : wxStringProperty(label, wxPG_LABEL), m_property(property), m_grid(grid)
{
    if (property->flags & SPF_COLOR) SetFlag(wxPG_PROP_CUSTOMIMAGE);
}

CPropertyGridProperty::~CPropertyGridProperty() = default;

CColorPickerCtrl& CPropertyGridProperty::EnsureColorPopup(wxWindow* parent)
{
    if (!m_colorPopup) m_colorPopup = std::make_unique<CColorPickerCtrl>(parent);
    return *m_colorPopup;
}

CLevelEditCtrl& CPropertyGridProperty::EnsureLevelPopup(wxWindow* parent)
{
    if (!m_levelPopup) m_levelPopup = std::make_unique<CLevelEditCtrl>(parent);
    return *m_levelPopup;
}

bool CPropertyGridProperty::OnEvent(wxPropertyGrid* grid, wxWindow* primary, wxEvent& event)
{
    if (event.GetEventType() == wxEVT_BUTTON) {
        m_grid->OnClickButton(*this);
        return false;  // the grid has written and reported any change itself
    }
    return wxStringProperty::OnEvent(grid, primary, event);
}

wxValidator* CPropertyGridProperty::DoGetValidator() const
{
    // The grid copies the validator into each editor it opens; one per mask lives for the program.
    static wxTextValidator colour = [] {
        wxTextValidator v(wxFILTER_INCLUDE_CHAR_LIST);
        v.SetCharIncludes(L"0123456789ABCDEFabcdef");
        return v;
    }();
    static wxTextValidator level = [] {
        wxTextValidator v(wxFILTER_INCLUDE_CHAR_LIST);
        v.SetCharIncludes(L"0123456789:.");
        return v;
    }();
    const std::wstring mask = InPlaceEditMask(*m_property);
    if (mask.empty()) return wxStringProperty::DoGetValidator();
    return mask.find(L':') != std::wstring::npos ? &level : &colour;
}

wxSize CPropertyGridProperty::OnMeasureImage(int) const
{
    if (m_property->flags & SPF_COLOR) return wxPG_DEFAULT_IMAGE_SIZE;
    return wxSize(0, 0);
}

void CPropertyGridProperty::OnCustomPaint(wxDC& dc, const wxRect& rect, wxPGPaintData&)
{
    const int32_t* value = m_property->IntValue();
    if (!value) return;
    const uint32_t ref = static_cast<uint32_t>(*value);
    const wxColour colour = ref == 0xFFFFFFFFu ? *wxBLACK : KM::Res::ColourFromRef(ref & 0xFFFFFF);
    dc.SetBrush(wxBrush(colour));
    dc.SetPen(*wxBLACK_PEN);
    dc.DrawRectangle(rect);
}

void CPropertyGridProperty::OnColorChanged(COLORREF color)
{
    SetValue(wxVariant(wxString(FormatColorText(color).c_str())));
    if (m_colorPopup) m_colorPopup->HidePopup();
    m_grid->OnPropertyChanged(this);
    m_grid->RefreshProperty(this);
}

void CPropertyGridProperty::OnLevelChanged(int black, int white, double gamma)
{
    SetValue(wxVariant(wxString(LevelRowText({black, white, gamma}).c_str())));
    m_grid->OnPropertyChanged(this);
    m_grid->RefreshProperty(this);
}
