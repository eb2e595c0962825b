#include "player/PlayVideoImpl.h"
#include "engine/MediaSourceGraph.h"
#include "engine/PlaybackHelpers.h"
#include "platform/ResultText.h"
#include "player/PlayerStrings.h"

HRESULT CPlayVideoImpl::OpenGraph()
{
    CloseGraph();
    CKMFile* item = m_pItem.get();
    if (!item) return 1;
    ComPtr<IMediaSourceGraph> source = item->CurrentSource().As<IMediaSourceGraph>();
    if (!source) {
        m_bGraphReady = 1;  // nothing to play
        return 1;
    }
    ComPtr<IUnknown> built;
    HRESULT hr = source->BuildGraph(1, built.ReleaseAndGetAddressOf());
    if (SUCCEEDED(hr) && !(m_pGraph = built.As<IGraphBuilder>())) hr = E_NOINTERFACE;
    if (FAILED(hr)) {
        m_pGraph = nullptr;
        m_msg.SendMsgError(IDS_PLAY_GRAPH_FAILED, ResultText(hr).c_str(), static_cast<unsigned>(hr));
        return hr;
    }
    NewGraphGeneration();
    const bool hasVideo = item->m_hasVideo != 0;
    if (FAILED(QueryGraphInterfaces(hasVideo)) || FAILED(AttachVideoWindow(hasVideo))) {
        CloseGraph();
        return E_FAIL;
    }
    m_bGraphReady = 1;
    return 0;
}

HRESULT CPlayVideoImpl::AttachVideoWindow(bool hasVideo)
{
    if (hasVideo && m_pVideoWindow) {
        // The graph's own window never shows: frames reach the control
        // through IFrameDraw.
        m_pVideoWindow->put_WindowStyle(0x40000000);
        m_pVideoWindow->SetWindowPosition(0, 0, 0, 0);
        m_pVideoWindow->put_Visible(0);
        m_pVideoWindow->SetWindowForeground(-1);
    }
    HRESULT hr = m_pEvent->SetNotifyWindow(GraphNotify(), kMsgGraphNotify, static_cast<LONG_PTR>(GraphGeneration()));
    if (FAILED(hr)) return hr;
    return HookFrameDraw(hasVideo);
}

HRESULT CPlayVideoImpl::HookFrameDraw(bool hasVideo)
{
    ComPtr<IBaseFilter> filter;
    HRESULT hr = m_pGraph->FindFilterByName(hasVideo ? L"MainVideoFilter" : L"WaveCodec", filter.ReleaseAndGetAddressOf());
    if (FAILED(hr)) return hasVideo ? hr : S_OK;  // a source without sound or pictures has nothing to draw
    ComPtr<IFrameDraw> draw = filter.As<IFrameDraw>();
    if (!draw) return E_NOINTERFACE;
    hr = draw->SetFrameDraw(AsFrameDraw());
    if (SUCCEEDED(hr)) m_pDrawFilter = draw;
    return hr;
}

void CPlayVideoImpl::SetFilterMode()
{
    ComPtr<IBaseFilter> picture;
    if (m_pGraph && SUCCEEDED(m_pGraph->FindFilterByName(L"MainVideoFilter", picture.ReleaseAndGetAddressOf())))
        if (ComPtr<IFilterMode> mode = picture.As<IFilterMode>()) mode->SetFilterMode(2);
}

HRESULT CPlayVideoImpl::Prepare()
{
    // A running grab pass gives way; it runs on a graph of its own, so
    // there is nothing to wait for.
    AbortPass();
    if (!FindCurrentResult()) MarkItemResult();
    if (m_bGraphReady) return 0;
    HRESULT hr = OpenGraph();
    if (hr == 0) SetFilterMode();
    return hr;
}

HRESULT CPlayVideoImpl::Play()
{
    if (m_bConverting) return 1;
    HRESULT hr = Prepare();
    if (hr != 0) return hr;  // a failed Play does not show "playing"
    if (m_bRewind) {
        m_pItem->m_currentPosition = 0;
        CCritSecLock lock(m_csPosition);
        m_llPosition = 0;
        m_bRewind = 0;
    }
    SeekToItemPosition();
    hr = 0;
    if (m_pControl) {
        m_nState = 2;
        hr = m_pControl->Run();
    }
    m_bPlaying = SUCCEEDED(hr) ? 1 : 0;
    return hr;
}

HRESULT CPlayVideoImpl::Pause()
{
    HRESULT hr = 0;
    if (m_nState != 1 && m_pControl && m_pGraph) {
        m_nState = 1;
        hr = m_pControl->Pause();
        m_bPlaying = 0;
    }
    m_bRewind = 0;
    OnPaused();
    return hr;
}

HRESULT CPlayVideoImpl::Stop()
{
    HRESULT hr = 0;
    if (m_nState != 0 && m_pControl && m_pGraph) {
        m_nState = 0;
        __LockChangePos();
        hr = m_pControl->Stop();
        __UnLockChangePos();
    }
    m_bPlaying = 0;
    return hr;
}

HRESULT CPlayVideoImpl::Seek(const int64_t& position)
{
    if (m_bConverting) return 1;
    const int64_t p = position;  // the caller's variable may be the entry's own
    const bool wasClosed = m_bGraphReady == 0;
    m_bRewind = 0;
    HRESULT hr = Prepare();
    if (hr != 0) return hr;
    if (wasClosed || m_nState == 0) Pause();
    m_pItem->m_currentPosition = p;
    m_pItem->m_resumePosition = p;
    if (m_pSeeking) {
        LONGLONG pos = p, stop = StopTimeOf(m_pItem.get());
        m_pSeeking->SetPositions(&pos, AM_SEEKING_AbsolutePositioning, &stop, AM_SEEKING_AbsolutePositioning);
        m_pGraph->SetDefaultSyncSource();
        // Frames staged before the seek are stale now.
        NewFrameGeneration();
        CCritSecLock lock(m_csPosition);
        m_llPosition = p;
        m_pItem->m_currentPosition = p;
    }
    return 0;
}

HRESULT CPlayVideoImpl::SeekToItemPosition()
{
    if (m_bConverting) return 1;
    if (!m_pSeeking || !FindCurrentResult()) return 0;
    LONGLONG pos = m_pItem->m_currentPosition, stop = StopTimeOf(m_pItem.get());
    if (FAILED(m_pSeeking->SetPositions(&pos, AM_SEEKING_AbsolutePositioning, &stop, AM_SEEKING_AbsolutePositioning)))
        return 0;
    m_pGraph->SetDefaultSyncSource();
    NewFrameGeneration();
    m_pItem->m_currentPosition = pos;
    CCritSecLock lock(m_csPosition);
    m_llPosition = pos;
    return 0;
}
