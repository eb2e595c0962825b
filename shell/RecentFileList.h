#pragma once
// The most recently opened and saved projects, newest first, kept in the
// settings store's section "Recent File List" as "File1" to "File5".
#include <string>
#include <vector>

class CSettingsStore;

class CRecentFileList {
public:
    static constexpr int kMaxEntries = 5;
    static constexpr const wchar_t* kSection = L"Recent File List";

    explicit CRecentFileList(CSettingsStore& store);

    // Re-reads the entries from the store.
    void Load();
    // Puts path first (once) and writes the list back.
    void Add(const std::wstring& path);
    void Remove(const std::wstring& path);
    const std::vector<std::wstring>& Entries() const { return m_entries; }
    std::wstring First() const { return m_entries.empty() ? std::wstring() : m_entries.front(); }

private:
    void Save();

    CSettingsStore& m_store;
    std::vector<std::wstring> m_entries;
};
