#include "document/MessageMng.h"
#include "player/UiPoster.h"
#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

CMessageMng::CMessageMng(IUiPoster* poster) : m_poster(poster), m_shared(std::make_shared<Shared>()) {}

CMessageMng::~CMessageMng() = default;

void CMessageMng::SetHandler(ITextMessageMngHandler* handler)
{
    m_shared->handler.store(handler);
}

ITextMessageMngHandler* CMessageMng::GetHandler() const
{
    return m_shared->handler.load();
}

void CMessageMng::NewGeneration()
{
    ++m_shared->generation;
}

void CMessageMng::Dispatch(Delivery deliver)
{
    if (!m_poster) {
        if (ITextMessageMngHandler* h = m_shared->handler.load()) deliver(*h);
        return;
    }
    {
        std::lock_guard lock(m_shared->lock);
        m_shared->queue.push_back({m_shared->generation.load(), std::move(deliver)});
        if (m_shared->posted) return;
        m_shared->posted = true;
    }
    std::weak_ptr<Shared> weak = m_shared;
    IUiPoster* poster = m_poster;
    m_poster->Post([weak, poster] { Drain(weak, poster); });
}

void CMessageMng::Drain(const std::weak_ptr<Shared>& weak, IUiPoster* poster)
{
    const auto start = std::chrono::steady_clock::now();
    bool more = false;
    do {
        std::shared_ptr<Shared> shared = weak.lock();
        if (!shared) return;
        std::vector<Queued> turn;
        {
            std::lock_guard lock(shared->lock);
            const size_t n = std::min(shared->queue.size(), kMessagesPerTurn);
            for (size_t i = 0; i < n; ++i) {
                turn.push_back(std::move(shared->queue.front()));
                shared->queue.pop_front();
            }
            more = !shared->queue.empty();
            shared->posted = more;
        }
        for (Queued& q : turn) {
            // A handler may start a new generation (stop a job): check each in turn.
            if (q.generation != shared->generation.load()) continue;
            if (ITextMessageMngHandler* h = shared->handler.load()) q.deliver(*h);
        }
    } while (more && std::chrono::steady_clock::now() - start < kTimeSlice);
    if (more) poster->PostNextTurn([weak, poster] { Drain(weak, poster); });
}

HRESULT CMessageMng::OnTextMessage(const wchar_t* text, DWORD flags)
{
    std::wstring copy = text ? text : L"";
    Dispatch([copy, flags](ITextMessageMngHandler& h) { h.OnTextMessage(copy.c_str(), flags); });
    return S_OK;
}

HRESULT CMessageMng::OnNotifyMessage(DWORD id, DWORD value, DWORD extra)
{
    Dispatch([id, value, extra](ITextMessageMngHandler& h) { h.OnNotifyMessage(id, value, extra); });
    return S_OK;
}

HRESULT CMessageMng::OnNotifyText(DWORD id, const wchar_t* text, DWORD flags)
{
    std::wstring copy = text ? text : L"";
    Dispatch([id, copy, flags](ITextMessageMngHandler& h) { h.OnNotifyText(id, copy.c_str(), flags); });
    return S_OK;
}
