#pragma once
// A settings-grid row whose value cell has a button: colour (swatch and colour
// pop-up), level text (levels pop-up), file or folder path, and the join-images
// and file-name pattern dialogs. The button's action is the grid's
// (CPropertiesEditCtrl::OnClickButton); the row keeps its pop-up and its bound
// schema property, which identifies it.
#include "controls/color/ColorPickerCallback.h"
#include "controls/level/LevelCallback.h"
#include "model/schema/SchemaProperty.h"
#include <memory>
#include <wx/propgrid/props.h>

class CPropertiesEditCtrl;
class CColorPickerCtrl;
class CLevelEditCtrl;

class CPropertyGridProperty : public wxStringProperty, public IColorPickerCallback, public ILevelCallback {
public:
    CPropertyGridProperty(const wxString& label, CSchemaProperty* property, CPropertiesEditCtrl* grid);
    ~CPropertyGridProperty() override;

    CSchemaProperty* Schema() const { return m_property; }
    CColorPickerCtrl* ColorPopup() const { return m_colorPopup.get(); }
    CLevelEditCtrl* LevelPopup() const { return m_levelPopup.get(); }
    CColorPickerCtrl& EnsureColorPopup(wxWindow* parent);
    CLevelEditCtrl& EnsureLevelPopup(wxWindow* parent);

    bool OnEvent(wxPropertyGrid* grid, wxWindow* primary, wxEvent& event) override;
    wxValidator* DoGetValidator() const override;
    wxSize OnMeasureImage(int item) const override;
    void OnCustomPaint(wxDC& dc, const wxRect& rect, wxPGPaintData& data) override;

    void OnColorChanged(COLORREF color) override;
    void OnLevelChanged(int black, int white, double gamma) override;

private:
    CSchemaProperty* m_property;  // not owned
    CPropertiesEditCtrl* m_grid;  // not owned; outlives its rows
    std::unique_ptr<CColorPickerCtrl> m_colorPopup;
    std::unique_ptr<CLevelEditCtrl> m_levelPopup;
};
