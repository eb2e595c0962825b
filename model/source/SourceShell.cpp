#include "model/source/SourceShell.h"
#include <atomic>

namespace {
std::atomic<IProgressDlgFactory*> g_progressFactory{nullptr};
std::atomic<IActiveDocument*> g_document{nullptr};
std::atomic<IFileBrowser*> g_browser{nullptr};
}

namespace SourceShell {
IProgressDlgFactory* SetProgressDlgFactory(IProgressDlgFactory* factory) { return g_progressFactory.exchange(factory); }
IActiveDocument* SetActiveDocument(IActiveDocument* document) { return g_document.exchange(document); }
IFileBrowser* SetFileBrowser(IFileBrowser* browser) { return g_browser.exchange(browser); }

IProgressDlgFactory* GetProgressDlgFactory() { return g_progressFactory.load(); }
IActiveDocument* GetActiveDocument() { return g_document.load(); }
IFileBrowser* GetFileBrowser() { return g_browser.load(); }
}
