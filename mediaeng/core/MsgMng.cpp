#include "engine/MsgMng.h"
#include "engine/EngineInit.h"
#include "platform/ClassRegistry.h"
#include "platform/ResourceLibrary.h"
#include <atomic>
#include <cwchar>
#include <map>

namespace {

std::atomic<IMsgHandler*> g_handler{nullptr};
// Every model object derives from CMsgMng, so this object file is always
// linked: it is where the engine's classes get registered.
const bool g_engineRegistered = (CoAddInitializer(&EngineInitialize), true);

thread_local std::wstring t_lastError;

std::mutex& ArgsMutex()
{
    static std::mutex m;
    return m;
}

std::map<UINT, std::string>& ArgsTable()
{
    // Ids the engine and the model send with arguments.
    static std::map<UINT, std::string> table = {
        {519, "s"},  // folder is no directory: the path
        {524, "x"},  // playback graph failed: the result code
    };
    return table;
}

std::vector<CMsgArg> ReadArgs(const std::string& kinds, va_list args)
{
    std::vector<CMsgArg> out;
    for (char k : kinds) {
        CMsgArg a;
        switch (k) {
        case 's': {
            const wchar_t* s = va_arg(args, const wchar_t*);
            a.kind = CMsgArg::String;
            a.text = s ? s : L"";
            break;
        }
        case 'd':
            a.kind = CMsgArg::Int;
            a.number = va_arg(args, int);
            break;
        case 'u':
        case 'x':
            a.kind = CMsgArg::Unsigned;
            a.number = va_arg(args, unsigned int);
            break;
        case 'f':
            a.kind = CMsgArg::Real;
            a.real = va_arg(args, double);
            break;
        default:
            return out;  // an unknown letter ends the list: nothing more is read
        }
        out.push_back(std::move(a));
    }
    return out;
}

// One conversion of a printf format, as parsed.
struct FormatField {
    std::wstring flags, width, precision;
    wchar_t conv = 0;
    size_t end = 0;  // index after the conversion character
};

bool ParseField(const std::wstring& f, size_t start, FormatField& desc)
{
    size_t i = start + 1;
    auto digits = [&](std::wstring& out) {
        while (i < f.size() && iswdigit(f[i]) && out.size() < 4) out += f[i++];
        while (i < f.size() && iswdigit(f[i])) ++i;  // absurd widths are cut
    };
    while (i < f.size() && std::wcschr(L"-+ 0#", f[i])) desc.flags += f[i++];
    digits(desc.width);
    if (i < f.size() && f[i] == L'.') {
        ++i;
        desc.precision = L".";
        digits(desc.precision);
    }
    // Length modifiers say nothing we rely on: the argument's kind decides.
    while (i < f.size() && std::wcschr(L"hlLqjztI", f[i])) {
        if (f[i] == L'I' && f.compare(i, 3, L"I64") == 0) i += 2;
        ++i;
    }
    if (i >= f.size()) return false;
    desc.conv = f[i];
    desc.end = i + 1;
    return true;
}

std::wstring Render(const FormatField& s, const CMsgArg& a)
{
    wchar_t buf[512];
    std::wstring head = L"%" + s.flags + s.width + s.precision;
    int n = -1;
    switch (s.conv) {
    case L's':
    case L'S':
        if (a.kind != CMsgArg::String) return {};
        n = std::swprintf(buf, std::size(buf), (head + L"ls").c_str(), a.text.c_str());
        if (n < 0) return a.text;  // longer than the buffer: the text as it is
        break;
    case L'd':
    case L'i':
        if (a.kind != CMsgArg::Int && a.kind != CMsgArg::Unsigned) return {};
        n = std::swprintf(buf, std::size(buf), (head + L"lld").c_str(), static_cast<long long>(a.number));
        break;
    case L'u':
    case L'x':
    case L'X':
    case L'o':
        if (a.kind != CMsgArg::Int && a.kind != CMsgArg::Unsigned) return {};
        n = std::swprintf(buf, std::size(buf), (head + L"ll" + s.conv).c_str(),
                          static_cast<unsigned long long>(static_cast<uint32_t>(a.number)));
        break;
    case L'f':
    case L'F':
    case L'e':
    case L'E':
    case L'g':
    case L'G':
        if (a.kind == CMsgArg::String) return {};
        n = std::swprintf(buf, std::size(buf), (head + s.conv).c_str(),
                          a.kind == CMsgArg::Real ? a.real : static_cast<double>(a.number));
        break;
    case L'c':
        if (a.kind != CMsgArg::Int && a.kind != CMsgArg::Unsigned) return {};
        return std::wstring(1, static_cast<wchar_t>(a.number));
    default:
        return {};
    }
    return n < 0 ? std::wstring() : std::wstring(buf, static_cast<size_t>(n));
}

}  // namespace

std::wstring FormatMessageSafe(const std::wstring& format, const std::vector<CMsgArg>& args)
{
    std::wstring out;
    size_t next = 0;
    for (size_t i = 0; i < format.size();) {
        if (format[i] != L'%') {
            out += format[i++];
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == L'%') {
            out += L'%';
            i += 2;
            continue;
        }
        FormatField desc;
        if (ParseField(format, i, desc) && next < args.size()) {
            std::wstring piece = Render(desc, args[next]);
            if (!piece.empty() || (args[next].kind == CMsgArg::String && (desc.conv == L's' || desc.conv == L'S'))) {
                out += piece;
                ++next;
                i = desc.end;
                continue;
            }
        }
        // No matching argument: the placeholder stays as text.
        size_t end = desc.end ? desc.end : i + 1;
        out.append(format, i, end - i);
        i = end;
    }
    return out;
}

IMsgHandler* __SetMessageHandler(IMsgHandler* handler)
{
    return g_handler.exchange(handler);
}

IMsgHandler* __GetMessageHandler()
{
    return g_handler.load();
}

void CMsgMng::SetMessageArgs(UINT id, const char* kinds)
{
    std::lock_guard<std::mutex> lk(ArgsMutex());
    ArgsTable()[id] = kinds ? kinds : "";
}

std::string CMsgMng::GetMessageArgs(UINT id)
{
    std::lock_guard<std::mutex> lk(ArgsMutex());
    auto it = ArgsTable().find(id);
    return it == ArgsTable().end() ? std::string() : it->second;
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

HRESULT CMsgMng::SendNotifyText(DWORD id, const std::wstring& text, DWORD flags)
{
    IMsgHandler* h = g_handler.load();
    return h ? h->OnNotifyText(id, text.c_str(), flags) : S_FALSE;
}

HRESULT CMsgMng::SendFormatted(UINT id, DWORD flags, va_list args)
{
    std::vector<CMsgArg> values = ReadArgs(GetMessageArgs(id), args);
    std::wstring format = LoadResString(id);
    if (format.empty()) {
        // A text missing from the library still reaches the user.
        format = L"#" + std::to_wstring(id);
        for (size_t i = 0; i < values.size(); ++i) format += values[i].kind == CMsgArg::String ? L" %s" : L" %d";
    }
    return SendText(FormatMessageSafe(format, values), flags);
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
    if (!text.empty()) m_happened = true;
    t_lastError = text;
}

void CErrorMng::ClearError()
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_error.clear();
    t_lastError.clear();
}

bool CErrorMng::IsLastError(std::wstring* text) const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    const std::wstring& held = t_lastError.empty() ? m_error : t_lastError;
    if (held.empty()) return false;
    if (text) *text = held;
    return true;
}

bool CErrorMng::IsErrorHappened() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_happened;
}

std::wstring CErrorMng::GetError() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_error;
}
