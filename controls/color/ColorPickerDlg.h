#pragma once
// The full colour chooser (template 359), opened from "More..." of the colour
// pop-up: a 256 x 256 plane and an axis strip for the component the plane
// holds fixed, old and new colour side by side, and RGB, HSV, YUV and
// hexadecimal fields, all in step (ColorAxes, ColorFields). The axis and the
// preview box are kept in "Options" ("ColorPickerAxis", "ColorPickerPreview").
#include "controls/color/ColorAxes.h"
#include <wx/dialog.h>

class wxCheckBox;
class wxRadioButton;
class wxTextCtrl;

class IColorCtrlCallback {
public:
    virtual void OnColorChanged(int sender, const ColorState& color) = 0;

protected:
    ~IColorCtrlCallback() = default;
};

// The plane (380) or the strip (381).
class CColorAxisView : public wxWindow {
public:
    CColorAxisView(wxWindow* parent, wxWindowID id, bool plane);
    void SetValues(int axis, const ColorState& color);
    void SetCallback(IColorCtrlCallback* callback) { m_callback = callback; }
    const ColorState& Color() const { return m_color; }
    // A drag step at a client point (clamped), as the mouse gives it.
    void DragTo(const wxPoint& point);
    wxImage BuildImage() const;

private:
    void OnPaint(wxPaintEvent& event);

    bool m_plane;
    int m_axis = 0;
    ColorState m_color;
    wxBitmap m_bitmap;
    IColorCtrlCallback* m_callback = nullptr;  // not owned
};

class CColorPickerDlg : public wxDialog, public IColorCtrlCallback {
public:
    static constexpr int kTemplateId = 359;

    explicit CColorPickerDlg(wxWindow* parent);
    ~CColorPickerDlg() override;

    void SetColor(COLORREF color);
    COLORREF GetNewColor() const { return m_new.rgb; }
    // Runs the dialog with color; on OK writes the new colour back; 1 on OK.
    int PickColor(COLORREF& color);

    void OnColorChanged(int sender, const ColorState& color) override;
    void SetAxis(int axis);
    int GetAxis() const { return m_axis; }
    wxTextCtrl* Field(int control) const { return m_fields[control - 370]; }
    CColorAxisView& Plane() { return *m_plane; }
    CColorAxisView& Strip() { return *m_strip; }
    // What leaving a field does (clamp or pad), also called by tests.
    void LeaveField(int control);

private:
    void BuildControls();
    void WriteFields(int skipGroupOf);
    void OnFieldText(int control);

    bool m_updating = false;
    CColorAxisView* m_plane = nullptr;
    CColorAxisView* m_strip = nullptr;
    wxWindow* m_preview = nullptr;
    wxCheckBox* m_previewBox = nullptr;
    wxRadioButton* m_radios[kColorAxisCount] = {};
    wxTextCtrl* m_fields[10] = {};
    int m_axis = 0;
    COLORREF m_old = 0;
    ColorState m_new;
};
