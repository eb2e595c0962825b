#include "controls/timeline/TimelinesCtrl.h"
#include "controls/res/ResourceBridge.h"
#include "controls/small/ListDropDownCtrl.h"
#include "controls/timeline/TaskPaneLook.h"
#include "controls/timeline/TimelinePlayer.h"
#include "controls/timeline/TimelinesRows.h"
#include "model/source/KMFile.h"
#include <utility>
#include <wx/dcbuffer.h>

bool CTimelinesCtrl::Create(wxWindow* parent, wxWindowID id)
{
    if (!wxWindow::Create(parent, id, wxDefaultPosition, wxDefaultSize, wxCLIP_CHILDREN | wxTAB_TRAVERSAL))
        return false;
    if (!m_player) m_player = &CAppTimelinePlayer::Get();
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CTimelinesCtrl::OnPaint, this);
    Bind(wxEVT_SIZE, &CTimelinesCtrl::OnSize, this);
    CreateList();
    return true;
}

void CTimelinesCtrl::CreateList()
{
    m_list = new CListDropDownCtrl(this, kListId, wxDefaultPosition, wxDefaultSize, wxLC_REPORT);
    m_list->InsertColumn(0, KM::Res::LoadString(kColumnTitleId), wxLIST_FORMAT_LEFT, 200);
    m_list->SetColumnWidth(0, wxLIST_AUTOSIZE_USEHEADER);
    // The selection has moved by the time the button is up. The release that
    // ends a double click is no click of its own.
    m_list->Bind(wxEVT_LEFT_DCLICK, [this](wxMouseEvent& event) {
        event.Skip();
        m_releaseEndsDoubleClick = true;
    });
    m_list->Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& event) {
        event.Skip();
        if (std::exchange(m_releaseEndsDoubleClick, false))
            return;
        CallAfter([this] { OnRowClick(); });
    });
    m_list->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent&) { OnRowDoubleClick(); });
}

void CTimelinesCtrl::SetItem(CKMFile* entry)
{
    m_item = entry;
    const TimelinesRows rows = MakeTimelinesRows(entry);
    m_list->Freeze();
    m_list->DeleteAllItems();
    for (size_t i = 0; i < rows.rows.size(); ++i) m_list->InsertItem(static_cast<long>(i), wxString(rows.rows[i]));
    if (rows.selected >= 0) {
        const int both = wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED;
        m_list->SetItemState(rows.selected, both, both);
    }
    if (!rows.rows.empty()) m_list->SetColumnWidth(0, wxLIST_AUTOSIZE_USEHEADER);
    m_list->Thaw();
}

void CTimelinesCtrl::UpdateCurrentRow()
{
    if (!m_item) return;
    const int64_t start = m_item->GetStartTime(), end = m_item->GetEndTime();
    const long row = m_item->m_currentTimeline;
    if (row >= 0 && row < m_list->GetItemCount()) m_list->SetItemText(row, wxString(RangeRowText(start, end)));
}

void CTimelinesCtrl::OnRowClick()
{
    const long sel = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    ClickTimelineRow(m_item, static_cast<int>(sel), *m_player, m_listener);
}

void CTimelinesCtrl::OnRowDoubleClick()
{
    DoubleClickTimelines(*m_player);
}

void CTimelinesCtrl::OnSize(wxSizeEvent& event)
{
    event.Skip();
    if (!m_list) return;
    const wxSize size = GetClientSize();
    m_list->SetSize(1, 0, size.x, size.y - 1);
    m_list->SetColumnWidth(0, wxLIST_AUTOSIZE_USEHEADER);
}

void CTimelinesCtrl::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    const wxRect r = GetClientRect();
    TaskPaneLook::FillPaneBackground(dc, wxRect(r.x, r.y, r.width, r.height + 130));
}
