#pragma once
// Test doubles of the engine's media source and of the shell services the
// source model calls: a source whose facts, sub-files, open results and open
// delay a test sets, and fakes of the wait dialog, the active document and
// the file chooser.
#include "engine/EngineNode.h"
#include "engine/MediaSourceGraph.h"
#include "model/source/SourceShell.h"
#include "platform/Sync.h"
#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace fakes {

// A named value reached through IEngineNode (read and written) and through
// IPropertyContainer (read).
class CFakeProperty : public CComObjectBase<IEngineProperty, IEngineValue> {
public:
    explicit CFakeProperty(CVariant* slot) : m_slot(slot) {}
    // IEngineProperty
    HRESULT GetName(BSTR*) override { return E_NOTIMPL; }
    HRESULT GetSettingsKey(BSTR*) override { return E_NOTIMPL; }
    HRESULT GetDisplayText(BSTR*) override { return E_NOTIMPL; }
    HRESULT GetDescription(BSTR*) override { return E_NOTIMPL; }
    HRESULT GetFlags(DWORD*) override { return E_NOTIMPL; }
    HRESULT GetKind(VARTYPE*) override { return E_NOTIMPL; }
    HRESULT GetOwner(IUnknown**) override { return E_NOTIMPL; }
    HRESULT GetValue(VARIANT* value) override { return VariantCopy(value, m_slot); }
    HRESULT GetDefault(VARIANT*) override { return E_NOTIMPL; }
    HRESULT Reset() override { return E_NOTIMPL; }
    HRESULT GetValueAs(VARTYPE, VARIANT*) override { return E_NOTIMPL; }
    HRESULT IsSet(BOOL*) override { return E_NOTIMPL; }
    HRESULT GetChildNode(IUnknown**) override { return E_NOTIMPL; }
    HRESULT SetChildNode(IUnknown*) override { return E_NOTIMPL; }
    HRESULT SetValue(VARIANT value) override { return VariantCopy(m_slot, &value); }
    // IEngineValue (the rest shares names and signatures with the above)
    HRESULT GetLinkedObject(IUnknown**) override { return E_NOTIMPL; }
    HRESULT GetAsI4(LONG*) override { return E_NOTIMPL; }
    HRESULT GetAsUI4(ULONG*) override { return E_NOTIMPL; }
    HRESULT GetAsR8(double*) override { return E_NOTIMPL; }
    HRESULT GetAsBSTR(BSTR*) override { return E_NOTIMPL; }
    HRESULT GetAsI8(LONGLONG*) override { return E_NOTIMPL; }
    HRESULT IsEmpty(BOOL*) override { return E_NOTIMPL; }
    HRESULT IsReadOnly(BOOL*) override { return E_NOTIMPL; }

private:
    CVariant* m_slot;  // lives in the owning source
};

class CFakeCollection : public CComObjectBase<IEngineCollection> {
public:
    std::vector<ComPtr<IUnknown>> items;
    HRESULT GetCount(LONG* count) override;
    HRESULT GetItem(LONG index, IUnknown** item) override;
    HRESULT Remove(LONG) override { return E_NOTIMPL; }
    HRESULT RemoveAll() override { return E_NOTIMPL; }
    HRESULT Insert(LONG, IUnknown*) override { return E_NOTIMPL; }
    HRESULT Add(IUnknown*) override { return E_NOTIMPL; }
    HRESULT IndexOf(IUnknown*, LONG*) override { return E_NOTIMPL; }
    HRESULT CreateNew(IUnknown**) override { return E_NOTIMPL; }
};

// A media source, a title or a chapter.
class CFakeSource : public CComObjectBase<IEngineNode, IPropertyContainer, IMediaSourceGraph, IMediaItem> {
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
    HRESULT GetName(BSTR*) override { return E_NOTIMPL; }
    HRESULT GetOwner(IUnknown**) override { return E_NOTIMPL; }
    HRESULT GetItemCount(LONG*) override { return E_NOTIMPL; }
    HRESULT GetItemAt(LONG, IUnknown**) override { return E_NOTIMPL; }
    HRESULT GetItem(const wchar_t* name, IUnknown** item) override;
    HRESULT GetValue(const wchar_t*, VARIANT*) override { return E_NOTIMPL; }
    HRESULT SetValue(const wchar_t*, VARIANT) override { return E_NOTIMPL; }
    HRESULT AddProperty(const wchar_t*, VARIANT, IUnknown**) override { return E_NOTIMPL; }
    HRESULT AddChild(const wchar_t*, IUnknown*) override { return E_NOTIMPL; }
    HRESULT RemoveItem(const wchar_t*) override { return E_NOTIMPL; }
    HRESULT ApplySwitch(IUnknown*, LONG) override { return E_NOTIMPL; }
    // IPropertyContainer
    HRESULT GetCount(LONG*) override { return E_NOTIMPL; }
    HRESULT GetAt(LONG, IUnknown**) override { return E_NOTIMPL; }
    HRESULT GetDescription(BSTR*) override { return E_NOTIMPL; }
    HRESULT GetFlags(DWORD*) override { return E_NOTIMPL; }
    HRESULT GetDisplayText(BSTR*) override { return E_NOTIMPL; }
    HRESULT Contains(const wchar_t*, BOOL*) override { return E_NOTIMPL; }
    HRESULT GetItemByName(const wchar_t* name, IUnknown** item) override;
    // IMediaSourceGraph
    HRESULT Open(IMsgHandler* handler) override;
    HRESULT ContinueOpen(IProgressImpl* progress) override;
    HRESULT BuildGraph(LONG, IUnknown**) override { return E_NOTIMPL; }
    HRESULT ReadFrame(REFERENCE_TIME, void*, BYTE**, DWORD*, BYTE**) override { return E_NOTIMPL; }
    HRESULT GetDuration(REFERENCE_TIME*) override { return E_NOTIMPL; }
    HRESULT IsOpen(BOOL*) override { return E_NOTIMPL; }
    HRESULT GetLastError(BSTR* text) override;
    HRESULT Close() override { return E_NOTIMPL; }
    HRESULT ReleaseGraph() override;
    HRESULT ResetAfterJob(LONG, LONG) override { return E_NOTIMPL; }
    // IMediaItem
    HRESULT SetSource(IUnknown*) override { return E_NOTIMPL; }
    HRESULT GetSource(IUnknown**) override { return E_NOTIMPL; }
    HRESULT SetJob(IUnknown*) override { return E_NOTIMPL; }
    HRESULT SetOwner(IUnknown* newOwner) override;
    HRESULT GetAssociated(IUnknown**) override { return E_NOTIMPL; }
    HRESULT GetJob(IUnknown**) override { return E_NOTIMPL; }

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
