#include "shell/KMSplitterWnd.h"

void CKMSplitterWnd::SetPanes(std::vector<wxWindow*> panes)
{
    m_panes = std::move(panes);
    SizeWindows();
}

wxWindow* CKMSplitterWnd::GetPane(int row, int column) const
{
    int index = GetSplitMode() == wxSPLIT_HORIZONTAL ? row : column;
    if (row >= 0 && static_cast<size_t>(row) < m_panes.size()) return m_panes[static_cast<size_t>(row)];
    if (index == 0) return GetWindow1();
    if (index == 1) return GetWindow2();
    return nullptr;
}

void CKMSplitterWnd::SizeWindows()
{
    if (m_panes.size() >= 2 && IsSplit()) {
        if (GetWindow1() != m_panes[0]) ReplaceWindow(GetWindow1(), m_panes[0]);
        if (GetWindow2() != m_panes[1]) ReplaceWindow(GetWindow2(), m_panes[1]);
        for (wxWindow* w : {m_panes[0], m_panes[1]})
            if (!w->IsShown()) w->Show();
    }
    wxSplitterWindow::SizeWindows();
}
