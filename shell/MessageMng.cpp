#include "shell/MessageMng.h"
#include "player/UiPoster.h"
#include <string>

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

template <class Deliver>
void CMessageMng::Dispatch(Deliver deliver)
{
    if (!m_poster) {
        if (ITextMessageMngHandler* h = m_shared->handler.load()) deliver(*h);
        return;
    }
    std::weak_ptr<Shared> weak = m_shared;
    uint64_t generation = m_shared->generation.load();
    m_poster->Post([weak, generation, deliver]() {
        std::shared_ptr<Shared> shared = weak.lock();
        if (!shared || shared->generation.load() != generation) return;
        if (ITextMessageMngHandler* h = shared->handler.load()) deliver(*h);
    });
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
