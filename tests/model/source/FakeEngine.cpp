#include "FakeEngine.h"
#include "fixtures/ClassOverride.h"
#include "engine/EngineIds.h"
#include "platform/ClassRegistry.h"
#include <chrono>
#include <thread>

namespace fakes {

void CFakeSource::SetVideo(double seconds, int width, int height)
{
    properties[L"DurationByS"] = CVariant(seconds);
    containerItems[L"DurationByS"] = CVariant(seconds);
    containerItems[L"Width"] = CVariant(int32_t(width));
    containerItems[L"Height"] = CVariant(int32_t(height));
    containerItems[L"Video"] = CVariant(L"h264");
}

void CFakeSource::AddSubFile(const ComPtr<CFakeSource>& subFile)
{
    if (!subFiles) subFiles = MakeComObject<CFakeCollection>();
    subFiles->items.push_back(ComPtr<IUnknown>(static_cast<IEngineNode*>(subFile.Get())));
}

HRESULT CFakeSource::GetItem(const wchar_t* name, IUnknown** item)
{
    *item = nullptr;
    if (std::wstring(name) == L"SubFiles") {
        if (!subFiles) return E_INVALIDARG;
        *item = static_cast<IEngineCollection*>(subFiles.Get());
        (*item)->AddRef();
        return S_OK;
    }
    auto it = properties.find(name);
    if (it == properties.end()) return E_INVALIDARG;
    *item = static_cast<IEngineProperty*>(MakeComObject<CFakeProperty>(&it->second).Detach());
    return S_OK;
}

HRESULT CFakeSource::GetItemByName(const wchar_t* name, IUnknown** item)
{
    *item = nullptr;
    auto it = containerItems.find(name);
    if (it == containerItems.end()) return E_INVALIDARG;
    *item = static_cast<IEngineProperty*>(MakeComObject<CFakeProperty>(&it->second).Detach());
    return S_OK;
}

HRESULT CFakeSource::Open(IMsgHandler*)
{
    ++openCalls;
    // As the engine: the thread's last error is cleared, then set on failure.
    m_errors.SetError(FAILED(openResult) ? errorText : L"");
    return openResult;
}

HRESULT CFakeSource::ContinueOpen(IProgressImpl* progress)
{
    ++continueCalls;
    continueRunning = true;
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(continueDelayMs);
    if (progress) progress->SetRange(100);
    // Reports like the engine: progress, and stops when asked to.
    while (std::chrono::steady_clock::now() < end) {
        if (progress) {
            progress->SetPos(50);
            ++progressCalls;
            if (!progress->CanContinue()) break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    continueRunning = false;
    m_errors.SetError(FAILED(continueResult) ? errorText : L"");
    return continueResult;
}

HRESULT CFakeSource::GetLastError(BSTR* text)
{
    if (errorText.empty()) return S_FALSE;
    *text = SysAllocString(errorText);
    return S_OK;
}

HRESULT CFakeSource::ReleaseGraph()
{
    ++releaseGraphCalls;
    return S_OK;
}

HRESULT CFakeSource::SetOwner(IUnknown* newOwner)
{
    owner = newOwner;
    return S_OK;
}

HRESULT CFakeSource::QueryInterface(REFIID iid, void** out)
{
    if ((iid == IID_IMediaSourceGraph && !hasGraph) || (iid == IID_IPropertyContainer && !hasContainer)) {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    return CComObjectBase::QueryInterface(iid, out);
}

ComPtr<CFakeSource> MakeSource()
{
    ComPtr<CFakeSource> source = MakeComObject<CFakeSource>();
    // What the program writes before an open.
    source->properties[L"FileName"] = CVariant();
    source->properties[L"Type"] = CVariant();
    return source;
}

CSourceFactoryScope::CSourceFactoryScope()
{
    m_override = std::make_unique<CClassOverride>(CLSID_MediaSource, [this]() -> IUnknown* {
        std::lock_guard<std::mutex> lk(m_mutex);
        if (fail) return nullptr;
        ComPtr<CFakeSource> next;
        if (!m_queue.empty()) {
            next = m_queue.front();
            m_queue.erase(m_queue.begin());
        } else {
            next = MakeSource();
        }
        made.push_back(next);
        ++created;
        return static_cast<IEngineNode*>(next.Get());  // made keeps it alive
    });
}

CSourceFactoryScope::~CSourceFactoryScope() = default;

void CSourceFactoryScope::Queue(const ComPtr<CFakeSource>& source)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_queue.push_back(source);
}

CFakeProgressDlg::CFakeProgressDlg(Log& log) : m_log(log)
{
    ++m_log.created;
}

CFakeProgressDlg::~CFakeProgressDlg()
{
    m_alive = false;
    ++m_log.destroyed;
}

void CFakeProgressDlg::DoModal()
{
    ++m_log.shown;
    std::this_thread::sleep_for(std::chrono::milliseconds(m_log.windowDelayMs));
    if (m_log.userClosesAtOnce) {
        m_stop = true;  // the window is gone; the engine is asked to stop
        return;
    }
    m_closed.Wait();
}

void CFakeProgressDlg::Close()
{
    if (!m_alive) m_log.closeWhileDestroyed = true;
    ++m_log.closed;
    m_closed.Set();
}

HRESULT CFakeProgressDlg::Sink::SetRange(LONGLONG)
{
    if (!m_owner.m_alive) m_owner.m_log.closeWhileDestroyed = true;
    return S_OK;
}

HRESULT CFakeProgressDlg::Sink::SetPos(LONGLONG)
{
    if (!m_owner.m_alive) m_owner.m_log.closeWhileDestroyed = true;
    return S_OK;
}

BOOL CFakeProgressDlg::Sink::CanContinue()
{
    return m_owner.m_stop ? 0 : 1;
}

CFakeProgressFactory::CFakeProgressFactory() { SourceShell::SetProgressDlgFactory(this); }
CFakeProgressFactory::~CFakeProgressFactory() { SourceShell::SetProgressDlgFactory(nullptr); }

std::unique_ptr<IProgressDlg> CFakeProgressFactory::CreateProgressDlg()
{
    return std::make_unique<CFakeProgressDlg>(log);
}

CFakeDocument::CFakeDocument() { SourceShell::SetActiveDocument(this); }
CFakeDocument::~CFakeDocument() { SourceShell::SetActiveDocument(nullptr); }

CFakeBrowser::CFakeBrowser() { SourceShell::SetFileBrowser(this); }
CFakeBrowser::~CFakeBrowser() { SourceShell::SetFileBrowser(nullptr); }

void CFakeBrowser::BrowseFile(std::vector<std::wstring>& paths, const wchar_t* initialFolder, const wchar_t* filter,
                              bool mustExist)
{
    ++calls;
    seenFolder = initialFolder ? initialFolder : L"<null>";
    seenFilter = filter ? filter : L"";
    seenMustExist = mustExist;
    paths = answer;
}

}  // namespace fakes
