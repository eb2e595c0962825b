#include "engine/FrameFilterSettings.h"
#include "engine/JobTreeKeys.h"
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
    {jobkey::IsAutoLevel, &FrameFilterSettings::autoLevel},
    {jobkey::IsAutoContrast, &FrameFilterSettings::autoContrast},
    {jobkey::IsSharpen, &FrameFilterSettings::sharpen},
    {jobkey::IsSoften, &FrameFilterSettings::soften},
    {jobkey::IsImageNegative, &FrameFilterSettings::negative},
    {jobkey::IsImageGrayscale, &FrameFilterSettings::grayscale},
    {jobkey::IsAutoEnhance, &FrameFilterSettings::autoEnhance},
    {jobkey::IsDeInterlace, &FrameFilterSettings::deinterlace},
    {jobkey::COLOR_BRIGHTNESS, &FrameFilterSettings::brightness},
    {jobkey::COLOR_CONSTRAST, &FrameFilterSettings::contrast},
    {jobkey::Gamma, &FrameFilterSettings::gamma},
    {jobkey::RGB_RED, &FrameFilterSettings::red},
    {jobkey::RGB_GREEN, &FrameFilterSettings::green},
    {jobkey::RGB_BLUE, &FrameFilterSettings::blue},
    {jobkey::COLOR_BALANSE_RED, &FrameFilterSettings::balanceRed},
    {jobkey::COLOR_BALANSE_GREEN, &FrameFilterSettings::balanceGreen},
    {jobkey::COLOR_BALANSE_BLUE, &FrameFilterSettings::balanceBlue},
    {jobkey::PreserveLuminosity, &FrameFilterSettings::preserveLuminosity},
    {jobkey::Range, &FrameFilterSettings::range},
    {jobkey::COLOR_Y, &FrameFilterSettings::y},
    {jobkey::COLOR_U, &FrameFilterSettings::u},
    {jobkey::COLOR_V, &FrameFilterSettings::v},
    {jobkey::COLOR_HUE, &FrameFilterSettings::hue},
    {jobkey::COLOR_SATURATION, &FrameFilterSettings::saturation},
    {jobkey::COLOR_LUMINOSITY, &FrameFilterSettings::luminosity},
    {jobkey::CMYK_C, &FrameFilterSettings::cmykC},
    {jobkey::CMYK_M, &FrameFilterSettings::cmykM},
    {jobkey::CMYK_Y, &FrameFilterSettings::cmykY},
    {jobkey::CMYK_K, &FrameFilterSettings::cmykK},
    {jobkey::COLORLMS_L, &FrameFilterSettings::lmsL},
    {jobkey::COLORLMS_M, &FrameFilterSettings::lmsM},
    {jobkey::COLORLMS_S, &FrameFilterSettings::lmsS},
    {jobkey::DepthMap, &FrameFilterSettings::depthMap},
};

// "LevelMin<C>", "LevelMax<C>", "LevelMax<C>_Middle" for C of Red, Green, Blue.
struct LevelName {
    int channel = -1;
    int part = 0;  // 0 min, 1 max, 2 middle
};

LevelName ParseLevelName(std::wstring_view name)
{
    for (int c = 0; c < 3; ++c) {
        const wchar_t* ch = jobkey::kLevelChannels[c];
        if (EqualsNoCase(name, jobkey::LevelMinKey(ch))) return {c, 0};
        if (EqualsNoCase(name, jobkey::LevelMaxKey(ch))) return {c, 1};
        if (EqualsNoCase(name, jobkey::LevelMiddleKey(ch))) return {c, 2};
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

namespace mediaeng::frame {

const std::vector<std::wstring>& FrameFilterValueNames()
{
    static const std::vector<std::wstring> names = [] {
        std::vector<std::wstring> v;
        for (const IntName& n : kIntNames) v.emplace_back(n.name);
        for (const wchar_t* c : jobkey::kLevelChannels) {
            v.push_back(jobkey::LevelMinKey(c));
            v.push_back(jobkey::LevelMaxKey(c));
            v.push_back(jobkey::LevelMiddleKey(c));
        }
        return v;
    }();
    return names;
}

}  // namespace mediaeng::frame

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
