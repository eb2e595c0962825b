#pragma once
// Runs the update and news check off the user-interface thread.
//
// Thread model: one worker thread "km-update", started with the first request
// and joined by Shutdown (or the destructor). Requests (the automatic check at
// start, the manual check of command 477) queue up and run one after another,
// so two checks never write "LastResponse" or the news file at once. The worker
// touches no window and no setting: each outcome is copied into a task handed
// to the UI thread through IUiPoster, where the message box and the settings
// write happen. Shutdown cancels a running exchange (libcurl's progress check)
// and joins; tasks still queued on the UI thread do nothing after it.
// Lock order: m_mutex only; never held while calling the network or the poster.
#include "shell/update/UpdateService.h"
#include <atomic>
#include "player/UiPoster.h"
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>


// What the check asks of the user interface; called on the UI thread only.
class IUpdateMessages {
public:
    virtual ~IUpdateMessages() = default;
    virtual void ShowMessage(uint32_t stringId, bool error) = 0;
    // After each run; for a manual one the active view then reloads.
    virtual void OnCheckFinished(bool manual) = 0;
};

class CUpdateChecker {
public:
    CUpdateChecker(CUpdateService service, IUiPoster& poster, IUpdateMessages& messages);
    ~CUpdateChecker();
    CUpdateChecker(const CUpdateChecker&) = delete;
    CUpdateChecker& operator=(const CUpdateChecker&) = delete;

    // The check at start-up, when "Settings"/"AutoCheck" (default 1) is set;
    // false when it is off or the checker is shut down.
    bool StartAuto();
    // The manual check (command 477); returns at once.
    void CheckNow();
    // Cancels the running exchange, drops queued requests and joins the worker.
    void Shutdown();

private:
    enum class Kind { Auto, Manual };
    void Enqueue(Kind kind);
    void WorkerLoop();
    void RunAuto();
    void RunManual();
    void PostOutcome(Kind kind, int result, const std::wstring& answer);
    void PostFinished(Kind kind);

    // Lives as long as the checker; UI tasks hold it weakly so a task that
    // arrives after Shutdown finds nothing to call.
    struct Target {
        IUpdateMessages* messages;
    };

    const CUpdateService m_service;
    IUiPoster& m_poster;
    std::shared_ptr<Target> m_target;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Kind> m_queue;  // guarded by m_mutex
    bool m_stopping = false;   // guarded by m_mutex
    std::atomic<bool> m_cancel{false};
    std::thread m_worker;      // started and joined on the UI thread
};

// Applies an outcome on the UI thread: the notice, then "LastResponse".
void ApplyUpdateOutcome(bool manual, int result, const std::wstring& answer, IUpdateMessages& messages);
