#pragma once
// Pause and stop shared by the threads of one run. Workers call Checkpoint
// between frames: it holds them while paused and tells them to end once
// stopped. The lock is held only to read or change the two flags.
#include <condition_variable>
#include <mutex>

namespace mediaeng::job {

class CRunControl {
public:
    // Waits while paused; false when the run is to stop.
    bool Checkpoint()
    {
        std::unique_lock<std::mutex> lk(m_mutex);
        m_changed.wait(lk, [&] { return m_stop || !m_paused; });
        return !m_stop;
    }
    bool IsStopped() const
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        return m_stop;
    }
    void SetPaused(bool paused)
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        m_paused = paused;
        m_changed.notify_all();
    }
    void RequestStop()
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        m_stop = true;
        m_changed.notify_all();
    }
    void Reset()
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        m_stop = m_paused = false;
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_paused = false;
    bool m_stop = false;
};

}  // namespace mediaeng::job
