#include "mediaeng/playback/PlaybackEvents.h"

namespace mediaeng::playback {

void CPlaybackEvents::Post(LONG code, LONG_PTR param1, LONG_PTR param2)
{
    ComPtr<IGraphNotify> notify;
    LONG msg = 0;
    LONG_PTR instance = 0;
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        if (m_closed) return;
        m_events.push_back({code, param1, param2});
        notify = m_notify;
        msg = m_msg;
        instance = m_instance;
    }
    m_cv.notify_all();
    // Outside the lock: the receiver may drain the queue from inside the call.
    if (notify) notify->OnGraphNotify(msg, instance);
}

HRESULT CPlaybackEvents::Get(LONG* code, LONG_PTR* param1, LONG_PTR* param2, LONG msTimeout)
{
    if (!code || !param1 || !param2) return E_POINTER;
    std::unique_lock<std::mutex> lk(m_mutex);
    auto ready = [this] { return m_closed || !m_events.empty(); };
    if (msTimeout < 0)
        m_cv.wait(lk, ready);
    else if (!m_cv.wait_for(lk, std::chrono::milliseconds(msTimeout), ready))
        return E_ABORT;
    if (m_events.empty()) return E_ABORT;
    Event e = m_events.front();
    m_events.pop_front();
    *code = e.code;
    *param1 = e.param1;
    *param2 = e.param2;
    return S_OK;
}

void CPlaybackEvents::SetNotify(IGraphNotify* notify, LONG msg, LONG_PTR instance)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_notify = ComPtr<IGraphNotify>(notify);
    m_msg = msg;
    m_instance = instance;
}

void CPlaybackEvents::Close()
{
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        m_closed = true;
        m_events.clear();
        m_notify = nullptr;
    }
    m_cv.notify_all();
}

}  // namespace mediaeng::playback
