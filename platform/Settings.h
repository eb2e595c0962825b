#pragma once
// The program's settings store: sections of named integers and texts, kept in
// an INI-style file in the user's configuration folder (the layout wxFileConfig
// reads), so the model can use it without the window toolkit.
// The file is $KM_SETTINGS_FILE when set (tests), else
// $XDG_CONFIG_HOME/KestrelMedia Soft/KestrelMedia.ini.
//
// Writes are gathered: a change marks the store, and the writer thread
// ("km-settings") writes the whole file once the changes have settled (no
// change for SettleTime()), so dragging a splitter or resizing the frame
// writes once, not once per step. Flush() writes at once; the store flushes
// when it is pointed elsewhere and when the process ends normally, and
// FlushOnSignals() makes SIGTERM and SIGINT write what is pending first.
// Lock order: m_mutex alone; the file is written under it.
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <thread>

class CSettingsStore {
public:
    static CSettingsStore& Instance();
    static std::filesystem::path DefaultPath();

    int GetInt(const std::wstring& section, const std::wstring& key, int def);
    std::wstring GetString(const std::wstring& section, const std::wstring& key, const std::wstring& def);
    // Writes reach the disk once the changes settle; a value set again
    // unchanged writes nothing. False when the last write failed.
    bool SetInt(const std::wstring& section, const std::wstring& key, int value);
    bool SetString(const std::wstring& section, const std::wstring& key, const std::wstring& value);

    // Writes pending changes now; false when the file could not be written.
    bool Flush();
    // Points the store at another file (tests) and reloads it; what was
    // pending goes to the old file first.
    void SetPath(const std::filesystem::path& path);
    std::filesystem::path Path() const;

    // How long the store waits after the last change before it writes.
    void SetSettleTime(std::chrono::milliseconds settle);
    std::chrono::milliseconds SettleTime() const;
    // Times the file was written since the process started (benchmarks, tests).
    unsigned WriteCount() const;

    // SIGTERM and SIGINT write the pending changes, then end the process as
    // the signal would have. Call once from the program's start.
    static void FlushOnSignals();

    ~CSettingsStore();
    CSettingsStore(const CSettingsStore&) = delete;
    CSettingsStore& operator=(const CSettingsStore&) = delete;

private:
    CSettingsStore();
    void LoadLocked();
    bool SaveLocked();
    void WriterLoop();

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::filesystem::path m_path;
    std::map<std::wstring, std::map<std::wstring, std::wstring>> m_sections;
    bool m_dirty = false;
    bool m_lastWriteFailed = false;
    bool m_stop = false;
    unsigned m_writes = 0;
    std::chrono::milliseconds m_settle{300};
    std::chrono::steady_clock::time_point m_lastChange;
    std::thread m_writer;  // started by the first change
};
