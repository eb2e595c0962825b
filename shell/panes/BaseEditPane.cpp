#include "shell/panes/BaseEditPane.h"
#include "shell/KMSplitterExWnd.h"
#include "shell/KestrelMediaDoc.h"
#include "model/project/Project.h"
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
    for (wxWindow* w : Windows())
        if (w)
            w->Show();
}

void CBaseEditPane::Hide()
{
    for (wxWindow* w : Windows())
        if (w)
            w->Hide();
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

const CCommandTable& CBaseEditPane::Commands()
{
    if (!m_commandsRegistered) {
        m_commandsRegistered = true;
        RegisterCommands(m_commands);
    }
    return m_commands;
}


bool CBaseEditPane::PreTranslateMessage(const wxKeyEvent&)
{
    return false;
}

CProject* CBaseEditPane::Project() const
{
    return m_pDoc ? m_pDoc->GetProject() : nullptr;
}

CFrameFileObj* CBaseEditPane::CurrentOutput() const
{
    CProject* project = Project();
    return project ? project->GetCurrentOutput() : nullptr;
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

std::vector<wxWindow*> CBaseEditPane::Windows() const
{
    return {m_pMainWnd};
}

void CBaseEditPane::Place(wxWindow* window, int x, int y, int width, int height)
{
    if (window)
        window->SetSize(x, y, std::max(width, 0), std::max(height, 0));
}

int CBaseEditPane::PlaceSettingsColumn(wxWindow* column, int left, int top, int right, int bottom) const
{
    const int w = ColumnWidth();
    Place(m_pSplitter, right - w - 7, top, 7, bottom - top);
    Place(column, right - w, top, w, bottom - top);
    return right - left - w - 107;
}

void CBaseEditPane::OnProjectReplacing(CProject*, CProject*)
{
    Unbind();
}
