#pragma once
// Texts of the source model, taken from the resource library by id with a
// built-in English fallback so an error never ends up without words.
#include "platform/Types.h"
#include <string>

namespace SourceText {
constexpr UINT IDS_OPEN_FAILED = 5101;  // "%ls": path, "%ls": the cause in words, "0x%08X": result code
constexpr UINT IDS_FOLDER_MISSING = 519;  // sent with the folder's path

std::wstring OpenFailed(const std::wstring& path, HRESULT hr);
}
