#pragma once
// The lines and events the conversion sends to the program's message handler:
// a start line per file, a link line to each finished output, warnings and
// errors naming the file, progress over the whole batch, and the end of the run.
#include "engine/MsgMng.h"
#include <string>

namespace job {

// Flag bits beyond engine/MsgMng.h that the program reads.
enum : DWORD {
    MSGF_JOB_ABORTED = 0x02,
    MSGF_JOB_FINISHED = 0x100,
};

// Event ids of IMsgHandler::OnNotifyMessage.
enum : DWORD {
    EVT_NEW_JOB = 1367,        // value: start position, extra: range of the bar
    EVT_FILE_POSITION = 1372,  // value: position, extra: total (one file's worth is 500 units)
};

// Progress units of one file at full weight; the whole batch is reported as
// one such file, so the bar runs 0 to 500 across the batch.
constexpr DWORD kProgressRange = 500;
constexpr DWORD kProgressScale = 1000000;

class CJobMessages {
public:
    explicit CJobMessages(IMsgHandler* handler) : m_handler(handler) {}

    void FileStart(const std::wstring& source) const;
    void FileSaved(const std::wstring& output) const;
    void FileError(const std::wstring& source, const std::wstring& reason) const;
    void FileWarning(const std::wstring& source, const std::wstring& text) const;
    void BatchStart() const;
    // share of the batch done, 0 to 1.
    void Progress(double share) const;
    void Finished(int converted, int total) const;
    void Aborted() const;

private:
    void Text(const std::wstring& text, DWORD flags) const;

    IMsgHandler* m_handler;
};

// A resource text with a default when the resource library lacks it.
std::wstring JobText(unsigned id, const wchar_t* fallback);

}  // namespace job
