#include "mediaeng/playback/PlaybackGraphBuilder.h"
#include "engine/PlaybackHelpers.h"
#include "mediaeng/core/EngineTexts.h"
#include "mediaeng/playback/MediaGraph.h"
#include "platform/Sync.h"
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace mediaeng::playback {

HRESULT CreateMediaGraph(const CPlaybackInput& input, int flag, IGraphBuilder** graph, std::wstring* error)
{
    if (!graph) return E_POINTER;
    *graph = nullptr;
    if (flag != MEDIA_GRAPH_GRAB && flag != MEDIA_GRAPH_PLAYBACK) return E_INVALIDARG;
    auto kind = flag == MEDIA_GRAPH_PLAYBACK ? playback::SessionKind::Playback : playback::SessionKind::Grab;
    ComPtr<playback::CMediaGraph> g = MakeComObject<playback::CMediaGraph>(kind);
    HRESULT hr = g->Open(input, error);
    if (FAILED(hr)) return hr;
    *graph = static_cast<IGraphBuilder*>(g.Detach());
    return S_OK;
}

namespace {

// Keeps the first sample of a grab.
class CFirstSample : public CComObjectBase<ISampleGrabberCB> {
public:
    HRESULT SampleCB(double, IMediaSample* sample) override
    {
        BYTE* p = nullptr;
        if (m_ready.IsSet() || !sample || FAILED(sample->GetPointer(&p))) return S_OK;
        m_bytes.assign(p, p + sample->GetActualDataLength());
        m_ready.Set();
        return S_OK;
    }
    HRESULT BufferCB(double, BYTE*, LONG) override { return S_OK; }
    CEvent m_ready;
    std::vector<BYTE> m_bytes;
};

HRESULT GrabFirst(IGraphBuilder* graph, REFERENCE_TIME time, DWORD timeLimitMs, CFirstSample& cb)
{
    ComPtr<IBaseFilter> grabber;
    HRESULT hr = graph->FindFilterByName(L"Grabber", grabber.ReleaseAndGetAddressOf());
    if (FAILED(hr)) return hr;
    ComPtr<ISampleGrabber> sg = grabber.As<ISampleGrabber>();
    if (!sg) return E_NOINTERFACE;
    sg->SetCallback(&cb, 0);
    sg->SetOneShot(1);
    ComPtr<IMediaSeeking> seeking = ComPtr<IGraphBuilder>(graph).As<IMediaSeeking>();
    ComPtr<IMediaControl> control = ComPtr<IGraphBuilder>(graph).As<IMediaControl>();
    ComPtr<IMediaEventEx> events = ComPtr<IGraphBuilder>(graph).As<IMediaEventEx>();
    LONGLONG pos = time;
    hr = seeking->SetPositions(&pos, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
    if (FAILED(hr)) return hr;
    hr = control->Run();
    if (FAILED(hr)) return hr;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeLimitMs);
    hr = E_ABORT;
    while (std::chrono::steady_clock::now() < deadline) {
        if (cb.m_ready.Wait(10) == WAIT_OBJECT_0) {
            hr = S_OK;
            break;
        }
        LONG code = 0;
        LONG_PTR p1 = 0, p2 = 0;
        if (SUCCEEDED(events->GetEvent(&code, &p1, &p2, 0))) {
            hr = cb.m_ready.IsSet() ? S_OK : (code == EC_COMPLETE ? E_FAIL : static_cast<HRESULT>(p1 ? p1 : E_FAIL));
            break;
        }
    }
    control->Stop();
    return hr;
}

}  // namespace

HRESULT ReadPictureAt(const CPlaybackInput& input, REFERENCE_TIME time, DWORD* formatSize, BYTE** format,
                      DWORD* dataSize, BYTE** data, std::wstring* error, DWORD timeLimitMs)
{
    if (!formatSize || !format || !dataSize || !data) return E_POINTER;
    std::free(*format);
    std::free(*data);
    *format = *data = nullptr;
    *formatSize = *dataSize = 0;
    ComPtr<IGraphBuilder> graph;
    HRESULT hr = CreateMediaGraph(input, MEDIA_GRAPH_GRAB, graph.ReleaseAndGetAddressOf(), error);
    if (FAILED(hr)) return hr;
    static_cast<playback::CMediaGraph*>(graph.Get())->Session().SetGrabTimeLimit(std::chrono::milliseconds(timeLimitMs));
    ComPtr<CFirstSample> cb = MakeComObject<CFirstSample>();
    hr = GrabFirst(graph.Get(), time, timeLimitMs, *cb);
    AM_MEDIA_TYPE mt;
    if (SUCCEEDED(hr)) {
        ComPtr<IBaseFilter> grabber;
        hr = graph->FindFilterByName(L"Grabber", grabber.ReleaseAndGetAddressOf());
        if (SUCCEEDED(hr)) hr = grabber.As<ISampleGrabber>()->GetConnectedMediaType(&mt);
    } else if (error) {
        *error = GetGraphError(graph.Get());
        if (error->empty()) *error = EngineText(text::kNoPictureAtTime);
    }
    ClearGraphFull(graph.Get());
    if (FAILED(hr)) return hr;
    hr = CRunGraphImpl::_SaveFormat(&mt, format, formatSize);
    FreeMediaType(mt);
    if (FAILED(hr)) return hr;
    *data = static_cast<BYTE*>(std::malloc(cb->m_bytes.size()));
    if (!*data) {
        CRunGraphImpl::_FreeFormat(*format);
        *format = nullptr;
        *formatSize = 0;
        return E_OUTOFMEMORY;
    }
    std::memcpy(*data, cb->m_bytes.data(), cb->m_bytes.size());
    *dataSize = static_cast<DWORD>(cb->m_bytes.size());
    return S_OK;
}

}  // namespace mediaeng::playback
