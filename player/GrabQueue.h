#pragma once
// The frame grabber's pending requests: at most one per entry, taken in the
// order added, one at a time into the running pass. Every operation takes the
// queue's lock (m_csRequests) alone and briefly; no grab runs under it.
#include "model/source/KMFile.h"
#include "platform/Unknown.h"
#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

// One still-frame request. It holds a grab reference on its entry, and what
// the worker needs of the entry is copied at request time, so the worker
// never reads fields the user-interface thread writes.
struct CGrabRequest {
    CKMFile* entry;
    ComPtr<IUnknown> source;  // the entry's media source (override first)
    int64_t position = 0;     // the entry's current position when asked
    int64_t stop = 0;         // end of seeking: the entry's duration
    std::atomic<bool> cancelled{false};

    CGrabRequest(CKMFile* e, ComPtr<IUnknown> src, int64_t pos, int64_t stopTime);
    ~CGrabRequest();
    CGrabRequest(const CGrabRequest&) = delete;
    CGrabRequest& operator=(const CGrabRequest&) = delete;
};
using GrabRequestPtr = std::shared_ptr<CGrabRequest>;

class CGrabQueue {
public:
    // False when a live request for the entry is pending or being grabbed.
    bool Add(GrabRequestPtr request);
    // The first request whose entry is still in the project, now in the pass;
    // requests of removed entries are dropped on the way. Null when none.
    GrabRequestPtr Pick();
    // The pass is done with its request, grabbed or not: it leaves the queue.
    void Finish(const GrabRequestPtr& request);
    // Cancels and drops the entry's requests (null: every request), also the
    // one being grabbed.
    void Remove(CKMFile* entry);
    // Cancels and drops every request but the entry's, also the one being
    // grabbed: only the shown entry's still is waited for.
    void KeepOnly(CKMFile* entry);
    size_t PendingCount() const;
    bool HasRequestFor(CKMFile* entry) const;

    // Work signal of the worker: set by Add (and shut-down), taken by WaitWork.
    void Signal();
    // Waits for the signal or stop; false when stop is set.
    bool WaitWork(const std::atomic<bool>& stop);
    // Wakes a WaitWork without work (shut-down).
    void Wake();

private:
    template <class Match>
    void CancelIf(Match match);

    mutable std::mutex m_mutex;
    std::condition_variable m_cv;
    std::deque<GrabRequestPtr> m_requests;
    GrabRequestPtr m_inPass;
    bool m_signal = false;
};
