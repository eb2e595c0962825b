#include "mediaeng/job/settings/NumberedNaming.h"

namespace mediaeng::job {

CNamingSettings NumberedNaming(const CNamingSettings& naming)
{
    CNamingSettings n = naming;
    if (n.pattern.find(L"%n") != std::wstring::npos) return n;
    const size_t slash = n.pattern.find_last_of(L"/\\");
    const size_t dot = n.pattern.rfind(L'.');
    if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash))
        n.pattern.insert(dot, L"_%n");
    else
        n.pattern += L"_%n";
    return n;
}

}  // namespace mediaeng::job
