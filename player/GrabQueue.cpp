#include "player/GrabQueue.h"
#include <algorithm>

CGrabRequest::CGrabRequest(CKMFile* e, ComPtr<IUnknown> src, int64_t pos, int64_t stopTime)
    : entry(e), source(std::move(src)), position(pos), stop(stopTime)
{
    entry->GrabAddRef();
}

CGrabRequest::~CGrabRequest() { entry->GrabRelease(); }

bool CGrabQueue::Add(GrabRequestPtr request)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    auto same = [&](const GrabRequestPtr& q) { return q->entry == request->entry && !q->cancelled.load(); };
    if ((m_inPass && same(m_inPass)) || std::any_of(m_requests.begin(), m_requests.end(), same)) return false;
    m_requests.push_back(std::move(request));
    return true;
}

GrabRequestPtr CGrabQueue::Pick()
{
    std::lock_guard<std::mutex> lk(m_mutex);
    while (!m_requests.empty()) {
        GrabRequestPtr q = std::move(m_requests.front());
        m_requests.pop_front();
        if (q->cancelled.load() || q->entry->IsRemoved()) continue;  // dropped
        m_inPass = q;
        return q;
    }
    return nullptr;
}

void CGrabQueue::Finish(const GrabRequestPtr& request)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    if (m_inPass == request) m_inPass = nullptr;
}

template <class Match>
void CGrabQueue::CancelIf(Match match)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    for (auto& q : m_requests)
        if (match(q)) q->cancelled = true;
    m_requests.erase(std::remove_if(m_requests.begin(), m_requests.end(), match), m_requests.end());
    if (m_inPass && match(m_inPass)) m_inPass->cancelled = true;
}

void CGrabQueue::Remove(CKMFile* entry)
{
    CancelIf([entry](const GrabRequestPtr& q) { return !entry || q->entry == entry; });
}

void CGrabQueue::KeepOnly(CKMFile* entry)
{
    CancelIf([entry](const GrabRequestPtr& q) { return q->entry != entry; });
}

size_t CGrabQueue::PendingCount() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_requests.size();
}

bool CGrabQueue::HasRequestFor(CKMFile* entry) const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    auto same = [&](const GrabRequestPtr& q) { return q->entry == entry && !q->cancelled.load(); };
    return (m_inPass && same(m_inPass)) || std::any_of(m_requests.begin(), m_requests.end(), same);
}

void CGrabQueue::Signal()
{
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        m_signal = true;
    }
    m_cv.notify_all();
}

void CGrabQueue::Wake()
{
    { std::lock_guard<std::mutex> lk(m_mutex); }
    m_cv.notify_all();
}

bool CGrabQueue::WaitWork(const std::atomic<bool>& stop)
{
    std::unique_lock<std::mutex> lk(m_mutex);
    m_cv.wait(lk, [&] { return m_signal || stop.load(); });
    m_signal = false;
    return !stop.load();
}
