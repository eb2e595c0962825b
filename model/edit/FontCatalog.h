#pragma once
// The installed font faces and the scripts a face covers, for the watermark's
// font rows. The system's catalog reads fontconfig; tests install their own.
#include <cstdint>
#include <string>
#include <vector>

// One script a face can draw; charset is a stable code (the classic character
// set numbers: 0 Western, 204 Cyrillic, ...), never a position in a list.
struct FontScript {
    std::wstring name;
    int32_t charset = 0;
};

class IFontCatalog {
public:
    virtual ~IFontCatalog() = default;
    // Family names, sorted, without repeats.
    virtual std::vector<std::wstring> GetFaceNames() = 0;
    // Scripts of the face that drawing would use for this name (the closest
    // installed match when the name itself is not installed).
    virtual std::vector<FontScript> GetScripts(const std::wstring& face) = 0;
};

// The catalog in use: the one installed by SetFontCatalog, else the system's.
IFontCatalog& GetFontCatalog();
// Installs a catalog (not owned; null restores the system's); returns the previous one.
IFontCatalog* SetFontCatalog(IFontCatalog* catalog);
