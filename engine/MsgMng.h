#pragma once
// The engine's message channel: model objects and the engine's own jobs send
// numbered texts, warnings, errors and progress events to the one handler the
// application registers. Handlers may be called from any thread.
#include "platform/Unknown.h"
#include <cstdarg>
#include <mutex>
#include <string>
#include <vector>

// Flag bits of IMsgHandler::OnTextMessage.
enum : DWORD {
    MSGF_START = 0x1,
    MSGF_ABORTED = 0x2,      // the job was aborted (ends the run)
    MSGF_TEXT = 0x4,
    MSGF_ERROR = 0x8,
    MSGF_WARNING = 0x10,
    MSGF_FILE_DONE = 0x20,
    MSGF_LINK = 0x40,        // swallowed by the program
    MSGF_ENGINE_TEXT = 0x80,
    MSGF_FINISHED = 0x100,   // the job ended (ends the run)
    MSGF_NOTE = 0x200,
    MSGF_RAW = 0x400,        // passed on as it is
};

// Event ids of IMsgHandler::OnNotifyMessage (value, extra as noted).
enum : DWORD {
    MSGE_PROGRESS_POS = 1362,  // value: position
    MSGE_ENGINE_TEXT = 1363,   // a text: sent through OnNotifyText
    MSGE_NEW_JOB = 1367,       // value: position the job starts at, extra: range
    MSGE_NEXT_PART = 1371,     // value: part offset, extra: range
    MSGE_FILE_POS = 1372,      // value: position in the file, extra: file total (0 = unchanged)
    MSGE_PASS = 1374,          // value: pass weight in millionths, -1 resets
    MSGE_RUN_COUNTS = 1380,    // just before the end of a run: value converted, extra sources in all
    MSGE_RUN_SHORTENED = 1381, // just before the end of a run: value outputs shorter than their source
    MSGE_TEXT_FLAGS = 11024,   // a text with flags: sent through OnNotifyText
};

// {6B1C3F0A-2D4E-4C59-9A1B-0E7D5C2A9F11}
constexpr GUID IID_IMsgHandler{0x6B1C3F0A, 0x2D4E, 0x4C59, {0x9A, 0x1B, 0x0E, 0x7D, 0x5C, 0x2A, 0x9F, 0x11}};

struct IMsgHandler : IUnknown {
    static constexpr const GUID& kIID = IID_IMsgHandler;
    virtual HRESULT OnTextMessage(const wchar_t* text, DWORD flags) = 0;
    virtual HRESULT OnNotifyMessage(DWORD id, DWORD value, DWORD extra) = 0;
    virtual ~IMsgHandler() = default;
    // The events that carry a text (MSGE_ENGINE_TEXT, MSGE_TEXT_FLAGS): a
    // 64-bit pointer does not fit the 32-bit value, so they have their own
    // call. The default hands the text on as a text message (flags 0x80 for
    // MSGE_ENGINE_TEXT, the given flags otherwise).
    virtual HRESULT OnNotifyText(DWORD id, const wchar_t* text, DWORD flags)
    {
        return OnTextMessage(text, id == MSGE_ENGINE_TEXT ? MSGF_ENGINE_TEXT : flags);
    }
};

// Installs the process-wide handler (null removes it); returns the previous one.
IMsgHandler* __SetMessageHandler(IMsgHandler* handler);
IMsgHandler* __GetMessageHandler();

// One argument of a numbered message.
struct CMsgArg {
    enum Kind { String, Int, Unsigned, Real } kind = Int;
    std::wstring text;
    int64_t number = 0;
    double real = 0;
};

// Sender of numbered messages; the text of each id comes from the resource
// library. The arguments after the id are read only as the id is known to
// take them (SetMessageArgs); a placeholder of the text that does not match
// the next known argument, or has none left, is left in the text as it
// stands, so a wrong text never reads past what the caller passed.
class CMsgMng {
public:
    virtual ~CMsgMng() = default;
    HRESULT SendMsgText(UINT id, ...);
    HRESULT SendMsgWarning(UINT id, ...);
    HRESULT SendMsgError(UINT id, ...);
    // Sends a ready text with the given flags.
    static HRESULT SendText(const std::wstring& text, DWORD flags);
    static HRESULT SendNotify(DWORD id, DWORD value, DWORD extra);
    static HRESULT SendNotifyText(DWORD id, const std::wstring& text, DWORD flags);

    // Argument kinds an id takes, one letter each: 's' const wchar_t*,
    // 'd' int, 'u' unsigned (also 'x' for result codes), 'f' double. Ids
    // never declared take none.
    static void SetMessageArgs(UINT id, const char* kinds);
    static std::string GetMessageArgs(UINT id);

protected:
    HRESULT SendFormatted(UINT id, DWORD flags, va_list args);
};

// Formats text printf-style with the given arguments only (see CMsgMng).
std::wstring FormatMessageSafe(const std::wstring& format, const std::vector<CMsgArg>& args);

// Holder of an engine object's error record. SetError also makes the text
// the last engine error of the calling thread (empty text clears both), which
// is what IsLastError answers: so an object learns the text of an engine call
// that just failed on its thread (a media source's open, say).
class CErrorMng {
public:
    virtual ~CErrorMng() = default;
    void SetError(const std::wstring& text);
    void ClearError();
    // True when the thread's last engine error, or else this object's own,
    // is set; its text goes to *text when given.
    bool IsLastError(std::wstring* text = nullptr) const;
    // True once this object has recorded a non-empty error.
    bool IsErrorHappened() const;
    std::wstring GetError() const;

private:
    mutable std::mutex m_mutex;
    std::wstring m_error;
    bool m_happened = false;
};
