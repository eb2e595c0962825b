#include "model/source/FileParserImpl.h"
#include "engine/EngineIds.h"
#include "engine/EngineNode.h"
#include "engine/MediaSourceGraph.h"
#include "engine/MediaSourceKeys.h"
#include "model/source/MediaKind.h"
#include "model/source/PropertyAccess.h"
#include "model/source/SourceShell.h"
#include "model/source/SourceStrings.h"
#include "platform/ClassRegistry.h"
#include "platform/Sync.h"
#include <cmath>
#include <cstdarg>
#include <limits>
#include <memory>
#include <pthread.h>
#include <thread>

namespace {
constexpr DWORD kSourceContext = 23;  // in-process and local/remote servers and handlers
constexpr double kUnitsPerSecond = 10'000'000.0;

// Truncates toward zero; false when the value does not fit (or is no number).
template <class T>
bool TruncateTo(double value, T& out)
{
    if (!std::isfinite(value)) return false;
    double t = std::trunc(value);
    if (t < static_cast<double>(std::numeric_limits<T>::min())
        || t >= static_cast<double>(std::numeric_limits<T>::max()))
        return false;
    out = static_cast<T>(t);
    return true;
}
}

CFileParserImpl::CFileParserImpl() = default;

CFileParserImpl::~CFileParserImpl() = default;

ComPtr<IUnknown> CFileParserImpl::CurrentSource() const
{
    return m_override ? m_override : m_source;
}

void CFileParserImpl::SetSources(IUnknown* source, IUnknown* subFile)
{
    // ComPtr adds the new reference before it drops the old one.
    if (m_source.Get() != source) m_source = ComPtr<IUnknown>(source);
    if (m_override.Get() != subFile) m_override = ComPtr<IUnknown>(subFile);
}

HRESULT CFileParserImpl::OpenMediaSource(std::wstring path)
{
    if (m_source) {
        if (m_infoRead) return S_OK;
        if (m_openError.empty()) m_openError = SourceText::OpenFailed(path, E_FAIL);
        if (IActiveDocument* document = SourceShell::GetActiveDocument())
            document->ReportError(m_openError);
        return E_FAIL;
    }
    CoInitialize();
    ComPtr<IUnknown> source;
    HRESULT hr = CoCreateInstance(CLSID_MediaSource, nullptr, kSourceContext, IID_IEngineNode,
                                  source.ReleaseAndGetVoidAddress());
    if (FAILED(hr) || !source) {
        // No source is kept, so the next call tries again.
        m_openError = SourceText::OpenFailed(path, FAILED(hr) ? hr : E_FAIL);
        return FAILED(hr) ? hr : E_FAIL;
    }
    SetSourceProperty(source.Get(), sourcekey::FileName, CVariant(path));
    SetSourceProperty(source.Get(), sourcekey::Type, CVariant(m_sourceType));

    if (ComPtr<IMediaSourceGraph> graph = source.As<IMediaSourceGraph>()) {
        hr = graph->Open(__GetMessageHandler());
        if (hr == MS_OPEN_PENDING) {
            hr = WaitForOpen(graph.Get());
            if (SUCCEEDED(hr)) hr = S_OK;
        }
        if (FAILED(hr)) {
            RecordOpenFailure(graph.Get(), hr, path);
        } else {
            m_openError.clear();
            ReadMediaInfo(source.Get());
        }
    }
    m_source = source;
    return hr;
}

void CFileParserImpl::RecordOpenFailure(IMediaSourceGraph* graph, HRESULT hr, const std::wstring& path)
{
    std::wstring text;
    if (!IsLastError(&text) || text.empty()) {
        // The engine answers on the thread that opened; a pending open failed
        // on the worker, so ask the source itself.
        BSTR engineText = nullptr;
        if (graph && SUCCEEDED(graph->GetLastError(&engineText))) text = BstrToWString(engineText);
        SysFreeString(engineText);
    }
    m_openError = text.empty() ? SourceText::OpenFailed(path, hr) : text;
    m_infoRead = 0;
}

HRESULT CFileParserImpl::WaitForOpen(IMediaSourceGraph* graph)
{
    std::unique_ptr<IProgressDlg> dialog;
    if (IProgressDlgFactory* factory = SourceShell::GetProgressDlgFactory())
        dialog = factory->CreateProgressDlg();
    m_openBlock = OpenWorkerBlock{graph, 0, dialog.get(), dialog ? dialog->GetProgress() : nullptr};

    // Lock order: the worker takes no lock of this probe; the user interface
    // thread holds none while it waits for and joins the worker.
    CEvent done;
    HRESULT result = E_FAIL;
    std::thread worker([this, &done, &result] {
        pthread_setname_np(pthread_self(), "km-open-source");
        result = OpenSourceThread(this);
        done.Set();
    });
    if (done.Wait(kOpenWaitMs) == WAIT_TIMEOUT && dialog)
        dialog->DoModal();
    // Also after the user closed the dialog early: the worker still holds the
    // dialog's sink, so the dialog lives until the worker has returned.
    worker.join();
    m_openBlock = OpenWorkerBlock{};
    return result;
}

HRESULT CFileParserImpl::OpenSourceThread(CFileParserImpl* probe)
{
    CoInitialize();
    const OpenWorkerBlock& block = probe->m_openBlock;
    HRESULT hr = block.graph->ContinueOpen(block.progress);
    if (block.dialog) block.dialog->Close();
    return hr;
}

HRESULT CFileParserImpl::SetSource(IUnknown* source)
{
    if (m_source.Get() != source) m_source = ComPtr<IUnknown>(source);
    return ReadMediaInfo(source);
}

HRESULT CFileParserImpl::ReadMediaInfo(IUnknown* source)
{
    m_infoRead = 1;
    m_hasVideo = HasVideo(source) ? 1 : 0;
    m_hasAudio = HasAudio(source) ? 1 : 0;
    m_hasFrameSize = HasFrameSize(source) ? 1 : 0;

    CVariant duration;
    GetSourcePropertyValue(source, sourcekey::DurationByS, &duration);
    if (duration.vt != VT_EMPTY) {
        int64_t units = 0;
        // A duration that is no number or does not fit keeps the old one.
        if (TruncateTo(duration.AsDouble() * kUnitsPerSecond, units) && units >= 0) m_duration = units;
    }
    CVariant width, height;
    GetSourcePropertyValue(source, sourcekey::Width, &width);
    GetSourcePropertyValue(source, sourcekey::Height, &height);
    m_width = width.vt != VT_EMPTY ? width.AsInt() : 0;
    m_height = height.vt != VT_EMPTY ? height.AsInt() : 0;

    CVariant aspect;
    GetSourcePropertyValue(source, sourcekey::AspectRatio, &aspect);
    if (aspect.vt != VT_EMPTY) {
        double ratio = aspect.AsDouble();
        int32_t displayWidth = 0;
        if (TruncateTo(m_height * ratio, displayWidth) && displayWidth >= 0) {
            m_width = displayWidth;
            m_aspectRatio = ratio;
        }
    }
    return S_OK;
}

HRESULT CFileParserImpl::GetSource(IUnknown** out)
{
    ComPtr<IUnknown> source = CurrentSource();
    if (!source || !out) return S_FALSE;
    *out = source.Detach();
    return S_OK;
}

HRESULT CFileParserImpl::GetPropertyContainer(IPropertyContainer** out)
{
    if (!out) return S_FALSE;
    for (IUnknown* candidate : {m_override.Get(), m_source.Get()}) {
        if (ComPtr<IPropertyContainer> container = QueryPropertyContainer(candidate)) {
            *out = container.Detach();
            return S_OK;
        }
    }
    return S_FALSE;
}

HRESULT CFileParserImpl::FetchLastError()
{
    std::wstring text;
    if (IsLastError(&text)) {
        m_lastError = text;
        SetError(text);  // literal text, never a format
    }
    return S_OK;
}

HRESULT CFileParserImpl::ReleaseGraph()
{
    ComPtr<IUnknown> source = CurrentSource();
    if (ComPtr<IMediaSourceGraph> graph = source.As<IMediaSourceGraph>()) graph->ReleaseGraph();
    return S_OK;
}
