#pragma once
// The colour picker's recently chosen colours: up to seven, newest first, kept
// in the settings section "Colors" as "Color0" to "Color6". Black (0) cannot
// be stored (0 marks an empty slot) and palette colours are never stored.
#include "platform/Types.h"
#include <vector>

class CSettingsStore;

class CRecentColors {
public:
    static constexpr int kSlots = 7;

    CRecentColors(CSettingsStore& store, std::vector<COLORREF> palette);

    void Load();
    // Puts color first unless it is in the palette or already recent.
    void Add(COLORREF color);

    const std::vector<COLORREF>& Colors() const { return m_recent; }
    const std::vector<COLORREF>& Palette() const { return m_palette; }

private:
    std::vector<COLORREF> ReadStored() const;

    CSettingsStore& m_store;
    std::vector<COLORREF> m_palette;
    std::vector<COLORREF> m_recent;
};
