#include "mediaeng/job/operations/JobMessages.h"
#include "mediaeng/core/EngineText.h"
#include "platform/LogLinkText.h"
#include "platform/ResourceLibrary.h"
#include <algorithm>
#include <vector>
#include <filesystem>

namespace mediaeng::job {

using mediaeng::TextArg;

namespace {
std::wstring Format(unsigned id, const wchar_t* fallback, const std::vector<CMsgArg>& args)
{
    return FormatMessageSafe(JobText(id, fallback), args);
}

std::wstring FileNameOf(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"/\\");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}
}  // namespace

std::wstring JobText(unsigned id, const wchar_t* fallback)
{
    std::wstring text = LoadResString(id);
    return text.empty() ? fallback : text;
}

void CJobMessages::Text(const std::wstring& text, DWORD flags) const
{
    if (m_handler) m_handler->OnTextMessage(text.c_str(), flags);
}

void CJobMessages::FileStart(const std::wstring& source) const
{
    Text(Format(7101, L"Converting %ls", {TextArg(EscapeLogText(source))}), MSGF_START);
}

void CJobMessages::FileSaved(const std::wstring& output) const
{
    const std::wstring name = FileNameOf(output);
    // File names are any text: escaped, so none can end the link or forge one.
    Text(Format(7102, L"Saved #*link*#%ls#*#%ls#*#0", {TextArg(EscapeLogLinkField(name)), TextArg(EscapeLogLinkField(output))}),
         MSGF_ENGINE_TEXT);
    Text(output, MSGF_FILE_DONE);
}

void CJobMessages::FileError(const std::wstring& source, const std::wstring& reason) const
{
    Text(Format(7103, L"Cannot convert %ls: %ls", {TextArg(EscapeLogText(source)), TextArg(EscapeLogText(reason))}), MSGF_ERROR);
}

void CJobMessages::FileWarning(const std::wstring& source, const std::wstring& text) const
{
    Text(Format(7104, L"%ls: %ls", {TextArg(EscapeLogText(FileNameOf(source))), TextArg(EscapeLogText(text))}), MSGF_WARNING);
}

void CJobMessages::BatchStart() const
{
    if (m_handler) m_handler->OnNotifyMessage(MSGE_NEW_JOB, 0, kProgressRange);
}

void CJobMessages::Progress(double share) const
{
    const double s = std::clamp(share, 0.0, 1.0);
    if (m_handler) m_handler->OnNotifyMessage(MSGE_FILE_POS, DWORD(s * kProgressScale), kProgressScale);
}

void CJobMessages::Finished(int converted, int total) const
{
    Text(Format(7105, L"Conversion finished: %d of %d files converted.", {TextArg(converted), TextArg(total)}), MSGF_FINISHED);
}

void CJobMessages::Aborted() const
{
    Text(JobText(7106, L"Conversion stopped."), MSGF_ABORTED);
}

}  // namespace mediaeng::job
