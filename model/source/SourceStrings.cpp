#include "model/source/SourceStrings.h"
#include "platform/ResourceLibrary.h"
#include "platform/ResultText.h"
#include <cwchar>
#include <vector>

namespace SourceText {
std::wstring OpenFailed(const std::wstring& path, HRESULT hr)
{
    std::wstring format = LoadResString(IDS_OPEN_FAILED);
    if (format.empty()) format = L"Cannot open the media file \"%ls\": %ls (error 0x%08X).";
    // Our own text with exactly these three placeholders; the path is an
    // argument, never part of the format.
    const std::wstring cause = ResultText(hr);
    std::vector<wchar_t> buffer(format.size() + path.size() + cause.size() + 32);
    int n = std::swprintf(buffer.data(), buffer.size(), format.c_str(), path.c_str(), cause.c_str(),
                          static_cast<unsigned>(hr));
    return n < 0 ? format : std::wstring(buffer.data(), static_cast<size_t>(n));
}
}
