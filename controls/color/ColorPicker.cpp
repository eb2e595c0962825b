#include "controls/color/ColorPicker.h"

#include "controls/color/ColorPickerDlg.h"
#include "controls/res/ResourceBridge.h"
#include "engine/DefaultPalette.h"
#include "platform/Settings.h"
#include <wx/dcbuffer.h>

namespace {
std::vector<COLORREF> LoadPaletteColors()
{
    std::vector<COLORREF> out;
    for (const PaletteEntry& e : CDefaultPalette::GetPalette()) out.push_back(RGB(e.red, e.green, e.blue));
    return out;
}
wxColour Colour(COLORREF c) { return KM::Res::ColourFromRef(c & 0xFFFFFF); }
}  // namespace

CColorPicker::CColorPicker(wxWindow* parent, wxWindowID id)
    : wxWindow(parent, id, wxDefaultPosition, wxDefaultSize, wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS),
      m_recent(CSettingsStore::Instance(), LoadPaletteColors())
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetInitialSize(BestGridSize());
    runFullDialog = [](wxWindow* owner, COLORREF& color) {
        CColorPickerDlg dialog(owner);
        return dialog.PickColor(color) != 0;
    };
    Bind(wxEVT_PAINT, &CColorPicker::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& e) { PressAt(e.GetPosition()); });
    Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& e) { ReleaseAt(e.GetPosition()); });
    Bind(wxEVT_MOTION, [this](wxMouseEvent& e) { MoveTo(e.GetPosition()); });
    Bind(wxEVT_LEAVE_WINDOW, [this](wxMouseEvent&) {
        m_hover = kNoColor;
        UnsetToolTip();
        Refresh();
    });
}

wxSize CColorPicker::BestGridSize() const
{
    const size_t n = m_recent.Palette().size();
    const int rows = n ? static_cast<int>((n - 1) / ColorGridLayout::kColumns + 1) : 0;
    return wxSize(ColorGridLayout::kColumns * kCellSize + 2, rows * kCellSize + 4 + kCellSize + 4);
}

void CColorPicker::SetColor(COLORREF color)
{
    m_current = color & 0xFFFFFF;
    Refresh();
}

ColorGridLayout CColorPicker::Layout() const
{
    return ColorGridLayout::Build(m_recent.Palette(), m_recent.Colors(), m_current, m_hover, GetClientSize().x,
                                  kCellSize);
}

COLORREF CColorPicker::HitTest(const wxPoint& point) const { return Layout().HitTest(point.x, point.y); }

void CColorPicker::Draw(wxDC& dc) const
{
    const ColorGridLayout layout = Layout();
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    for (const ColorCell& cell : layout.cells) {
        const wxRect r(cell.rect.left, cell.rect.top, cell.rect.right - cell.rect.left, cell.rect.bottom - cell.rect.top);
        if (cell.frame != CellFrame::None) {
            dc.SetPen(wxPen(cell.frame == CellFrame::Current ? *wxBLACK : wxColour(0x40, 0x40, 0x40)));
            dc.SetBrush(*wxTRANSPARENT_BRUSH);
            dc.DrawRectangle(r);
        }
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(Colour(cell.color)));
        dc.DrawRectangle(wxRect(r).Deflate(1));
    }
    dc.SetPen(*wxBLACK_PEN);
    dc.DrawLine(layout.lineLeft, layout.lineY, layout.lineRight, layout.lineY);
    const GridRect& m = layout.moreRect;
    const wxRect more(m.left, m.top, m.right - m.left, m.bottom - m.top);
    if (layout.moreHovered) {
        dc.SetPen(wxPen(wxColour(0x40, 0x40, 0x40)));
        dc.SetBrush(wxBrush(wxColour(0xC0, 0xC0, 0xC0)));
        dc.DrawRectangle(more);
    }
    dc.SetFont(GetFont());
    dc.SetTextForeground(*wxBLACK);
    dc.DrawLabel(wxS("More..."), more, wxALIGN_CENTER_HORIZONTAL | wxALIGN_TOP);
}

void CColorPicker::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    Draw(dc);
}

void CColorPicker::PressAt(const wxPoint& point)
{
    m_pressed = HitTest(point);
    Refresh();
}

void CColorPicker::MoveTo(const wxPoint& point)
{
    const COLORREF hover = HitTest(point);
    if (hover == m_hover) return;
    m_hover = hover;
    if (hover != kNoColor && hover != kMoreCell)
        SetToolTip(wxString::Format("0x%02X%02X%02X", GetRValue(hover), GetGValue(hover), GetBValue(hover)));
    else
        UnsetToolTip();
    Refresh();
}

void CColorPicker::ReleaseAt(const wxPoint& point)
{
    const COLORREF chosen = ClickedColor(m_pressed, HitTest(point));
    m_pressed = kNoColor;
    if (chosen == kNoColor) return;
    if (chosen == kMoreCell) {
        m_hover = kNoColor;
        COLORREF color = m_current;
        if (!runFullDialog || !runFullDialog(this, color)) return;  // cancelled: nothing changes
        m_current = color & 0xFFFFFF;
        m_recent.Add(m_current);
    } else {
        m_current = chosen;
    }
    if (m_callback) m_callback->OnColorChanged(m_current);
    Refresh();
}
