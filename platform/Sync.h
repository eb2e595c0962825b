#pragma once
// Critical sections and events on the standard library.
#include "platform/Types.h"
#include <chrono>
#include <condition_variable>
#include <mutex>

// Recursive lock, as a Win32 critical section is.
class CCriticalSection {
public:
    void Lock() { m_mutex.lock(); }
    void Unlock() { m_mutex.unlock(); }
    bool TryLock() { return m_mutex.try_lock(); }
    // For std::lock_guard / std::unique_lock.
    void lock() { Lock(); }
    void unlock() { Unlock(); }

private:
    std::recursive_mutex m_mutex;
};

class CCritSecLock {
public:
    explicit CCritSecLock(CCriticalSection& cs) : m_cs(cs) { m_cs.Lock(); }
    ~CCritSecLock() { m_cs.Unlock(); }
    CCritSecLock(const CCritSecLock&) = delete;
    CCritSecLock& operator=(const CCritSecLock&) = delete;

private:
    CCriticalSection& m_cs;
};

// Manual- or auto-reset event.
class CEvent {
public:
    explicit CEvent(bool manualReset = true, bool initialState = false)
        : m_manual(manualReset), m_signaled(initialState) {}
    void Set()
    {
        {
            std::lock_guard<std::mutex> lk(m_mutex);
            m_signaled = true;
        }
        if (m_manual)
            m_cv.notify_all();
        else
            m_cv.notify_one();
    }
    void Reset()
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        m_signaled = false;
    }
    bool IsSet() const
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        return m_signaled;
    }
    // WAIT_OBJECT_0 when signalled, WAIT_TIMEOUT when the time ran out.
    DWORD Wait(DWORD timeoutMs = INFINITE)
    {
        std::unique_lock<std::mutex> lk(m_mutex);
        auto ready = [this] { return m_signaled; };
        if (timeoutMs == INFINITE)
            m_cv.wait(lk, ready);
        else if (!m_cv.wait_for(lk, std::chrono::milliseconds(timeoutMs), ready))
            return WAIT_TIMEOUT;
        if (!m_manual) m_signaled = false;
        return WAIT_OBJECT_0;
    }

private:
    const bool m_manual;
    bool m_signaled;
    mutable std::mutex m_mutex;
    std::condition_variable m_cv;
};
