#include "engine/MsgMng.h"
#include "engine/EngineInit.h"
#include "platform/ClassRegistry.h"
#include "platform/ResourceLibrary.h"
#include <atomic>
#include <cwchar>
#include <vector>

namespace {
std::atomic<IMsgHandler*> g_handler{nullptr};
// Every model object derives from CMsgMng, so this object file is always
// linked: it is where the engine's classes get registered.
const bool g_engineRegistered = (CoAddInitializer(&EngineInitialize), true);
}

IMsgHandler* __SetMessageHandler(IMsgHandler* handler)
{
    return g_handler.exchange(handler);
}

IMsgHandler* __GetMessageHandler()
{
    return g_handler.load();
}

std::wstring FormatMessageText(const std::wstring& format, va_list args)
{
    std::vector<wchar_t> buf(1024);
    for (;;) {
        va_list copy;
        va_copy(copy, args);
        int n = std::vswprintf(buf.data(), buf.size(), format.c_str(), copy);
        va_end(copy);
        if (n >= 0) return std::wstring(buf.data(), static_cast<size_t>(n));
        if (buf.size() >= 65536) return format;
        buf.resize(buf.size() * 4);
    }
}

HRESULT CMsgMng::SendText(const std::wstring& text, DWORD flags)
{
    IMsgHandler* h = g_handler.load();
    return h ? h->OnTextMessage(text.c_str(), flags) : S_FALSE;
}

HRESULT CMsgMng::SendNotify(DWORD id, DWORD value, DWORD extra)
{
    IMsgHandler* h = g_handler.load();
    return h ? h->OnNotifyMessage(id, value, extra) : S_FALSE;
}

HRESULT CMsgMng::SendFormatted(UINT id, DWORD flags, va_list args)
{
    return SendText(FormatMessageText(LoadResString(id), args), flags);
}

HRESULT CMsgMng::SendMsgText(UINT id, ...)
{
    va_list a;
    va_start(a, id);
    HRESULT hr = SendFormatted(id, MSGF_ENGINE_TEXT, a);
    va_end(a);
    return hr;
}

HRESULT CMsgMng::SendMsgWarning(UINT id, ...)
{
    va_list a;
    va_start(a, id);
    HRESULT hr = SendFormatted(id, MSGF_WARNING, a);
    va_end(a);
    return hr;
}

HRESULT CMsgMng::SendMsgError(UINT id, ...)
{
    va_list a;
    va_start(a, id);
    HRESULT hr = SendFormatted(id, MSGF_ERROR, a);
    va_end(a);
    return hr;
}

void CErrorMng::SetError(const std::wstring& text)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_error = text;
    m_happened = true;
}

void CErrorMng::ClearError()
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_error.clear();
}

bool CErrorMng::IsLastError(std::wstring* text) const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    if (m_error.empty()) return false;
    if (text) *text = m_error;
    return true;
}

bool CErrorMng::IsErrorHappened() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_happened;
}
