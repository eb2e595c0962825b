#pragma once
// The program's settings store: sections of named integers and texts, kept in
// an INI-style file in the user's configuration folder (the layout wxFileConfig
// reads), so the model can use it without the window toolkit.
// The file is $KM_SETTINGS_FILE when set (tests), else
// $XDG_CONFIG_HOME/KestrelMedia Soft/KestrelMedia.ini.
#include <filesystem>
#include <map>
#include <mutex>
#include <string>

class CSettingsStore {
public:
    static CSettingsStore& Instance();
    static std::filesystem::path DefaultPath();

    int GetInt(const std::wstring& section, const std::wstring& key, int def);
    std::wstring GetString(const std::wstring& section, const std::wstring& key, const std::wstring& def);
    // Writes go to disk at once; false when the file could not be written.
    bool SetInt(const std::wstring& section, const std::wstring& key, int value);
    bool SetString(const std::wstring& section, const std::wstring& key, const std::wstring& value);

    // Points the store at another file (tests) and reloads it.
    void SetPath(const std::filesystem::path& path);
    std::filesystem::path Path() const;

private:
    CSettingsStore();
    void LoadLocked();
    bool SaveLocked();

    mutable std::mutex m_mutex;
    std::filesystem::path m_path;
    std::map<std::wstring, std::map<std::wstring, std::wstring>> m_sections;
};
