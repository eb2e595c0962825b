#pragma once
// The heading of the profile list's one column: a header control whose single
// column, left-aligned, always spans the list's width.
#include <wx/headerctrl.h>

class CProfileListHeader : public wxHeaderCtrl {
public:
    CProfileListHeader(wxWindow* parent, const wxString& title);
    void SetColumnWidth(int width);
    wxString GetTitle() const { return m_column.GetTitle(); }
    int GetColumnWidth() const { return m_column.GetWidth(); }

protected:
    const wxHeaderColumn& GetColumn(unsigned int idx) const override;

private:
    wxHeaderColumnSimple m_column;
};
