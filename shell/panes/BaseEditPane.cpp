#include "shell/panes/BaseEditPane.h"
#include "shell/KMSplitterExWnd.h"
#include "shell/KestrelMediaDoc.h"
#include <algorithm>
#include <wx/window.h>

CBaseEditPane::CBaseEditPane(CKestrelMediaDoc* doc, wxWindow* view, CKMSplitterExWnd* splitter,
                             unsigned contextMenuId)
    : m_pDoc(doc), m_pView(view), m_pSplitter(splitter), m_nContextMenuId(contextMenuId)
{
    if (doc)
        m_registration = doc->GetProjectReplacedNotice().Register(this);
}

CBaseEditPane::~CBaseEditPane() = default;

void CBaseEditPane::Show()
{
    if (m_pMainWnd)
        m_pMainWnd->Show();
}

void CBaseEditPane::Hide()
{
    if (m_pMainWnd)
        m_pMainWnd->Hide();
}

void CBaseEditPane::Layout(int left, int top, int right, int bottom)
{
    Place(m_pMainWnd, kPaneBarWidth, top, right - left - kPaneBarWidth, bottom - top);
}

void CBaseEditPane::Attach(CKestrelMediaDoc* doc)
{
    if (doc != m_pDoc) {
        m_registration.Reset();
        if (doc)
            m_registration = doc->GetProjectReplacedNotice().Register(this);
    }
    m_pDoc = doc;
    BindCurrentFile();
}

void CBaseEditPane::Apply(uintptr_t, intptr_t) {}

bool CBaseEditPane::OnUpdateCommand(int, wxUpdateUIEvent&)
{
    return false;
}

bool CBaseEditPane::OnExecuteCommand(int)
{
    return false;
}

bool CBaseEditPane::PreTranslateMessage(const wxKeyEvent&)
{
    return false;
}

CProject* CBaseEditPane::Project() const
{
    return m_pDoc ? m_pDoc->GetProject() : nullptr;
}

int CBaseEditPane::ColumnWidth() const
{
    return m_pSplitter ? m_pSplitter->m_keptValue : 0;
}

void CBaseEditPane::SetModified() const
{
    if (m_pDoc)
        m_pDoc->SetModifiedFlag(true);
}

void CBaseEditPane::ShowWindows(std::initializer_list<wxWindow*> windows, bool show)
{
    for (wxWindow* w : windows)
        if (w)
            w->Show(show);
}

void CBaseEditPane::Place(wxWindow* window, int x, int y, int width, int height)
{
    if (window)
        window->SetSize(x, y, std::max(width, 0), std::max(height, 0));
}

void CBaseEditPane::OnProjectReplacing(CProject*, CProject*)
{
    Unbind();
}
