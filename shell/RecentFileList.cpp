#include "shell/RecentFileList.h"
#include "platform/Settings.h"
#include <algorithm>

namespace {
std::wstring Key(int index)
{
    return L"File" + std::to_wstring(index + 1);
}
}

CRecentFileList::CRecentFileList(CSettingsStore& store) : m_store(store)
{
    Load();
}

void CRecentFileList::Load()
{
    m_entries.clear();
    for (int i = 0; i < kMaxEntries; ++i) {
        std::wstring path = m_store.GetString(kSection, Key(i), L"");
        if (!path.empty() && std::find(m_entries.begin(), m_entries.end(), path) == m_entries.end())
            m_entries.push_back(path);
    }
}

void CRecentFileList::Add(const std::wstring& path)
{
    if (path.empty()) return;
    m_entries.erase(std::remove(m_entries.begin(), m_entries.end(), path), m_entries.end());
    m_entries.insert(m_entries.begin(), path);
    if (m_entries.size() > static_cast<size_t>(kMaxEntries)) m_entries.resize(kMaxEntries);
    Save();
}

void CRecentFileList::Remove(const std::wstring& path)
{
    m_entries.erase(std::remove(m_entries.begin(), m_entries.end(), path), m_entries.end());
    Save();
}

void CRecentFileList::Save()
{
    for (int i = 0; i < kMaxEntries; ++i)
        m_store.SetString(kSection, Key(i), i < static_cast<int>(m_entries.size()) ? m_entries[i] : L"");
}
