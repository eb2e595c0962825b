#include "controls/grid/PropertiesFrameCtrl.h"
#include <algorithm>

#include "controls/ids/WindowMessages.h"
#include <wx/dcbuffer.h>
#include <wx/settings.h>

bool CPropertiesFrameCtrl::Create(wxWindow* parent)
{
    if (!wxWindow::Create(parent, kFrameId, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxCLIP_CHILDREN))
        return false;
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CPropertiesFrameCtrl::OnPaint, this);
    Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
        FitGrid();
        e.Skip();
    });
    // The grid's notices go on to the parent at once, so it has acted when the grid's send returns.
    Bind(EVT_KM_GRID_CHANGED, [this](KM::CWindowMessageEvent& e) {
        e.SetResult(KM::SendWindowMessage(GetParent(), KM::WM_KM_GRID_CHANGED, e.GetWParam(), e.GetLParam()));
    });
    m_grid = new CPropertiesEditCtrl(this, kGridId);
    m_grid->SetOwnerWindow(this);
    FitGrid();
    return true;
}

void CPropertiesFrameCtrl::FitGrid()
{
    if (!m_grid) return;
    const wxSize s = GetClientSize();
    // Right of the 1-pixel strip, and no wider than what is left of the frame.
    m_grid->SetSize(1, 0, std::max(s.x - 1, 0), s.y);
}

void CPropertiesFrameCtrl::Refresh()
{
    if (!m_grid) return;
    const CSchemaProperty* selected = CPropertiesEditCtrl::RowProperty(m_grid->GetSelection());
    m_grid->SetRebuilding(true);
    m_grid->BuildRowsFromParameterTree(m_grid->GetTree(), m_grid->GetContext(), true);
    m_grid->SetRebuilding(false);
    if (wxPGProperty* row = m_grid->FindRow(selected)) m_grid->SelectProperty(row, false);
}

void CPropertiesFrameCtrl::OnChange()
{
    if (m_grid) m_grid->RefreshValues();
    KM::SendWindowMessage(GetParent(), KM::WM_KM_GRID_CHANGED, 0, 0);
}

void CPropertiesFrameCtrl::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
    dc.Clear();
}
