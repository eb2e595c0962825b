#pragma once
// The colour cells of the colour pop-up: the engine's default palette, the
// recent colours and a "More..." cell that opens the full colour dialog.
// Layout and hit-tests are ColorGridLayout's; recent colours CRecentColors'.
#include "controls/color/ColorGridLayout.h"
#include "controls/color/ColorPickerCallback.h"
#include "controls/color/RecentColors.h"
#include <functional>
#include <wx/window.h>

class CColorPicker : public wxWindow {
public:
    static constexpr int kCellSize = 15;

    explicit CColorPicker(wxWindow* parent, wxWindowID id = 358);

    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_current; }
    void SetCallback(IColorPickerCallback* callback) { m_callback = callback; }
    COLORREF HitTest(const wxPoint& point) const;
    void AddRecentColor(COLORREF color) { m_recent.Add(color); }
    const std::vector<COLORREF>& RecentColors() const { return m_recent.Colors(); }
    const std::vector<COLORREF>& PaletteColors() const { return m_recent.Palette(); }
    // The size that shows every palette row and the recent row.
    wxSize BestGridSize() const;

    // Mouse steps, also driven by tests.
    void PressAt(const wxPoint& point);
    void MoveTo(const wxPoint& point);
    void ReleaseAt(const wxPoint& point);

    // Runs the full dialog for "More..."; replaced by tests. Returns true on
    // OK with the colour updated.
    std::function<bool(wxWindow*, COLORREF&)> runFullDialog;

    ColorGridLayout Layout() const;
    void Draw(wxDC& dc) const;

private:
    void OnPaint(wxPaintEvent& event);

    COLORREF m_current = 0;
    COLORREF m_hover = kNoColor;
    COLORREF m_pressed = kNoColor;
    IColorPickerCallback* m_callback = nullptr;  // not owned
    CRecentColors m_recent;
};
