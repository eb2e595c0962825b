#pragma once
// The update and news thread's handle: started once at start-up, asked to stop
// and joined at exit within a bound, so a check that hangs on the network
// never holds the program open. A task that has not ended by then is left to
// end on its own; it must hold only what it owns (shared state, no pointers
// into the application).
#include <chrono>
#include <functional>
#include <memory>
#include <stop_token>
#include <thread>

class CUpdateThread {
public:
    using Task = std::function<void(std::stop_token)>;

    CUpdateThread() = default;
    ~CUpdateThread();
    CUpdateThread(const CUpdateThread&) = delete;
    CUpdateThread& operator=(const CUpdateThread&) = delete;

    // Starts the thread "km-update" running task; false when one runs already.
    bool Start(Task task);
    // Asks the task to stop and waits up to bound for it: true when it ended
    // (and was joined) or none ran, false when it was left to end on its own.
    bool StopAndJoin(std::chrono::milliseconds bound);
    bool IsStarted() const { return m_thread.joinable(); }

private:
    struct State;
    std::shared_ptr<State> m_state;
    std::thread m_thread;
};
