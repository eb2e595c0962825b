#pragma once
// The lines and events the conversion sends to the program's message handler:
// a start line per file, a link line to each finished output, warnings and
// errors naming the file, progress over the whole batch, and the end of the run.
#include "engine/MsgMng.h"
#include <string>

namespace mediaeng::job {

// The flags (MSGF_*) and event ids (MSGE_*) are engine/MsgMng.h's. Progress
// goes out as MSGE_NEW_JOB (value: start position, extra: range of the bar)
// and MSGE_FILE_POS (value: position, extra: total).

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

}  // namespace mediaeng::job
