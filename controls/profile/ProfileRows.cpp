#include "controls/profile/ProfileRows.h"
#include "model/profile/ProfilesMng.h"

ProfileRows BuildProfileRows(const CProfilesMng& profiles, const std::wstring& current)
{
    ProfileRows out;
    const auto& entries = profiles.Entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        const CProfileEntry& e = *entries[i];
        out.rows.push_back({(e.m_inGroup ? std::wstring(8, L' ') : std::wstring()) + e.m_name, e.m_groupHeader != 0});
        // A later match wins; headings never count.
        if (!current.empty() && !e.m_groupHeader && e.GetRelativePath() == current)
            out.selected = static_cast<int>(i);
    }
    return out;
}
