#include "engine/FrameFilterSettings.h"
#include "platform/TextConv.h"
#include <string>
#include <string_view>
#include <vector>

namespace {

using IntField = int32_t FrameFilterSettings::*;

struct IntName {
    const wchar_t* name;
    IntField field;
};

constexpr IntName kIntNames[] = {
    {L"IsAutoLevel", &FrameFilterSettings::autoLevel},
    {L"IsAutoContrast", &FrameFilterSettings::autoContrast},
    {L"IsSharpen", &FrameFilterSettings::sharpen},
    {L"IsSoften", &FrameFilterSettings::soften},
    {L"IsImageNegative", &FrameFilterSettings::negative},
    {L"IsImageGrayscale", &FrameFilterSettings::grayscale},
    {L"IsAutoEnhance", &FrameFilterSettings::autoEnhance},
    {L"IsDeInterlace", &FrameFilterSettings::deinterlace},
    {L"COLOR_BRIGHTNESS", &FrameFilterSettings::brightness},
    {L"COLOR_CONSTRAST", &FrameFilterSettings::contrast},
    {L"Gamma", &FrameFilterSettings::gamma},
    {L"RGB_RED", &FrameFilterSettings::red},
    {L"RGB_GREEN", &FrameFilterSettings::green},
    {L"RGB_BLUE", &FrameFilterSettings::blue},
    {L"COLOR_BALANSE_RED", &FrameFilterSettings::balanceRed},
    {L"COLOR_BALANSE_GREEN", &FrameFilterSettings::balanceGreen},
    {L"COLOR_BALANSE_BLUE", &FrameFilterSettings::balanceBlue},
    {L"PreserveLuminosity", &FrameFilterSettings::preserveLuminosity},
    {L"Range", &FrameFilterSettings::range},
    {L"COLOR_Y", &FrameFilterSettings::y},
    {L"COLOR_U", &FrameFilterSettings::u},
    {L"COLOR_V", &FrameFilterSettings::v},
    {L"COLOR_HUE", &FrameFilterSettings::hue},
    {L"COLOR_SATURATION", &FrameFilterSettings::saturation},
    {L"COLOR_LUMINOSITY", &FrameFilterSettings::luminosity},
    {L"CMYK_C", &FrameFilterSettings::cmykC},
    {L"CMYK_M", &FrameFilterSettings::cmykM},
    {L"CMYK_Y", &FrameFilterSettings::cmykY},
    {L"CMYK_K", &FrameFilterSettings::cmykK},
    {L"COLORLMS_L", &FrameFilterSettings::lmsL},
    {L"COLORLMS_M", &FrameFilterSettings::lmsM},
    {L"COLORLMS_S", &FrameFilterSettings::lmsS},
    {L"DepthMap", &FrameFilterSettings::depthMap},
};

// "LevelMin<C>", "LevelMax<C>", "LevelMax<C>_Middle" for C of Red, Green, Blue.
struct LevelName {
    int channel = -1;
    int part = 0;  // 0 min, 1 max, 2 middle
};

LevelName ParseLevelName(std::wstring_view name)
{
    static constexpr const wchar_t* kChannels[3] = {L"Red", L"Green", L"Blue"};
    for (int c = 0; c < 3; ++c) {
        const std::wstring ch = kChannels[c];
        if (EqualsNoCase(name, L"LevelMin" + ch)) return {c, 0};
        if (EqualsNoCase(name, L"LevelMax" + ch)) return {c, 1};
        if (EqualsNoCase(name, L"LevelMax" + ch + L"_Middle")) return {c, 2};
    }
    return {};
}

const IntName* FindInt(std::wstring_view name)
{
    for (const IntName& n : kIntNames)
        if (EqualsNoCase(name, n.name)) return &n;
    return nullptr;
}

}  // namespace

namespace km::frame {

const std::vector<std::wstring>& FrameFilterValueNames()
{
    static const std::vector<std::wstring> names = [] {
        std::vector<std::wstring> v;
        for (const IntName& n : kIntNames) v.emplace_back(n.name);
        for (const wchar_t* c : {L"Red", L"Green", L"Blue"}) {
            v.push_back(std::wstring(L"LevelMin") + c);
            v.push_back(std::wstring(L"LevelMax") + c);
            v.push_back(std::wstring(L"LevelMax") + c + L"_Middle");
        }
        return v;
    }();
    return names;
}

}  // namespace km::frame

bool FrameFilterSettings::IsIdentity() const
{
    for (const IntName& n : kIntNames)
        if (n.field != &FrameFilterSettings::depthMap && n.field != &FrameFilterSettings::range &&
            n.field != &FrameFilterSettings::preserveLuminosity && this->*n.field != 0)
            return false;
    for (int c = 0; c < 3; ++c)
        if (levelMin[c] > 0 || levelMax[c] < 255 || levelMiddle[c] != 1.0) {
            // A range that cannot be used is treated as no levels at all.
            if (levelMax[c] > levelMin[c]) return false;
        }
    return true;
}

bool FrameFilterSettings::SetByName(const wchar_t* name, const VARIANT& value)
{
    if (!name) return false;
    if (const IntName* n = FindInt(name)) {
        VARIANT tmp;
        if (FAILED(VariantChangeType(&tmp, &value, VT_I4))) return false;
        this->*n->field = tmp.lVal;
        return true;
    }
    const LevelName ln = ParseLevelName(name);
    if (ln.channel < 0) return false;
    VARIANT tmp;
    if (ln.part == 2) {
        if (FAILED(VariantChangeType(&tmp, &value, VT_R8))) return false;
        levelMiddle[ln.channel] = tmp.dblVal;
    } else {
        if (FAILED(VariantChangeType(&tmp, &value, VT_I4))) return false;
        (ln.part == 0 ? levelMin : levelMax)[ln.channel] = tmp.lVal;
    }
    return true;
}

bool FrameFilterSettings::GetByName(const wchar_t* name, VARIANT* value) const
{
    if (!name || !value) return false;
    VariantClear(value);
    if (const IntName* n = FindInt(name)) {
        value->vt = VT_I4;
        value->lVal = this->*n->field;
        return true;
    }
    const LevelName ln = ParseLevelName(name);
    if (ln.channel < 0) return false;
    if (ln.part == 2) {
        value->vt = VT_R8;
        value->dblVal = levelMiddle[ln.channel];
    } else {
        value->vt = VT_I4;
        value->lVal = (ln.part == 0 ? levelMin : levelMax)[ln.channel];
    }
    return true;
}
