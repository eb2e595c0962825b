#pragma once
// The two exchanges with the maker's web service: the newest version number and
// the news page. Both run on the update thread and touch neither windows nor
// settings; the service address comes from "Settings"/"UpdateServer".
#include "shell/update/HttpGet.h"
#include <atomic>
#include <filesystem>
#include <string>

// Results of CheckForUpdates.
enum : int {
    UPDATE_CHECK_FAILED = -1,  // no answer, another status than 200, or not N.N.N
    UPDATE_UP_TO_DATE = 1,     // the answer is not newer than the program
    UPDATE_NEWER = 2,          // the answer is a newer version
};

class CUpdateService {
public:
    static constexpr size_t kMaxVersionChars = 511;
    static constexpr size_t kMaxNewsChars = 127999;

    CUpdateService(std::string serverUrl, std::filesystem::path newsFile, HttpGetLimits limits = {});

    // The configured service address with a trailing '/'.
    static std::string ServerFromSettings();
    // "HTML/news.html" in the user's data folder.
    static std::filesystem::path DefaultNewsFile();

    // answer gets the trimmed version text the server gave (empty on failure).
    int CheckForUpdates(std::wstring& answer, const std::atomic<bool>* cancel) const;
    // Replaces the news file with the server's page; the old file stays on any
    // failure. True when a new page was stored.
    bool DownloadNews(const std::atomic<bool>* cancel) const;

    const std::filesystem::path& NewsFile() const { return m_newsFile; }

private:
    bool Fetch(const char* path, size_t maxChars, const std::atomic<bool>* cancel, std::wstring& text) const;

    std::string m_server;
    std::filesystem::path m_newsFile;
    HttpGetLimits m_limits;
};
