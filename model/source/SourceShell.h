#pragma once
// What the source model needs of the window shell: the "Please wait..." dialog
// of a slow media-source open, the active document's error report and the
// multi-select file chooser and the wait cursor. The shell installs them at start-up; tests install
// fakes. Without an installed service the model carries on without it.
#include <memory>
#include <string>
#include <vector>

struct IProgressImpl;

// The modal wait dialog. Made on the user interface thread; its progress sink
// may be used by the open worker until the model has joined that worker, so
// the dialog object must stay valid (and its sink safe to call) while its
// window is already gone.
class IProgressDlg {
public:
    virtual ~IProgressDlg() = default;
    // Sink handed to the engine: progress, and whether the user lets it go on.
    virtual IProgressImpl* GetProgress() = 0;
    // Runs the modal loop until Close is called or the user closes the window.
    // Returns at once when Close was called before.
    virtual void DoModal() = 0;
    // Callable from any thread; ends DoModal now or as soon as it starts.
    virtual void Close() = 0;
};

class IProgressDlgFactory {
public:
    virtual ~IProgressDlgFactory() = default;
    virtual std::unique_ptr<IProgressDlg> CreateProgressDlg() = 0;
};

// The application's active document.
class IActiveDocument {
public:
    virtual ~IActiveDocument() = default;
    // Shows an error text to the user (the document's listeners, flag 8).
    virtual void ReportError(std::wstring text) = 0;
};

// The shell's open-file chooser.
class IFileBrowser {
public:
    virtual ~IFileBrowser() = default;
    // Empties paths, then fills it with the chosen full paths in the dialog's
    // order (multi-select); a cancelled dialog leaves it empty. filter holds
    // label|pattern pairs ended by "||"; initialFolder may be null.
    virtual void BrowseFile(std::vector<std::wstring>& paths, const wchar_t* initialFolder,
                            const wchar_t* filter, bool mustExist) = 0;
};

// The busy mouse pointer shown while a source entry opens.
class IWaitCursor {
public:
    virtual ~IWaitCursor() = default;
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
};

// Shows the installed wait cursor for its lifetime.
class CWaitCursorScope {
public:
    CWaitCursorScope();
    ~CWaitCursorScope();
    CWaitCursorScope(const CWaitCursorScope&) = delete;
    CWaitCursorScope& operator=(const CWaitCursorScope&) = delete;

private:
    IWaitCursor* m_cursor;
};

// Process-wide installation; each setter returns the previous service. The
// services are not owned and must outlive their installation.
namespace SourceShell {
IProgressDlgFactory* SetProgressDlgFactory(IProgressDlgFactory* factory);
IActiveDocument* SetActiveDocument(IActiveDocument* document);
IFileBrowser* SetFileBrowser(IFileBrowser* browser);
IWaitCursor* SetWaitCursor(IWaitCursor* cursor);

IProgressDlgFactory* GetProgressDlgFactory();
IActiveDocument* GetActiveDocument();
IFileBrowser* GetFileBrowser();
IWaitCursor* GetWaitCursor();
}
