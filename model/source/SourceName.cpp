#include "model/source/SourceName.h"

std::wstring ShownSourceName(const std::wstring& engineFileName)
{
    static const std::wstring kPrefix = L"dvdtitle:";
    if (engineFileName.compare(0, kPrefix.size(), kPrefix) != 0)
        return engineFileName;
    const size_t colon = engineFileName.find(L':', kPrefix.size());
    if (colon == std::wstring::npos || colon == kPrefix.size() || colon + 1 >= engineFileName.size())
        return engineFileName;
    const std::wstring number = engineFileName.substr(kPrefix.size(), colon - kPrefix.size());
    if (number.find_first_not_of(L"0123456789") != std::wstring::npos)
        return engineFileName;
    return engineFileName.substr(colon + 1) + L"#" + number;
}
