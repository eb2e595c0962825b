#include "controls/format/ListViewFrame.h"
#include "controls/draw/SharedDrawObjects.h"
#include "controls/res/ResourceBridge.h"
#include "engine/OutputFormatEnum.h"
#include <wx/dcbuffer.h>
#include <wx/imaglist.h>
#include <wx/listctrl.h>
#include <wx/arrstr.h>
#include <wx/settings.h>

namespace {
constexpr int kCaptionBand = 32;
constexpr int kDescriptionBand = 80;

// The text broken at blanks into lines no wider than width.
wxString WrapText(wxDC& dc, const wxString& text, int width)
{
    wxString out, line;
    for (const wxString& word : wxSplit(text, ' ', '\0')) {
        const wxString candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && dc.GetTextExtent(candidate).x > width) {
            out << line << "\n";
            line = word;
        } else {
            line = candidate;
        }
    }
    return out + line;
}
}  // namespace

CListViewFrame::~CListViewFrame() = default;

bool CListViewFrame::Create(wxWindow* parent, const wxRect& rect, IFormatChangeNotify* notify,
                            const CSharedDrawObjects* draw)
{
    if (!wxWindow::Create(parent, kId, rect.GetPosition(), rect.GetSize(), wxCLIP_SIBLINGS | wxTAB_TRAVERSAL))
        return false;
    m_draw = draw;
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_list = new wxListCtrl(this, kListId, wxDefaultPosition, wxDefaultSize,
                            wxLC_ICON | wxLC_AUTOARRANGE | wxLC_SINGLE_SEL);
    m_images = KM::Res::LoadImageStrip(500, 32, *wxWHITE);
    if (m_images)
        m_list->SetImageList(m_images.get(), wxIMAGE_LIST_NORMAL);
    Fill();
    m_notify = notify;
    m_kind = 1;
    m_list->Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& e) {
        e.Skip();
        CallAfter([this] {
            wxListEvent click(wxEVT_LIST_ITEM_SELECTED, kListId);
            OnListClick(click);
        });
    });
    Bind(wxEVT_PAINT, &CListViewFrame::OnPaint, this);
    Bind(wxEVT_SIZE, &CListViewFrame::OnSizeChanged, this);
    return true;
}

void CListViewFrame::SetRows(const std::vector<FormatRow>& rows)
{
    m_list->Freeze();
    m_list->DeleteAllItems();
    for (size_t i = 0; i < rows.size(); ++i) {
        const long at = m_list->InsertItem(static_cast<long>(i), wxString(rows[i].text), rows[i].image);
        m_list->SetItemData(at, rows[i].data);
    }
    m_list->Thaw();
}

void CListViewFrame::Fill()
{
    SetRows(AllVideoFormatRows());
}

void CListViewFrame::FillForKind(int kind)
{
    SetRows(FormatRowsForKind(kind));
    m_kind = kind;
}

long CListViewFrame::SelectedRow() const
{
    return m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
}

bool CListViewFrame::SelectData(int id)
{
    for (long row = 0; row < m_list->GetItemCount(); ++row)
        if (static_cast<int>(m_list->GetItemData(row)) == id) {
            m_list->SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                                 wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
            Refresh(false);
            return true;
        }
    return false;
}

void CListViewFrame::SelectFormat(int kind, int id)
{
    if (kind != m_kind)
        FillForKind(kind);
    SelectData(id);
}

void CListViewFrame::SelectByData(int kind, int id)
{
    FillForKind(kind);
    SelectData(id);
}

void CListViewFrame::SetCaption(const wxString& caption)
{
    m_caption = caption;
    Refresh(false);
}

void CListViewFrame::GetSelectionText(wxString& title, wxString& description) const
{
    title = "AVI";
    description = "You will create AVI video file.";
    const long row = SelectedRow();
    if (row < 0)
        return;
    const int id = static_cast<int>(m_list->GetItemData(row));
    title = wxString(COutputFormatEnum::GetShortTitle(id));
    const unsigned text = COutputFormatEnum::GetLongDescID(id);
    if (text && KM::Res::HasString(text))
        description = KM::Res::LoadString(text);
}

void CListViewFrame::OnListClick(wxListEvent&)
{
    const long row = SelectedRow();
    if (row >= 0) {
        if (m_notify)
            m_notify->OnFormatChanged(static_cast<int>(m_list->GetItemData(row)));
        Refresh(false);
        return;
    }
    // A click between the icons: the owner's format is shown again, nothing changes.
    if (m_notify)
        SelectFormat(m_kind, m_notify->GetCurrentFormat());
}

void CListViewFrame::OnSizeChanged(wxSizeEvent& event)
{
    event.Skip();
    if (!m_list)
        return;
    wxRect inner = GetClientRect().Deflate(1);
    m_list->SetSize(inner.x, inner.y + kCaptionBand, inner.width, std::max(inner.height - kCaptionBand - kDescriptionBand, 0));
    Refresh(false);
}

void CListViewFrame::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    const wxRect r = GetClientRect();
    dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
    dc.Clear();
    dc.SetPen(m_draw ? m_draw->m_penGray : *wxGREY_PEN);
    dc.DrawLine(r.GetRight(), r.y, r.GetRight(), r.GetBottom() + 1);
    const wxBrush band = m_draw ? m_draw->m_brushLight : wxBrush(wxColour(0xC0, 0xD8, 0xF0));
    const wxColour text = m_draw ? m_draw->m_clrText : wxColour(0, 0x15, 0x6E);
    const wxFont title = m_draw ? m_draw->m_fontBold : GetFont().Bold();
    const wxFont body = m_draw ? m_draw->m_fontNormal : GetFont();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(band);
    dc.SetTextForeground(text);
    dc.SetBackgroundMode(wxTRANSPARENT);
    const wxRect bottom(r.x + 2, r.GetBottom() + 1 - 78, r.width - 4, 76);
    dc.DrawRectangle(bottom);
    wxString name, description;
    GetSelectionText(name, description);
    dc.SetFont(title);
    dc.DrawText(name, bottom.x + 10, bottom.y + 5);
    dc.SetFont(body);
    dc.DrawLabel(WrapText(dc, description, bottom.width - 20),
                 wxRect(bottom.x + 10, bottom.y + 25, bottom.width - 20, bottom.height - 27), wxALIGN_LEFT | wxALIGN_TOP);
    const wxRect top(r.x + 2, r.y + 2, r.width - 4, 28);
    dc.DrawRectangle(top);
    dc.SetFont(title);
    dc.DrawText(m_caption, top.x + 10, top.y + 5);
}

void CListViewFrameAdv::Fill()
{
    SetRows(AdvancedRows());
}

void CListViewFrameAdv::FillForKind(int kind)
{
    SetRows(AdvancedRowsForKind(kind));
    m_kind = kind;
}

void CListViewFrameAdv::GetSelectionText(wxString& title, wxString& description) const
{
    const long row = SelectedRow();
    int code = 1;
    if (row >= 0) {
        title = GetList()->GetItemText(row);
        code = static_cast<int>(GetList()->GetItemData(row));
    }
    const unsigned text = AdvancedDescriptionId(m_kind, code);
    if (text && KM::Res::HasString(text))
        description = KM::Res::LoadString(text);
}
