#include "model/source/SourceShell.h"
#include <atomic>

namespace {
std::atomic<IProgressDlgFactory*> g_progressFactory{nullptr};
std::atomic<IActiveDocument*> g_document{nullptr};
std::atomic<IFileBrowser*> g_browser{nullptr};
std::atomic<IWaitCursor*> g_cursor{nullptr};
}

namespace SourceShell {
IProgressDlgFactory* SetProgressDlgFactory(IProgressDlgFactory* factory) { return g_progressFactory.exchange(factory); }
IActiveDocument* SetActiveDocument(IActiveDocument* document) { return g_document.exchange(document); }
IFileBrowser* SetFileBrowser(IFileBrowser* browser) { return g_browser.exchange(browser); }
IWaitCursor* SetWaitCursor(IWaitCursor* cursor) { return g_cursor.exchange(cursor); }

IProgressDlgFactory* GetProgressDlgFactory() { return g_progressFactory.load(); }
IActiveDocument* GetActiveDocument() { return g_document.load(); }
IFileBrowser* GetFileBrowser() { return g_browser.load(); }
IWaitCursor* GetWaitCursor() { return g_cursor.load(); }
}

CWaitCursorScope::CWaitCursorScope() : m_cursor(SourceShell::GetWaitCursor())
{
    if (m_cursor) m_cursor->BeginWaitCursor();
}

CWaitCursorScope::~CWaitCursorScope()
{
    if (m_cursor) m_cursor->EndWaitCursor();
}
