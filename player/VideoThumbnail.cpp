#include "player/VideoThumbnail.h"
#include "engine/MediaSourceGraph.h"
#include "engine/PlaybackGrabber.h"
#include "engine/PlaybackHelpers.h"
#include "model/source/MediaKind.h"
#include "platform/ClassRegistry.h"
#include "player/PlayerStrings.h"
#include <cstring>
#include <pthread.h>

namespace {
// How often a grab that waits for its sample looks at the graph's events.
constexpr auto kGrabPoll = std::chrono::milliseconds(20);
}  // namespace

struct CVideoThumbnail::GrabOutcome {
    enum Kind { Grabbed, NoFrame, GraphFailed, NoGraph, Aborted } kind = Aborted;
    GrabRequestPtr request;
    std::vector<BYTE> format;
    std::vector<BYTE> data;
    std::wstring error;  // the engine's last error, taken on the worker
};

CGrabResult::CGrabResult(CKMFile* entry) : key(entry)
{
    if (key) key->AddRefEntry();
    frame.Sync();
}

CGrabResult::~CGrabResult()
{
    if (key) key->ReleaseEntry();
}

CVideoThumbnail::CVideoThumbnail(IUiPoster& poster) : m_poster(poster)
{
    RegisterPlayerMessages();
}

CVideoThumbnail::~CVideoThumbnail()
{
    Shutdown();
    FreeResults();
}

void CVideoThumbnail::Post(std::function<void()> task)
{
    std::weak_ptr<int> life = m_life;
    m_poster.Post([life, task = std::move(task)] {
        if (life.lock()) task();
    });
}

int64_t CVideoThumbnail::StopTimeOf(CKMFile* entry)
{
    // Entries keep no stop time of their own: seeking ends at the duration.
    return entry ? entry->m_duration : 0;
}

void CVideoThumbnail::SetItem(CKMFile* entry)
{
    if (entry) entry->AddRefEntry();
    m_pItem.reset(entry);
}

// ---- graph ----------------------------------------------------------------

void CVideoThumbnail::ReleaseGraphInterfaces()
{
    m_pSeeking = nullptr;
    m_pControl = nullptr;
    m_pEvent = nullptr;
    m_pEventSink = nullptr;
    m_pBasicVideo = nullptr;
    m_pVideoWindow = nullptr;
}

HRESULT CVideoThumbnail::QueryGraphInterfaces(bool hasVideo)
{
    ReleaseGraphInterfaces();
    if (!m_pGraph) return E_POINTER;
    ComPtr<IGraphBuilder>& g = m_pGraph;
    if (!(m_pControl = g.As<IMediaControl>())) return E_NOINTERFACE;
    if (!(m_pSeeking = g.As<IMediaSeeking>())) return E_NOINTERFACE;
    if (!(m_pEvent = g.As<IMediaEventEx>())) return E_NOINTERFACE;
    if (!(m_pEventSink = g.As<IMediaEventSink>())) return E_NOINTERFACE;
    if (hasVideo) {
        if (!(m_pBasicVideo = g.As<IBasicVideo>())) return E_NOINTERFACE;
        if (!(m_pVideoWindow = g.As<IVideoWindow>())) return E_NOINTERFACE;
    }
    return S_OK;
}

void CVideoThumbnail::CloseGraph()
{
    m_bPlaying = 0;
    if (m_nState != 0 && m_pControl && m_pGraph) {
        m_nState = 0;
        __LockChangePos();
        m_pControl->Stop();
        __UnLockChangePos();
    }
    if (m_pGraph) {
        if (m_pEvent) m_pEvent->SetNotifyWindow(nullptr, kMsgGraphNotify, 0);
        if (m_pDrawFilter) m_pDrawFilter->SetFrameDraw(nullptr);
        m_pDrawFilter = nullptr;
        ClearGraphFull(m_pGraph.Get());  // joins the graph's threads
        ReleaseGraphInterfaces();
        m_pGraph = nullptr;
        NewGraphGeneration();
    }
    m_bGraphReady = 0;
}

HRESULT CVideoThumbnail::CGraphNotify::QueryInterface(REFIID iid, void** out)
{
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IGraphNotify) {
        *out = static_cast<IGraphNotify*>(this);
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

void CVideoThumbnail::CGraphNotify::OnGraphNotify(LONG, LONG_PTR instance)
{
    // Notes may come after the graph was unregistered (the engine calls a
    // copy): the tag tells those of an earlier graph.
    CVideoThumbnail& owner = m_owner;
    owner.Post([&owner, instance] {
        if (static_cast<uint64_t>(instance) == owner.GraphGeneration()) owner.PumpGraphEvents();
    });
}

HRESULT CVideoThumbnail::PumpGraphEvents()
{
    if (!m_pEvent) return S_OK;
    LONG code = 0;
    LONG_PTR p1 = 0, p2 = 0;
    while (SUCCEEDED(m_pEvent->GetEvent(&code, &p1, &p2, 0))) {
        m_pEvent->FreeEventParams(code, p1, p2);
        // A graph that failed has ended too: the control must not go on
        // showing "playing".
        if (code == EC_COMPLETE || code == EC_USERABORT || code == EC_ERRORABORT || code == EC_ENGINE_FAILED) {
            OnComplete();
            break;
        }
    }
    return S_OK;
}

// ---- frames from the streaming thread -------------------------------------

HRESULT CVideoThumbnail::OnDrawFrame(DWORD formatSize, const BYTE* format, DWORD dataSize, const BYTE* data,
                                     const REFERENCE_TIME* time)
{
    if (!m_bDrawEnabled) return S_OK;
    bool withPos = time && m_nState == 2 && !m_bSeekDrag;
    int64_t pos = 0;
    if (withPos) {
        CCritSecLock lock(m_csPosition);
        pos = m_llPosition + *time;
    }
    bool post = false;
    {
        std::lock_guard<std::mutex> lk(m_csFrame);
        Staged& s = m_staged;
        if (!format || !formatSize)
            s.format.clear();
        else if (s.format.size() != formatSize || std::memcmp(s.format.data(), format, formatSize) != 0)
            s.format.assign(format, format + formatSize);
        s.data.resize(data ? dataSize : 0);
        if (data && dataSize) std::memcpy(s.data.data(), data, dataSize);
        s.frame = true;
        s.gen = m_frameGen.load();
        if (withPos) {
            s.position = true;
            s.pos = pos;
            s.posGen = s.gen;
        }
        post = !s.posted;
        s.posted = true;
    }
    if (post) Post([this] { DeliverStaged(); });
    return S_OK;
}

HRESULT CVideoThumbnail::OnUpdatePosition(const REFERENCE_TIME* time)
{
    if (!m_bDrawEnabled || !time || m_nState != 2) return S_OK;
    int64_t pos = 0;
    {
        CCritSecLock lock(m_csPosition);
        pos = m_llPosition + *time;
    }
    bool post = false;
    {
        std::lock_guard<std::mutex> lk(m_csFrame);
        m_staged.position = true;
        m_staged.pos = pos;
        m_staged.posGen = m_frameGen.load();
        post = !m_staged.posted;
        m_staged.posted = true;
    }
    if (post) Post([this] { DeliverStaged(); });
    return S_OK;
}

void CVideoThumbnail::DeliverStaged()
{
    CGrabResult* rec = m_bDrawEnabled ? FindCurrentResult() : nullptr;
    bool frame = false, position = false;
    int64_t pos = 0;
    {
        std::lock_guard<std::mutex> lk(m_csFrame);
        Staged& s = m_staged;
        const uint64_t gen = m_frameGen.load();
        s.posted = false;
        frame = s.frame && s.gen == gen && rec;
        position = s.position && s.posGen == gen && m_pItem;
        if (frame) {
            // The record takes the staged blocks; the old ones become the
            // next staging buffer, so a frame is copied once.
            std::swap(rec->frame.data, s.data);
            rec->frame.SetFormat(s.format);
        }
        pos = s.pos;
        s.frame = false;
        s.position = false;
    }
    if (position) m_pItem->m_currentPosition = pos;
    if (frame) {
        rec->frame.Sync();
        OnFrame(&rec->frame.record);
    }
}

// ---- grab cache -----------------------------------------------------------

CGrabResult* CVideoThumbnail::FindResult(CKMFile* entry)
{
    if (!entry) return nullptr;
    for (auto& r : m_results)
        if (r->key == entry) return r.get();
    return nullptr;
}

void CVideoThumbnail::MarkItemResult()
{
    if (!m_pItem) return;
    m_results.push_back(std::make_unique<CGrabResult>(m_pItem.get()));
    RemoveItemRequests(m_pItem.get());
}

void CVideoThumbnail::FreeResults()
{
    m_queue.Remove(nullptr);
    m_results.clear();
}

HRESULT CVideoThumbnail::RequestFrame(CKMFile* entry, FRAME_RECORD** r)
{
    const std::wstring& probeError = !entry->m_lastError.empty() ? entry->m_lastError : entry->m_openError;
    if (!probeError.empty()) {
        SetError(std::wstring(probeError));
        return 1;
    }
    if (m_bConverting) return 0;
    if (CGrabResult* result = FindResult(entry)) {
        if (r) *r = &result->frame.record;
        return 0;
    }
    if (m_bGraphReady) return 1;
    // The grab gets a graph of its own: a playback graph left open by an
    // attach of another entry goes first.
    if (m_pGraph) CloseGraph();
    StartWorker();
    m_queue.Add(std::make_shared<CGrabRequest>(entry, entry->CurrentSource(), entry->m_currentPosition,
                                               StopTimeOf(entry)));
    // Also for a request already queued: a pass that was aborted with it
    // still waiting must run again.
    m_queue.Signal();
    return 0;
}

void CVideoThumbnail::AbortGrab()
{
    if (m_nState != 0 && m_pControl && m_pGraph) {
        m_nState = 0;
        m_pControl->Stop();
    }
    AbortPass();
}

void CVideoThumbnail::AbortPass()
{
    m_bAbortPass = true;
    { std::lock_guard<std::mutex> lk(m_sampleMutex); }
    m_sampleCv.notify_all();
}

void CVideoThumbnail::StopAndHold()
{
    AbortGrab();
    m_bPlaying = 0;
    m_bStop = true;
    m_queue.Wake();
}

void CVideoThumbnail::Shutdown()
{
    if (m_shutDown) return;
    m_shutDown = true;
    m_bDrawEnabled = 0;
    m_bStop = true;
    m_bAbortPass = true;
    { std::lock_guard<std::mutex> lk(m_sampleMutex); }
    m_sampleCv.notify_all();
    m_queue.Wake();
    // The worker checks the flags between steps and at least every poll of
    // a waiting grab; a grab graph ends within the engine's grab time limit.
    if (m_worker.joinable()) m_worker.join();
    CloseGraph();
    m_pItem.reset();
}

// ---- grab worker ------------------------------------------------------------

void CVideoThumbnail::StartWorker()
{
    if (m_worker.joinable() || m_bStop) return;
    m_worker = std::thread([this] {
        pthread_setname_np(pthread_self(), "km-grabber");
        CoInitialize();
        WorkerLoop();
    });
}

void CVideoThumbnail::WorkerLoop()
{
    while (m_queue.WaitWork(m_bStop)) {
        m_bAbortPass = false;
        ProcessRequests();
    }
}

void CVideoThumbnail::ProcessRequests()
{
    while (!Aborted()) {
        GrabRequestPtr q = m_queue.Pick();
        if (!q) return;
        GrabOne(q);
    }
}

void CVideoThumbnail::AddSample(double, BYTE* buffer, LONG length)
{
    {
        std::lock_guard<std::mutex> lk(m_sampleMutex);
        if (m_sampleTaken) return;  // the first sample of a run counts
        m_sample.Clear();
        if (buffer && length > 0) m_sample.Copy(buffer, static_cast<DWORD>(length));
        m_sampleTaken = true;
    }
    m_sampleCv.notify_all();
}

void CVideoThumbnail::GrabOne(const GrabRequestPtr& q)
{
    GrabOutcome out;
    out.request = q;
    ComPtr<IGraphBuilder> graph;
    HRESULT hr = OpenGrabGraph(q, graph, out);
    if (SUCCEEDED(hr)) GrabFrame(graph.Get(), q, out);
    if (graph) {
        if (out.kind == GrabOutcome::NoFrame && out.error.empty()) out.error = GetGraphError(graph.Get());
        // The player is not reference counted: no graph keeps its callback.
        ComPtr<IBaseFilter> grabber;
        if (SUCCEEDED(graph->FindFilterByName(L"Grabber", grabber.ReleaseAndGetAddressOf())))
            if (ComPtr<ISampleGrabber> sg = grabber.As<ISampleGrabber>()) sg->SetCallback(nullptr, 0);
        ClearGraphFull(graph.Get());
    }
    // An aborted grab ends here with nothing cached: the entry asks again
    // when it is shown again, and the shown entry's still never waits
    // behind grabs of entries clicked past.
    m_queue.Finish(q);
    if (out.kind == GrabOutcome::Aborted) return;
    auto shared = std::make_shared<GrabOutcome>(std::move(out));
    Post([this, shared] { OnGrabDone(*shared); });
}

HRESULT CVideoThumbnail::OpenGrabGraph(const GrabRequestPtr& q, ComPtr<IGraphBuilder>& graph, GrabOutcome& out)
{
    ComPtr<IMediaSourceGraph> source = q->source.As<IMediaSourceGraph>();
    if (!source) {
        out.kind = GrabOutcome::NoGraph;  // nothing to grab from: the request is dropped
        return E_NOINTERFACE;
    }
    ComPtr<IUnknown> built;
    HRESULT hr = source->BuildGraph(0, built.ReleaseAndGetAddressOf());
    if (SUCCEEDED(hr)) graph = built.As<IGraphBuilder>();
    if (FAILED(hr) || !graph) {
        out.kind = GrabOutcome::GraphFailed;
        // The engine's last error belongs to this thread: take it now.
        CErrorMng().IsLastError(&out.error);
        return FAILED(hr) ? hr : E_NOINTERFACE;
    }
    // Picture stage in the preview's mode; the grabber hands us its samples.
    ComPtr<IBaseFilter> picture;
    if (SUCCEEDED(graph->FindFilterByName(L"MainVideoFilter", picture.ReleaseAndGetAddressOf())))
        if (ComPtr<IFilterMode> mode = picture.As<IFilterMode>()) mode->SetFilterMode(2);
    ComPtr<IBaseFilter> grabber;
    hr = graph->FindFilterByName(L"Grabber", grabber.ReleaseAndGetAddressOf());
    ComPtr<ISampleGrabber> sg = grabber.As<ISampleGrabber>();
    ComPtr<IPin> pin;
    AM_MEDIA_TYPE mt;
    if (SUCCEEDED(hr) && sg) hr = GetPin(grabber.Get(), PINDIR_INPUT, 0, pin.ReleaseAndGetAddressOf());
    if (SUCCEEDED(hr) && sg) hr = pin->ConnectionMediaType(&mt);
    if (SUCCEEDED(hr) && sg) {
        BYTE* block = nullptr;
        DWORD size = 0;
        if (SUCCEEDED(CRunGraphImpl::_SaveFormat(&mt, &block, &size)) && block) {
            out.format.assign(block, block + size);
            CRunGraphImpl::_FreeFormat(block);
        }
        FreeMediaType(mt);
        hr = sg->SetCallback(static_cast<ISampleGrabberCB*>(this), 0) | sg->SetOneShot(0) | sg->SetBufferSamples(0);
    } else if (SUCCEEDED(hr)) {
        hr = E_NOINTERFACE;
    }
    if (FAILED(hr)) {
        out.kind = GrabOutcome::GraphFailed;
        out.error = GetGraphError(graph.Get());
        if (out.error.empty()) CErrorMng().IsLastError(&out.error);
    }
    return hr;
}

HRESULT CVideoThumbnail::GrabFrame(IGraphBuilder* graph, const GrabRequestPtr& q, GrabOutcome& out)
{
    ComPtr<IGraphBuilder> g(graph);
    ComPtr<IMediaSeeking> seeking = g.As<IMediaSeeking>();
    ComPtr<IMediaControl> control = g.As<IMediaControl>();
    ComPtr<IMediaEventEx> events = g.As<IMediaEventEx>();
    out.kind = GrabOutcome::NoFrame;
    if (!seeking || !control || !events) return E_NOINTERFACE;
    LONGLONG pos = q->position, stop = q->stop;
    HRESULT hr = seeking->SetPositions(&pos, AM_SEEKING_AbsolutePositioning, &stop, AM_SEEKING_AbsolutePositioning);
    if (FAILED(hr)) return hr;
    {
        std::lock_guard<std::mutex> lk(m_sampleMutex);
        m_sample.Clear();
        m_sampleTaken = false;
    }
    hr = control->Run();
    if (FAILED(hr)) return hr;
    bool ended = false;
    for (;;) {
        {
            std::unique_lock<std::mutex> lk(m_sampleMutex);
            m_sampleCv.wait_for(lk, kGrabPoll, [&] { return m_sampleTaken || Aborted(); });
            if (m_sampleTaken) {
                out.data.assign(m_sample.GetBuffer(), m_sample.GetBuffer() + m_sample.GetSize());
                break;
            }
        }
        if (Aborted() || q->cancelled.load()) {
            out.kind = GrabOutcome::Aborted;
            break;
        }
        LONG code = 0;
        LONG_PTR p1 = 0, p2 = 0;
        // The graph ends on its own at the end of the source, on a failure
        // and when the engine's grab time limit runs out.
        while (SUCCEEDED(events->GetEvent(&code, &p1, &p2, 0))) {
            events->FreeEventParams(code, p1, p2);
            if (code == EC_COMPLETE || code == EC_USERABORT || code == EC_ERRORABORT || code == EC_ENGINE_FAILED)
                ended = true;
        }
        if (ended) {
            // A sample may have come just before the end.
            std::lock_guard<std::mutex> lk(m_sampleMutex);
            if (m_sampleTaken) out.data.assign(m_sample.GetBuffer(), m_sample.GetBuffer() + m_sample.GetSize());
            break;
        }
    }
    control->Stop();
    if (out.kind == GrabOutcome::NoFrame && !out.data.empty()) out.kind = GrabOutcome::Grabbed;
    if (out.kind == GrabOutcome::NoFrame) CErrorMng().IsLastError(&out.error);
    return S_OK;
}

void CVideoThumbnail::OnGrabDone(GrabOutcome& outcome)
{
    CGrabRequest& q = *outcome.request;
    CKMFile* entry = q.entry;
    // Its entry was closed, its cache freed or the entry left the project meanwhile.
    if (q.cancelled.load() || entry->IsRemoved()) return;
    switch (outcome.kind) {
    case GrabOutcome::Aborted:
    case GrabOutcome::NoGraph:
        return;
    case GrabOutcome::GraphFailed:
        if (!IsLastError()) SetError(PlayerText(IDS_GRAB_GRAPH_FAILED));
        // The entry carries the text from now on and gets no more requests.
        entry->m_lastError = outcome.error.empty() ? PlayerText(IDS_GRAB_GRAPH_FAILED) : outcome.error;
        return;
    case GrabOutcome::NoFrame:
        SetError(PlayerText(IDS_GRAB_NO_FRAME));
        if (!outcome.error.empty()) entry->m_lastError = outcome.error;
        break;
    case GrabOutcome::Grabbed:
        SetError(std::wstring());
        break;
    }
    // Playback frames of the entry may own its record by now; they are newer.
    if (!FindResult(entry)) {
        auto result = std::make_unique<CGrabResult>(entry);
        result->frame.data = std::move(outcome.data);
        result->frame.format = std::move(outcome.format);
        result->frame.Sync();
        // The picture at 0 is the entry's first frame, cached on the entry.
        if (q.position == 0 && !entry->GetStreamInfo() && result->frame.record.cbData)
            entry->SetStreamInfo(result->frame.record.cbFormat, result->frame.record.pbFormat,
                                 result->frame.record.cbData, result->frame.record.pbData);
        m_results.push_back(std::move(result));
    }
    if (m_hGrabNotify) m_hGrabNotify->OnPlayerMessage(kMsgGrabReady, 0, 0);
    // A grab ends like a play; not while a playback graph has taken over.
    if (!m_bGraphReady) OnComplete();
}
