#include "model/config/ConfigFileHeader.h"
#include <cstring>

namespace {
constexpr char kMagic[] = "KMSF";
constexpr char kVersionText[] = "KestrelMedia Config file. Version: 1.0.0";
static_assert(sizeof kMagic + sizeof kVersionText <= kConfigHeaderSize);
}

HRESULT WriteConfigFileHeader(CArchive& archive)
{
    uint8_t header[kConfigHeaderSize] = {};
    std::memcpy(header, kMagic, sizeof kMagic);
    std::memcpy(header + sizeof kMagic, kVersionText, sizeof kVersionText);
    archive.Write(header, sizeof header);
    return S_OK;
}

HRESULT ReadConfigFileHeader(CArchive& archive)
{
    uint8_t header[kConfigHeaderSize];
    if (archive.Read(header, sizeof header) != sizeof header) return S_FALSE;
    return IsConfigMagic(header, sizeof header) ? S_OK : E_INVALIDARG;
}

bool IsConfigMagic(const uint8_t* header, size_t size)
{
    if (size < sizeof kMagic) return false;
    for (size_t i = 0; i + 1 < sizeof kMagic; ++i) {
        uint8_t c = header[i];
        if (c >= 'a' && c <= 'z') c = static_cast<uint8_t>(c - 'a' + 'A');
        if (c != static_cast<uint8_t>(kMagic[i])) return false;
    }
    return header[sizeof kMagic - 1] == 0;
}
