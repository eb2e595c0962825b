#include "player/Player.h"
#include "engine/PlaybackHelpers.h"
#include <atomic>

namespace {
std::atomic<CPlayer*> g_player{nullptr};
}

CPlayer::CPlayer(IUiPoster& poster) : CPlayerImpl(poster) {}

CPlayer::~CPlayer()
{
    // Threads end before the callbacks of this class go away.
    Shutdown();
    if (g_player.load() == this) g_player = nullptr;
}

CPlayer* CPlayer::Instance() { return g_player.load(); }

void CPlayer::SetInstance(CPlayer* player) { g_player = player; }

CPlayerCtrlImpl* CPlayer::GetCtrl()
{
    std::lock_guard<std::mutex> lk(m_csPlayer);
    return m_pCtrl;
}

void CPlayer::Attach(CPlayerCtrlImpl* sink, IPlayerNotifyWnd* window, CKMFile* entry)
{
    {
        std::lock_guard<std::mutex> lk(m_csPlayer);
        m_pCtrl = sink;
    }
    if (sink) sink->OnPlayStateChanged(0);
    m_hGrabNotify = window;
    if (entry != m_pItem.get()) {
        m_bGraphReady = 0;
        m_bRewind = 0;
        NewGraphGeneration();  // frames and events of the old entry's graph are dropped
        NotifyState(0);
        AbortGrab();
        KeepRequestsOf(entry);
    }
    SetItem(entry);
    if (!entry) FreeResults();
    GetFrame(entry, nullptr);
    if (sink) sink->Redraw();
}

void CPlayer::CloseItem()
{
    FreeResults();
    if (m_nState != 0 && m_pControl && m_pGraph) {
        m_nState = 0;
        __LockChangePos();
        m_pControl->Stop();
        __UnLockChangePos();
    }
    m_bPlaying = 0;
    OnComplete();
    if (CPlayerCtrlImpl* sink = GetCtrl()) {
        if (m_pItem) m_pItem->ResetStreamInfo();
        CloseGraph();
        sink->Redraw();
    }
}

void CPlayer::OnFrame(FRAME_RECORD* frame)
{
    if (CPlayerCtrlImpl* sink = GetCtrl()) sink->OnFrame(frame);
}

void CPlayer::OnComplete()
{
    m_nState = 0;
    if (CPlayerCtrlImpl* sink = GetCtrl()) {
        if (m_pItem) m_pItem->m_resumePosition = m_pItem->m_currentPosition;
        sink->OnPlayEnd();
    }
    NotifyState(1);
}

void CPlayer::NotifyState(int state)
{
    if (CPlayerCtrlImpl* sink = GetCtrl()) sink->OnPlayStateChanged(state);
}

void CPlayer::OnStopped()
{
    if (CPlayerCtrlImpl* sink = GetCtrl()) sink->OnPlayEnd();
}

void CPlayer::OnPaused()
{
    if (CPlayerCtrlImpl* sink = GetCtrl()) {
        if (m_pItem) m_pItem->m_resumePosition = m_pItem->m_currentPosition;
        sink->OnPaused();
    }
}
