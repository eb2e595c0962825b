#include "mediaeng/watermark/FontCheck.h"
#include "platform/TextConv.h"
#include <fontconfig/fontconfig.h>
#include <memory>

namespace mediaeng::watermark {

namespace {

struct PatternFreer {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};

}  // namespace

std::wstring ChosenFontFamily(const std::wstring& family)
{
    const std::string name = WideToUtf8(family);
    std::unique_ptr<FcPattern, PatternFreer> pattern(FcPatternCreate());
    if (!pattern) return L"";
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    std::unique_ptr<FcPattern, PatternFreer> match(FcFontMatch(nullptr, pattern.get(), &result));
    FcChar8* chosen = nullptr;
    if (!match || FcPatternGetString(match.get(), FC_FAMILY, 0, &chosen) != FcResultMatch || !chosen) return L"";
    return Utf8ToWide(reinterpret_cast<const char*>(chosen));
}

}  // namespace mediaeng::watermark
