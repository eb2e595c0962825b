#include "controls/profile/ProfileListHeader.h"

CProfileListHeader::CProfileListHeader(wxWindow* parent, const wxString& title)
    : wxHeaderCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0), m_column(title, 0, wxALIGN_LEFT, 0)
{
    SetColumnCount(1);
}

void CProfileListHeader::SetColumnWidth(int width)
{
    if (width == m_column.GetWidth())
        return;
    m_column.SetWidth(width);
    UpdateColumn(0);
}

const wxHeaderColumn& CProfileListHeader::GetColumn(unsigned int) const
{
    return m_column;
}
