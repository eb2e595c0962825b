#include "controls/color/ColorPickerDlg.h"

#include "controls/color/ColorFields.h"
#include "controls/res/ResourceBridge.h"
#include "engine/PreviewMan.h"
#include "platform/Settings.h"
#include <algorithm>
#include <wx/checkbox.h>
#include <wx/dcbuffer.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace {

const wchar_t kOptions[] = L"Options";
const wchar_t* const kAxisNames[kColorAxisCount] = {L"R", L"G", L"B", L"H", L"V", L"S", L"Y", L"U", L"V"};
const wchar_t* const kFieldNames[10] = {L"Red", L"Green", L"Blue", L"Hue", L"Sat.", L"Value", L"Y", L"U", L"V", L"Hex"};

wxColour Colour(COLORREF c) { return KM::Res::ColourFromRef(c & 0xFFFFFF); }

int GroupOf(int control)
{
    if (control <= IDC_COLOR_BLUE) return 0;
    if (control <= IDC_COLOR_VAL) return 1;
    if (control <= IDC_COLOR_V) return 2;
    return 3;
}

}  // namespace

CColorAxisView::CColorAxisView(wxWindow* parent, wxWindowID id, bool plane)
    : wxWindow(parent, id, wxDefaultPosition, plane ? wxSize(258, 258) : wxSize(42, 258), wxBORDER_SIMPLE),
      m_plane(plane)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CColorAxisView::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& e) {
        CaptureMouse();
        DragTo(e.GetPosition());
    });
    Bind(wxEVT_MOTION, [this](wxMouseEvent& e) {
        if (!HasCapture()) return;
        if (!e.LeftIsDown()) {
            ReleaseMouse();
            return;
        }
        DragTo(e.GetPosition());
    });
    Bind(wxEVT_LEFT_UP, [this](wxMouseEvent&) {
        if (HasCapture()) ReleaseMouse();
    });
    Bind(wxEVT_MOUSE_CAPTURE_LOST, [](wxMouseCaptureLostEvent&) {});
}

wxImage CColorAxisView::BuildImage() const
{
    const int width = m_plane ? 256 : 24;
    wxImage image(width, 256);
    for (int y = 0; y < 256; ++y) {
        // Row 0 at the top is position 0: the components grow downwards.
        const ColorState row = m_plane ? m_color : SetStripPosition(m_axis, m_color, y);
        for (int x = 0; x < width; ++x) {
            const COLORREF c = m_plane ? SetPlanePosition(m_axis, m_color, x, y).rgb : row.rgb;
            image.SetRGB(x, y, GetRValue(c), GetGValue(c), GetBValue(c));
        }
    }
    return image;
}

void CColorAxisView::SetValues(int axis, const ColorState& color)
{
    m_axis = axis;
    m_color = color;
    m_bitmap = wxBitmap(BuildImage());
    Refresh();
}

void CColorAxisView::DragTo(const wxPoint& point)
{
    const int x = std::clamp(point.x, 0, 255);
    const int y = std::clamp(point.y, 0, 255);
    const ColorState next = m_plane ? SetPlanePosition(m_axis, m_color, x, y) : SetStripPosition(m_axis, m_color, y);
    if (next == m_color) return;
    m_color = next;
    if (m_plane) Refresh();  // the plane's picture stays, only its marker moves
    else SetValues(m_axis, m_color);
    if (m_callback) m_callback->OnColorChanged(GetId(), m_color);
}

void CColorAxisView::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
    dc.Clear();
    if (!m_bitmap.IsOk()) m_bitmap = wxBitmap(BuildImage());
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    if (m_plane) {
        dc.DrawBitmap(m_bitmap, 0, 0);
        const PlanePoint p = PlanePosition(m_axis, m_color);
        dc.SetPen(*wxWHITE_PEN);
        dc.DrawEllipse(p.x - 4, p.y - 4, 9, 9);
        dc.SetPen(*wxBLACK_PEN);
        dc.DrawEllipse(p.x - 3, p.y - 3, 7, 7);
        return;
    }
    dc.DrawBitmap(m_bitmap, 8, 0);
    const int p = StripPosition(m_axis, m_color);
    dc.SetPen(*wxBLACK_PEN);
    dc.SetBrush(*wxWHITE_BRUSH);
    const wxPoint right[] = {{32, p}, {39, p - 4}, {39, p + 4}};
    const wxPoint left[] = {{7, p}, {0, p - 4}, {0, p + 4}};
    dc.DrawPolygon(3, right);
    dc.DrawPolygon(3, left);
}

CColorPickerDlg::CColorPickerDlg(wxWindow* parent)
    : wxDialog(parent, kTemplateId, KM::Res::LoadString(kTemplateId).empty() ? wxString("Colors")
                                                                           : KM::Res::LoadString(kTemplateId))
{
    LoadGDILibrary();
    BuildControls();
    m_axis = std::clamp(CSettingsStore::Instance().GetInt(kOptions, L"ColorPickerAxis", 0), 0, kColorAxisCount - 1);
    m_radios[m_axis]->SetValue(true);
    m_previewBox->Enable(CPreviewMan::GetInstance().HasObject());
    m_previewBox->SetValue(CSettingsStore::Instance().GetInt(kOptions, L"ColorPickerPreview", 1) != 0);
    SetColor(0);
}

CColorPickerDlg::~CColorPickerDlg()
{
    CSettingsStore::Instance().SetInt(kOptions, L"ColorPickerAxis", m_axis);
    CSettingsStore::Instance().SetInt(kOptions, L"ColorPickerPreview", m_previewBox->GetValue() ? 1 : 0);
    CPreviewMan::GetInstance().ReleaseObject();
}

void CColorPickerDlg::BuildControls()
{
    auto* top = new wxBoxSizer(wxHORIZONTAL);
    m_plane = new CColorAxisView(this, IDC_COLOR_PLANE, true);
    m_strip = new CColorAxisView(this, IDC_COLOR_STRIP, false);
    m_plane->SetCallback(this);
    m_strip->SetCallback(this);
    top->Add(m_plane, 0, wxALL, 6);
    top->Add(m_strip, 0, wxTOP | wxBOTTOM | wxRIGHT, 6);

    auto* side = new wxBoxSizer(wxVERTICAL);
    m_preview = new wxWindow(this, IDC_COLOR_PREVIEW_WND, wxDefaultPosition, wxSize(120, 40), wxBORDER_SIMPLE);
    m_preview->SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_preview->Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
        wxAutoBufferedPaintDC dc(m_preview);
        const wxSize s = m_preview->GetClientSize();
        const int half = s.x / 2;
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(Colour(m_new.rgb)));
        dc.DrawRectangle(0, 0, half, s.y);
        dc.SetBrush(wxBrush(Colour(m_old)));
        dc.DrawRectangle(half, 0, s.x - half, s.y);
    });
    side->Add(m_preview, 0, wxEXPAND | wxBOTTOM, 6);
    auto* grid = new wxFlexGridSizer(3, 4, 4);
    for (int i = 0; i < 10; ++i) {
        const int control = IDC_COLOR_RED + i;
        if (i < kColorAxisCount) {
            m_radios[i] = new wxRadioButton(this, IDC_COLOR_AXIS_FIRST + i, kAxisNames[i], wxDefaultPosition,
                                            wxDefaultSize, i == 0 ? wxRB_GROUP : 0);
            m_radios[i]->Bind(wxEVT_RADIOBUTTON, [this, i](wxCommandEvent&) { SetAxis(i); });
            grid->Add(m_radios[i], 0, wxALIGN_CENTER_VERTICAL);
        } else {
            grid->AddSpacer(1);
        }
        grid->Add(new wxStaticText(this, wxID_ANY, kFieldNames[i]), 0, wxALIGN_CENTER_VERTICAL);
        m_fields[i] = new wxTextCtrl(this, control, wxEmptyString, wxDefaultPosition, wxSize(70, -1));
        m_fields[i]->Bind(wxEVT_TEXT, [this, control](wxCommandEvent&) { OnFieldText(control); });
        m_fields[i]->Bind(wxEVT_KILL_FOCUS, [this, control](wxFocusEvent& e) {
            e.Skip();
            LeaveField(control);
        });
        grid->Add(m_fields[i]);
    }
    side->Add(grid);
    m_previewBox = new wxCheckBox(this, IDC_COLOR_PREVIEW, wxS("Preview"));
    side->Add(m_previewBox, 0, wxTOP, 6);
    top->Add(side, 0, wxALL, 6);

    auto* all = new wxBoxSizer(wxVERTICAL);
    all->Add(top);
    all->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 6);
    SetSizerAndFit(all);
}

void CColorPickerDlg::SetColor(COLORREF color)
{
    m_old = color & 0xFFFFFF;
    m_new = ColorState::FromRgb(m_old);
    WriteFields(-1);
    m_plane->SetValues(m_axis, m_new);
    m_strip->SetValues(m_axis, m_new);
    m_preview->Refresh();
}

int CColorPickerDlg::PickColor(COLORREF& color)
{
    SetColor(color);
    if (ShowModal() != wxID_OK) return 0;
    color = m_new.rgb;
    return 1;
}

void CColorPickerDlg::SetAxis(int axis)
{
    m_axis = std::clamp(axis, 0, kColorAxisCount - 1);
    m_radios[m_axis]->SetValue(true);
    m_plane->SetValues(m_axis, m_new);
    m_strip->SetValues(m_axis, m_new);
    m_preview->Refresh();
}

void CColorPickerDlg::WriteFields(int skipGroupOf)
{
    std::wstring texts[10];
    WriteColorFields(m_new, texts);
    m_updating = true;
    for (int i = 0; i < 10; ++i)
        if (skipGroupOf < 0 || GroupOf(IDC_COLOR_RED + i) != GroupOf(skipGroupOf)) m_fields[i]->ChangeValue(texts[i]);
    m_updating = false;
}

void CColorPickerDlg::OnColorChanged(int sender, const ColorState& color)
{
    m_new = color;
    WriteFields(-1);
    if (sender == IDC_COLOR_PLANE) m_strip->SetValues(m_axis, m_new);
    if (sender == IDC_COLOR_STRIP) m_plane->SetValues(m_axis, m_new);
    m_preview->Refresh();
}

void CColorPickerDlg::OnFieldText(int control)
{
    if (m_updating) return;
    std::wstring texts[10];
    for (int i = 0; i < 10; ++i) texts[i] = m_fields[i]->GetValue().ToStdWstring();
    m_new = ReadColorGroup(control, texts);
    WriteFields(control);
    m_plane->SetValues(m_axis, m_new);
    m_strip->SetValues(m_axis, m_new);
    m_preview->Refresh();
}

void CColorPickerDlg::LeaveField(int control)
{
    wxTextCtrl* field = Field(control);
    const std::wstring text = field->GetValue().ToStdWstring();
    if (control == IDC_COLOR_HEX) {
        const HexField hex = NormalizeHexField(text);
        m_updating = true;
        field->ChangeValue(hex.text);
        m_updating = false;
        m_new = ColorState::FromRgb(hex.color);
        WriteFields(control);
        m_plane->SetValues(m_axis, m_new);
        m_strip->SetValues(m_axis, m_new);
        m_preview->Refresh();
        return;
    }
    const std::wstring clamped = ClampColorField(control, text);
    if (clamped != text) field->SetValue(clamped);  // a change notice brings the rest in step
}
