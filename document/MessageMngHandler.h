#pragma once
// The document's listener interface: log lines, progress, counters and the
// state changes of a conversion, heard by the conversion view and the main
// frame in the order they registered. Called on the user-interface thread.
#include "platform/Types.h"
#include <string>

// Codes of IMessageMngHandler::OnMessage (bits of a 32-bit word).
enum : DWORD {
    LOG_START = 0x1,
    LOG_PLAIN = 0x4,
    LOG_ERROR = 0x8,
    LOG_WARNING = 0x10,
    LOG_FILE_DONE = 0x44,
    LOG_NOTE = 0x204,
    LOG_RAW = 0x400,
    LOG_PAUSE = 0x804,  // a listener may put an empty line before it
};

class IMessageMngHandler {
public:
    // One log line; listeners copy what they keep.
    virtual void OnMessage(const std::wstring& text, DWORD code) = 0;
    virtual void SetProgressRange(int range) = 0;
    virtual void SetProgressPos(int pos) = 0;
    // The log and the status text are to be emptied.
    virtual void ClearMessages() = 0;
    virtual void SetFilesDone(int count) = 0;
    virtual void OnAborted() = 0;
    virtual void OnFinished() = 0;
    virtual void OnCurrentFileChanged() = 0;

protected:
    ~IMessageMngHandler() = default;
};
