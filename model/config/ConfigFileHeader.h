#pragma once
// The 69-byte header of a ".km" project file: "KMSF" and a NUL, then the
// version text padded with zeros. The project node writes and checks it from its
// header hooks; IsConfigFile uses the same magic test.
#include "platform/Archive.h"
#include "platform/Types.h"
#include <cstdint>

constexpr size_t kConfigHeaderSize = 69;

// Always S_OK.
HRESULT WriteConfigFileHeader(CArchive& archive);
// S_FALSE when fewer than 69 bytes come, E_INVALIDARG for a wrong magic, else
// S_OK. The version text is not checked.
HRESULT ReadConfigFileHeader(CArchive& archive);
// "KMSF" in any letter case followed by a NUL.
bool IsConfigMagic(const uint8_t* header, size_t size);
