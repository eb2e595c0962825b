#pragma once
// The engine's default colour palette: the colours every colour chooser offers,
// in the order they are shown (rows of 14).
#include "platform/Types.h"
#include <vector>

struct PaletteEntry {
    BYTE red = 0;
    BYTE green = 0;
    BYTE blue = 0;
};

class CDefaultPalette {
public:
    // Built once; the same entries for the whole process.
    static const std::vector<PaletteEntry>& GetPalette();
};
