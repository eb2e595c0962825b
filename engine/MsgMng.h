#pragma once
// The engine's message channel: model objects and the engine's own jobs send
// numbered texts, warnings, errors and progress events to the one handler the
// application registers. Handlers may be called from any thread.
#include "platform/Unknown.h"
#include <cstdarg>
#include <mutex>
#include <string>

// Flag bits of IMsgHandler::OnTextMessage.
enum : DWORD {
    MSGF_START = 0x1,
    MSGF_TEXT = 0x4,
    MSGF_ERROR = 0x8,
    MSGF_WARNING = 0x10,
    MSGF_FILE_DONE = 0x20,
    MSGF_LINK = 0x40,
    MSGF_ENGINE_TEXT = 0x80,
    MSGF_NOTE = 0x200,
    MSGF_RAW = 0x400,
};

// {6B1C3F0A-2D4E-4C59-9A1B-0E7D5C2A9F11}
constexpr GUID IID_IMsgHandler{0x6B1C3F0A, 0x2D4E, 0x4C59, {0x9A, 0x1B, 0x0E, 0x7D, 0x5C, 0x2A, 0x9F, 0x11}};

struct IMsgHandler : IUnknown {
    static constexpr const GUID& kIID = IID_IMsgHandler;
    virtual HRESULT OnTextMessage(const wchar_t* text, DWORD flags) = 0;
    virtual HRESULT OnNotifyMessage(DWORD id, DWORD value, DWORD extra) = 0;
    // Events whose value is a pointer-sized payload (a 64-bit system cannot
    // pass it in a 32-bit value); the default ignores them.
    virtual HRESULT OnNotifyPointer(DWORD /*id*/, void* /*payload*/) { return S_OK; }
    virtual ~IMsgHandler() = default;
};

// Installs the process-wide handler (null removes it); returns the previous one.
IMsgHandler* __SetMessageHandler(IMsgHandler* handler);
IMsgHandler* __GetMessageHandler();

// Sender of numbered messages; the text of each id comes from the resource
// library and is formatted with the arguments printf-style.
class CMsgMng {
public:
    virtual ~CMsgMng() = default;
    HRESULT SendMsgText(UINT id, ...);
    HRESULT SendMsgWarning(UINT id, ...);
    HRESULT SendMsgError(UINT id, ...);
    // Sends a ready text with the given flags.
    static HRESULT SendText(const std::wstring& text, DWORD flags);
    static HRESULT SendNotify(DWORD id, DWORD value, DWORD extra);

protected:
    HRESULT SendFormatted(UINT id, DWORD flags, va_list args);
};

// Holder of the last error text of an engine object.
class CErrorMng {
public:
    virtual ~CErrorMng() = default;
    void SetError(const std::wstring& text);
    void ClearError();
    // True when an error is held; its text goes to *text when given.
    bool IsLastError(std::wstring* text = nullptr) const;
    bool IsErrorHappened() const;

private:
    mutable std::mutex m_mutex;
    std::wstring m_error;
    bool m_happened = false;
};

// Formats a resource text printf-style with wide arguments; placeholders
// beyond what the caller can vouch for are handled by the engine's formatter.
std::wstring FormatMessageText(const std::wstring& format, va_list args);
