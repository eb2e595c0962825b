#include "controls/color/RecentColors.h"

#include "platform/Settings.h"
#include <algorithm>
#include <string>

namespace {
const wchar_t kSection[] = L"Colors";
std::wstring Key(int n) { return L"Color" + std::to_wstring(n); }
}  // namespace

CRecentColors::CRecentColors(CSettingsStore& store, std::vector<COLORREF> palette)
    : m_store(store), m_palette(std::move(palette))
{
    Load();
}

std::vector<COLORREF> CRecentColors::ReadStored() const
{
    std::vector<COLORREF> out;
    for (int n = 0; n < kSlots; ++n) {
        const COLORREF c = static_cast<COLORREF>(m_store.GetInt(kSection, Key(n), 0));
        if (c != 0) out.push_back(c);
    }
    return out;
}

void CRecentColors::Load() { m_recent = ReadStored(); }

void CRecentColors::Add(COLORREF color)
{
    auto holds = [color](const std::vector<COLORREF>& v) { return std::find(v.begin(), v.end(), color) != v.end(); };
    if (color == 0 || holds(m_palette) || holds(m_recent)) return;
    const std::vector<COLORREF> stored = ReadStored();
    m_store.SetInt(kSection, Key(0), static_cast<int>(color));
    for (int n = 1; n < kSlots; ++n)
        m_store.SetInt(kSection, Key(n), n - 1 < static_cast<int>(stored.size()) ? static_cast<int>(stored[n - 1]) : 0);
    Load();
}
