#pragma once
// Test doubles of the engine's media source and of the shell services the
// source model calls: a source whose facts, sub-files, open results and open
// delay a test sets, and fakes of the wait dialog, the active document and
// the file chooser.
#include "fixtures/EngineStubs.h"
#include "model/source/SourceShell.h"
#include "platform/Sync.h"
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CClassOverride;

namespace fakes {

// A named value reached through IEngineNode (read and written) and through
// IPropertyContainer (read).
class CFakeProperty : public CComObjectBase<stubs::StubEngineProperty, stubs::StubEngineValue> {
public:
    explicit CFakeProperty(CVariant* slot) : m_slot(slot) {}
    // Both interfaces read the slot.
    HRESULT GetValue(VARIANT* value) override { return VariantCopy(value, m_slot); }
    HRESULT SetValue(VARIANT value) override { return VariantCopy(m_slot, &value); }

private:
    CVariant* m_slot;  // lives in the owning source
};

class CFakeCollection : public CComObjectBase<stubs::ItemsCollectionOf<stubs::StubEngineCollection>> {};

// A media source, a title or a chapter.
class CFakeSource : public CComObjectBase<stubs::StubEngineNode, stubs::StubPropertyContainer,
                                          stubs::StubMediaSourceGraph, stubs::StubMediaItem> {
public:
    // Node properties ("FileName", "DurationByS", "unique_file_id", ...); the
    // same names answer the container when listed in containerItems too.
    std::map<std::wstring, CVariant> properties;
    // Items of the property container ("Video", "Width", ...) with their values.
    std::map<std::wstring, CVariant> containerItems;
    ComPtr<CFakeCollection> subFiles;  // "SubFiles", null when absent
    bool hasGraph = true;
    bool hasContainer = true;

    HRESULT openResult = S_OK;
    HRESULT continueResult = S_OK;
    int continueDelayMs = 0;
    std::wstring errorText;  // answered by GetLastError after a failed open
    std::atomic<int> openCalls{0};
    std::atomic<int> continueCalls{0};
    std::atomic<int> releaseGraphCalls{0};
    std::atomic<int> progressCalls{0};
    std::atomic<bool> continueRunning{false};
    IUnknown* owner = nullptr;  // not owned

    // Facts as a probed source answers them.
    void SetVideo(double seconds, int width, int height);
    void AddSubFile(const ComPtr<CFakeSource>& subFile);

    // IEngineNode
    HRESULT GetItem(const wchar_t* name, IUnknown** item) override;
    // IPropertyContainer
    HRESULT GetItemByName(const wchar_t* name, IUnknown** item) override;
    // IMediaSourceGraph
    HRESULT Open(IMsgHandler* handler) override;
    HRESULT ContinueOpen(IProgressImpl* progress) override;
    HRESULT GetLastError(BSTR* text) override;
    HRESULT ReleaseGraph() override;
    // IMediaItem
    HRESULT SetOwner(IUnknown* newOwner) override;

    HRESULT QueryInterface(REFIID iid, void** out) override;

private:
    CErrorMng m_errors;
};

ComPtr<CFakeSource> MakeSource();

// Makes CoCreateInstance of the media source hand out the sources a test
// prepares (or fail); puts the engine's own class back afterwards.
class CSourceFactoryScope {
public:
    CSourceFactoryScope();
    ~CSourceFactoryScope();
    // The next creations hand these out in order; then fresh empty sources.
    void Queue(const ComPtr<CFakeSource>& source);
    bool fail = false;  // creation fails (the registry answers E_OUTOFMEMORY)
    std::atomic<int> created{0};
    // Every source handed out, in order.
    std::vector<ComPtr<CFakeSource>> made;

private:
    std::mutex m_mutex;
    std::vector<ComPtr<CFakeSource>> m_queue;
    std::unique_ptr<CClassOverride> m_override;  // last: its factory uses the members above
};

// The wait dialog: counts what the model does with it.
class CFakeProgressDlg : public IProgressDlg {
public:
    struct Log {
        std::atomic<int> created{0};
        std::atomic<int> shown{0};
        std::atomic<int> closed{0};
        std::atomic<int> destroyed{0};
        std::atomic<bool> closeWhileDestroyed{false};
        bool userClosesAtOnce = false;  // DoModal returns at once, as after Escape
        int windowDelayMs = 0;  // how long the dialog takes to get its window
    };
    explicit CFakeProgressDlg(Log& log);
    ~CFakeProgressDlg() override;
    IProgressImpl* GetProgress() override { return &m_sink; }
    void DoModal() override;
    void Close() override;

private:
    class Sink : public IProgressImpl {
    public:
        explicit Sink(CFakeProgressDlg& owner) : m_owner(owner) {}
        HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
        ULONG AddRef() override { return 1; }
        ULONG Release() override { return 1; }
        HRESULT SetRange(LONGLONG) override;
        HRESULT SetPos(LONGLONG) override;
        HRESULT Reserved() override { return S_OK; }
        BOOL CanContinue() override;

    private:
        CFakeProgressDlg& m_owner;
    };

    Log& m_log;
    Sink m_sink{*this};
    CEvent m_closed;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_alive{true};
};

class CFakeProgressFactory : public IProgressDlgFactory {
public:
    CFakeProgressFactory();
    ~CFakeProgressFactory() override;
    std::unique_ptr<IProgressDlg> CreateProgressDlg() override;
    CFakeProgressDlg::Log log;
};

class CFakeDocument : public IActiveDocument {
public:
    CFakeDocument();
    ~CFakeDocument() override;
    void ReportError(std::wstring text) override { reports.push_back(text); }
    std::vector<std::wstring> reports;
};

class CFakeBrowser : public IFileBrowser {
public:
    CFakeBrowser();
    ~CFakeBrowser() override;
    void BrowseFile(std::vector<std::wstring>& paths, const wchar_t* initialFolder, const wchar_t* filter,
                    bool mustExist) override;
    std::vector<std::wstring> answer;
    std::wstring seenFolder;  // "<null>" when none was given
    std::wstring seenFilter;
    bool seenMustExist = false;
    int calls = 0;
};

}  // namespace fakes
