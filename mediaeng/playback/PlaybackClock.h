#pragma once
// Steady media clock of a graph: runs from an anchor while playing, stands
// still while paused, and follows the sound clock whenever there is sound.
#include "platform/Types.h"
#include <chrono>

namespace mediaeng::playback {

class CPlaybackClock {
public:
    using Clock = std::chrono::steady_clock;

    void Start(REFERENCE_TIME t)
    {
        m_anchor = t;
        m_since = Clock::now();
        m_running = true;
    }
    void Pause()
    {
        m_anchor = Now();
        m_running = false;
    }
    // Moves the clock to t without changing whether it runs.
    void Sync(REFERENCE_TIME t)
    {
        m_anchor = t;
        m_since = Clock::now();
    }
    REFERENCE_TIME Now() const
    {
        if (!m_running) return m_anchor;
        auto elapsed = std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - m_since).count();
        return m_anchor + elapsed / 100;
    }
    // Steady time at which the clock reaches t (while running).
    Clock::time_point When(REFERENCE_TIME t) const
    {
        return Clock::now() + std::chrono::nanoseconds((t - Now()) * 100);
    }

private:
    REFERENCE_TIME m_anchor = 0;
    Clock::time_point m_since = Clock::now();
    bool m_running = false;
};

}  // namespace mediaeng::playback
