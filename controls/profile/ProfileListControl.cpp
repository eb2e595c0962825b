#include "controls/profile/ProfileListControl.h"
#include "controls/ids/CommandIds.h"
#include "controls/draw/SharedDrawObjects.h"
#include "controls/profile/ProfileListHeader.h"
#include "controls/profile/TaskGroupCaption.h"
#include "controls/res/ResourceBridge.h"
#include "model/profile/ProfilesMng.h"
#include <wx/dc.h>
#include <wx/settings.h>

void DrawProfileRow(wxDC& dc, const wxRect& rect, const ProfileRow& row, bool highlighted,
                    const CSharedDrawObjects* draw)
{
    const wxFont old = dc.GetFont();
    const wxColour oldText = dc.GetTextForeground();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(highlighted ? wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT)) : *wxWHITE_BRUSH);
    dc.DrawRectangle(rect);
    const wxFont& font = row.header ? (draw ? draw->m_fontBold : old.Bold()) : (draw ? draw->m_fontNormal : old);
    dc.SetFont(font);
    dc.SetTextForeground(highlighted ? wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT) : *wxBLACK);
    dc.SetBackgroundMode(wxTRANSPARENT);
    const wxSize text = dc.GetTextExtent(row.text);
    dc.DrawText(row.text, rect.x + 2, rect.y + (rect.height - text.y) / 2);
    dc.SetFont(old);
    dc.SetTextForeground(oldText);
}

CProfileListControl::CProfileListControl(wxWindow* parent, wxWindowID id, const CSharedDrawObjects* draw)
    : wxVListBox(parent, id, wxDefaultPosition, wxDefaultSize, wxBORDER_SUNKEN), m_draw(draw)
{
    SetBackgroundColour(*wxWHITE);
    m_header = new CProfileListHeader(parent, KM::Res::LoadString(kColumnTitle));
    Bind(wxEVT_KEY_DOWN, &CProfileListControl::OnKeyDown, this);
    Bind(wxEVT_SIZE, &CProfileListControl::OnSize, this);
    Bind(wxEVT_MOTION, [this](wxMouseEvent& e) {
        e.Skip();
        SetHotRow(VirtualHitTest(e.GetPosition().y));
    });
    Bind(wxEVT_LEAVE_WINDOW, [this](wxMouseEvent& e) {
        e.Skip();
        SetHotRow(-1);
    });
}

void CProfileListControl::SetHotRow(int row)
{
    const bool heading = row >= 0 && static_cast<size_t>(row) < m_rows.size() && m_rows[static_cast<size_t>(row)].header;
    const int hot = heading ? row : -1;
    if (hot == m_hotRow)
        return;
    const int old = m_hotRow;
    m_hotRow = hot;
    for (int changed : {old, hot})
        if (changed >= 0)
            RefreshRow(static_cast<size_t>(changed));
}

CProfileListControl::~CProfileListControl()
{
    if (m_header)
        m_header->Destroy();
}

void CProfileListControl::Place(const wxRect& r)
{
    const int headerHeight = m_header ? std::min(m_header->GetBestSize().y, r.height) : 0;
    if (m_header)
        m_header->SetSize(r.x, r.y, r.width, headerHeight);
    SetSize(r.x, r.y + headerHeight, r.width, r.height - headerHeight);
}

bool CProfileListControl::Show(bool show)
{
    if (m_header)
        m_header->Show(show);
    return wxVListBox::Show(show);
}

// The one column spans the rows' width.
void CProfileListControl::OnSize(wxSizeEvent& event)
{
    event.Skip();
    if (m_header)
        m_header->SetColumnWidth(GetClientSize().x);
}

void CProfileListControl::Fill(const std::wstring& current)
{
    const ProfileRows rows = m_profiles ? BuildProfileRows(*m_profiles, current) : ProfileRows{};
    m_rows = rows.rows;
    SetItemCount(m_rows.size());
    if (!m_rows.empty())
        SetSelection(rows.selected);
    Refresh();
}

int CProfileListControl::GetSelectedIndex() const
{
    const int selected = GetSelection();
    return selected < 0 ? 0 : selected;
}

void CProfileListControl::OnDrawItem(wxDC& dc, const wxRect& rect, size_t n) const
{
    const ProfileRow row = n < m_rows.size() ? m_rows[n] : ProfileRow{};
    if (row.header && !IsSelected(n)) {
        const wxDCFontChanger keepFont(dc);
        const wxDCTextColourChanger keepColour(dc);
        const int state = static_cast<int>(n) == m_hotRow ? CTaskGroupCaption::kHot : 0;
        ::DrawTaskGroupCaption(dc, rect, row.text, state, m_draw ? m_draw->m_fontBold : GetFont().Bold());
        return;
    }
    DrawProfileRow(dc, rect, row, IsSelected(n), m_draw);
}

void CProfileListControl::OnDrawBackground(wxDC&, const wxRect&, size_t) const {}

wxCoord CProfileListControl::OnMeasureItem(size_t) const
{
    // Taller than the text where the desktop's font is large.
    return std::max(kRowHeight, GetCharHeight() + 4);
}

// Delete asks the page to delete the profile, with or without a selection.
void CProfileListControl::OnKeyDown(wxKeyEvent& event)
{
    if (event.GetKeyCode() != WXK_DELETE) {
        event.Skip();
        return;
    }
    wxCommandEvent command(wxEVT_MENU, KM::Cmd::DeleteProfile);
    command.SetEventObject(this);
    if (wxWindow* parent = GetParent())
        parent->GetEventHandler()->ProcessEvent(command);
}

CProfileComboBox::CProfileComboBox(wxWindow* parent, wxWindowID id, const CSharedDrawObjects* draw, int width)
    : wxOwnerDrawnComboBox(parent, id, wxEmptyString, wxDefaultPosition, wxSize(width, -1), 0, nullptr, wxCB_READONLY),
      m_draw(draw)
{
}

void CProfileComboBox::SetRows(const std::vector<ProfileRow>& rows, int selected)
{
    m_rows = rows;
    Clear();
    for (const ProfileRow& row : m_rows)
        Append(row.text);
    if (!m_rows.empty())
        SetSelection(selected);
}

void CProfileComboBox::OnDrawItem(wxDC& dc, const wxRect& rect, int item, int flags) const
{
    const ProfileRow row = item >= 0 && static_cast<size_t>(item) < m_rows.size() ? m_rows[static_cast<size_t>(item)]
                                                                                    : ProfileRow{};
    // A heading is never shown as chosen.
    const bool highlighted = !row.header && (flags & wxODCB_PAINTING_SELECTED) && !(flags & wxODCB_PAINTING_CONTROL);
    DrawProfileRow(dc, rect, row, highlighted, m_draw);
}

void CProfileComboBox::OnDrawBackground(wxDC&, const wxRect&, int, int) const {}

wxCoord CProfileComboBox::OnMeasureItem(size_t) const
{
    return std::max(CProfileListControl::kRowHeight, GetCharHeight() + 4);
}
