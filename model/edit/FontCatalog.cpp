#include "model/edit/FontCatalog.h"
#include "platform/TextConv.h"
#include <fontconfig/fontconfig.h>
#include <algorithm>
#include <atomic>
#include <memory>

namespace {
struct ScriptProbe {
    FontScript script;
    const char* lang;  // a language whose coverage stands for the script
};

const std::vector<ScriptProbe>& Probes()
{
    static const std::vector<ScriptProbe> probes = {
        {{L"Western", 0}, "en"},          {{L"Central European", 238}, "pl"},
        {{L"Cyrillic", 204}, "ru"},       {{L"Greek", 161}, "el"},
        {{L"Turkish", 162}, "tr"},        {{L"Hebrew", 177}, "he"},
        {{L"Arabic", 178}, "ar"},         {{L"Baltic", 186}, "lt"},
        {{L"Vietnamese", 163}, "vi"},     {{L"Thai", 222}, "th"},
        {{L"Japanese", 128}, "ja"},       {{L"Hangul", 129}, "ko"},
        {{L"Chinese Simplified", 134}, "zh-cn"}, {{L"Chinese Traditional", 136}, "zh-tw"},
    };
    return probes;
}

struct PatternFree {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
struct FontSetFree {
    void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
};
struct ObjectSetFree {
    void operator()(FcObjectSet* s) const { FcObjectSetDestroy(s); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternFree>;

class CFontconfigCatalog : public IFontCatalog {
public:
    std::vector<std::wstring> GetFaceNames() override
    {
        std::vector<std::wstring> names;
        PatternPtr pattern(FcPatternCreate());
        std::unique_ptr<FcObjectSet, ObjectSetFree> objects(FcObjectSetBuild(FC_FAMILY, nullptr));
        if (!pattern || !objects) return names;
        std::unique_ptr<FcFontSet, FontSetFree> fonts(FcFontList(nullptr, pattern.get(), objects.get()));
        if (!fonts) return names;
        for (int i = 0; i < fonts->nfont; ++i) {
            FcChar8* family = nullptr;
            if (FcPatternGetString(fonts->fonts[i], FC_FAMILY, 0, &family) == FcResultMatch && family)
                names.push_back(Utf8ToWide(reinterpret_cast<const char*>(family)));
        }
        std::sort(names.begin(), names.end());
        names.erase(std::unique(names.begin(), names.end()), names.end());
        return names;
    }

    std::vector<FontScript> GetScripts(const std::wstring& face) override
    {
        std::vector<FontScript> scripts;
        std::string name = WideToUtf8(face);
        PatternPtr pattern(FcPatternCreate());
        if (!pattern) return scripts;
        FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
        FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
        FcDefaultSubstitute(pattern.get());
        FcResult result = FcResultNoMatch;
        PatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
        FcLangSet* langs = nullptr;
        if (match && FcPatternGetLangSet(match.get(), FC_LANG, 0, &langs) == FcResultMatch && langs) {
            for (const ScriptProbe& probe : Probes())
                if (FcLangSetHasLang(langs, reinterpret_cast<const FcChar8*>(probe.lang)) == FcLangEqual)
                    scripts.push_back(probe.script);
        }
        if (scripts.empty()) scripts.push_back(Probes().front().script);  // every face draws Latin text somehow
        return scripts;
    }
};

CFontconfigCatalog& SystemCatalog()
{
    static CFontconfigCatalog catalog;
    return catalog;
}

std::atomic<IFontCatalog*> g_installed{nullptr};
}

IFontCatalog& GetFontCatalog()
{
    IFontCatalog* c = g_installed.load();
    return c ? *c : SystemCatalog();
}

IFontCatalog* SetFontCatalog(IFontCatalog* catalog)
{
    return g_installed.exchange(catalog);
}
