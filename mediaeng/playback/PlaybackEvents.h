#pragma once
// The event queue of a graph: filled on the streaming thread, drained by the
// player with GetEvent; each new event wakes the registered notify sink.
#include "engine/PlaybackGraph.h"
#include <condition_variable>
#include <deque>
#include <mutex>

namespace mediaeng::playback {

class CPlaybackEvents {
public:
    void Post(LONG code, LONG_PTR param1 = 0, LONG_PTR param2 = 0);
    // E_ABORT when no event came within msTimeout (negative: wait without end).
    HRESULT Get(LONG* code, LONG_PTR* param1, LONG_PTR* param2, LONG msTimeout);
    void SetNotify(IGraphNotify* notify, LONG msg, LONG_PTR instance);
    // Empties the queue for good: waiters and later calls get E_ABORT.
    void Close();

private:
    struct Event {
        LONG code;
        LONG_PTR param1, param2;
    };
    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::deque<Event> m_events;
    ComPtr<IGraphNotify> m_notify;
    LONG m_msg = 0;
    LONG_PTR m_instance = 0;
    bool m_closed = false;
};

}  // namespace mediaeng::playback
