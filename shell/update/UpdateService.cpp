#include "shell/update/UpdateService.h"
#include "model/util/FileDirTools.h"
#include "platform/Settings.h"
#include "platform/TextConv.h"
#include "shell/update/NewsFile.h"
#include "shell/update/UpdateVersion.h"

namespace {
const wchar_t* const kDefaultServer = L"http://www.kestrelmedia.example/";

std::wstring Trim(const std::wstring& text)
{
    const wchar_t* blanks = L" \t\r\n";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::wstring::npos) return {};
    const size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}
}  // namespace

CUpdateService::CUpdateService(std::string serverUrl, std::filesystem::path newsFile, HttpGetLimits limits)
    : m_server(std::move(serverUrl)), m_newsFile(std::move(newsFile)), m_limits(limits)
{
    if (m_server.empty() || m_server.back() != '/') m_server += '/';
}

std::string CUpdateService::ServerFromSettings()
{
    std::wstring server = CSettingsStore::Instance().GetString(L"Settings", L"UpdateServer", kDefaultServer);
    if (server.empty()) server = kDefaultServer;
    std::string text = WideToUtf8(server);
    if (text.back() != '/') text += '/';
    return text;
}

std::filesystem::path CUpdateService::DefaultNewsFile()
{
    return std::filesystem::path(CFileDirTools::GetAppDataPathA()) / "HTML" / "news.html";
}

bool CUpdateService::Fetch(const char* path, size_t maxChars, const std::atomic<bool>* cancel,
                           std::wstring& text) const
{
    HttpGetLimits limits = m_limits;
    limits.maxBytes = maxChars * 4;  // UTF-8 takes at most four bytes a character
    std::string body;
    if (HttpGet(m_server + path, limits, cancel, body) != 0) return false;
    text = Trim(Utf8ToWide(body));
    return !text.empty() && text.size() <= maxChars;
}

int CUpdateService::CheckForUpdates(std::wstring& answer, const std::atomic<bool>* cancel) const
{
    answer.clear();
    std::wstring text;
    if (!Fetch("scripts/updates.php", kMaxVersionChars, cancel, text)) return UPDATE_CHECK_FAILED;
    // Anything but N.N.N (an error page, a captive portal's HTML) is no answer.
    const auto theirs = ParseVersionText(text);
    const auto ours = ParseVersionText(GetOwnVersionText());
    if (!theirs || !ours) return UPDATE_CHECK_FAILED;
    answer = FormatVersion(*theirs);
    return *theirs > *ours ? UPDATE_NEWER : UPDATE_UP_TO_DATE;
}

bool CUpdateService::DownloadNews(const std::atomic<bool>* cancel) const
{
    std::wstring text;
    if (!Fetch("scripts/auto_news.php", kMaxNewsChars, cancel, text)) return false;
    if (cancel && cancel->load()) return false;
    std::string error;
    return WriteNewsFile(m_newsFile, WideToUtf8(text), error);
}
