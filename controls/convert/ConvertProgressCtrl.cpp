#include "controls/convert/ConvertProgressCtrl.h"
#include "controls/ids/StringIds.h"
#include "controls/res/ResourceBridge.h"
#include "controls/draw/SharedDrawObjects.h"
#include <wx/dcbuffer.h>
#include <wx/dcclient.h>
#include <wx/renderer.h>
#include <wx/settings.h>

namespace {
constexpr int kMargin = 10;
constexpr int kBarHeight = 30;
constexpr int kFilesLineTop = 70;
}  // namespace

bool CConvertProgressCtrl::Create(wxWindow* parent, const CSharedDrawObjects* draw)
{
    m_draw = draw;
    if (!wxWindow::Create(parent, kId, wxDefaultPosition, wxDefaultSize, wxCLIP_SIBLINGS | wxFULL_REPAINT_ON_RESIZE))
        return false;
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetCursor(wxCursor(wxCURSOR_ARROW));
    Bind(wxEVT_PAINT, &CConvertProgressCtrl::OnPaint, this);
    return true;
}

int CConvertProgressCtrl::Percent(int pos, int min, int max)
{
    const double span = static_cast<double>(max) - min;
    if (span <= 0)
        return 0;
    const double p = static_cast<double>(pos) * 100.0 / span;
    if (p > 100)
        return 100;
    const int whole = static_cast<int>(p);
    return whole <= 0 && pos > 0 ? 1 : std::max(whole, 0);
}

void CConvertProgressCtrl::SetText(const std::wstring& text)
{
    m_strCaption = text;
    RedrawNow();
}

void CConvertProgressCtrl::RedrawNow()
{
    Refresh(false);
    Update();
}

wxString CConvertProgressCtrl::FilesLine() const
{
    wxString line = wxString::Format(KM::Res::LoadString(KM::Str::FilesConverted), m_nFilesDone);
    if (!m_strCaption.empty())
        line += "  " + wxString(m_strCaption);
    return line;
}

void CConvertProgressCtrl::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    Draw(dc);
}

void CConvertProgressCtrl::Draw(wxDC& dc)
{
    const wxRect r = GetClientRect();
    dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
    dc.Clear();
    const wxRect bar(r.x + kMargin, r.y + kMargin, std::max(r.width - 2 * kMargin, 0), kBarHeight);
    const int span = m_nMax - m_nMin;
    // The filled part follows the position itself, clamped to the bar.
    int filled = span > 0 ? static_cast<int>(static_cast<long long>(bar.width) * m_nPos / span) : 0;
    filled = std::clamp(filled, 0, bar.width);
    dc.SetPen(wxPen(wxColour(0x8D, 0x8D, 0x8D)));
    dc.SetBrush(*wxWHITE_BRUSH);
    dc.DrawRectangle(bar);
    if (filled > 2) {
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(wxColour(0x6E, 0x97, 0xCC)));
        dc.DrawRectangle(bar.x + 1, bar.y + 1, filled - 2, bar.height - 2);
    }
    const wxString percent = wxString::Format("%d%%", GetPercent());
    dc.SetFont(m_draw ? m_draw->m_fontBold : GetFont().Bold());
    dc.SetTextForeground(wxColour(0, 0, 255));
    const wxSize size = dc.GetTextExtent(percent);
    dc.DrawText(percent, bar.x + (bar.width - size.x) / 2, r.y + 18 - size.y / 4);
    dc.SetFont(m_draw ? m_draw->m_fontNormal : GetFont());
    dc.SetTextForeground(m_draw ? m_draw->m_clrProgress : wxColour(0x6E, 0x97, 0xCC));
    dc.DrawText(FilesLine(), kMargin, r.y + kFilesLineTop);
}
