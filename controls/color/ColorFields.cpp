#include "controls/color/ColorFields.h"

#include "controls/grid/GridValueText.h"
#include <algorithm>
#include <cwchar>
#include <cwctype>

namespace {

int LeadingInt(const std::wstring& text)
{
    size_t i = text.find_first_not_of(L" \t");
    if (i == std::wstring::npos) return 0;
    bool negative = false;
    if (text[i] == L'-' || text[i] == L'+') negative = text[i++] == L'-';
    long long v = 0;
    for (; i < text.size() && std::iswdigit(text[i]); ++i) v = std::min<long long>(v * 10 + (text[i] - L'0'), 1LL << 40);
    return static_cast<int>(std::clamp<long long>(negative ? -v : v, INT32_MIN, INT32_MAX));
}

int Field(const std::wstring (&fields)[10], int control)
{
    const int v = LeadingInt(fields[control - IDC_COLOR_RED]);
    const auto range = ColorFieldRange(control);
    return range ? std::clamp(v, range->minimum, range->maximum) : v;
}

}  // namespace

std::optional<FieldRange> ColorFieldRange(int control)
{
    switch (control) {
    case IDC_COLOR_RED:
    case IDC_COLOR_GREEN:
    case IDC_COLOR_BLUE:
    case IDC_COLOR_Y: return FieldRange{0, 255};
    case IDC_COLOR_HUE: return FieldRange{0, 360};
    case IDC_COLOR_SAT:
    case IDC_COLOR_VAL: return FieldRange{0, 100};
    case IDC_COLOR_U:
    case IDC_COLOR_V: return FieldRange{-128, 127};
    default: return std::nullopt;
    }
}

std::wstring ClampColorField(int control, const std::wstring& text)
{
    const auto range = ColorFieldRange(control);
    if (!range) return text;
    return std::to_wstring(std::clamp(LeadingInt(text), range->minimum, range->maximum));
}

HexField NormalizeHexField(const std::wstring& text)
{
    std::wstring digits;
    for (wchar_t c : text)
        if (std::iswxdigit(c) && digits.size() < 6) digits.push_back(static_cast<wchar_t>(std::towupper(c)));
    digits.insert(0, 6 - digits.size(), L'0');
    HexField out;
    out.color = ParseColorText(digits).value_or(0);
    out.text = digits;
    return out;
}

ColorState ReadColorGroup(int control, const std::wstring (&fields)[10])
{
    if (control >= IDC_COLOR_HUE && control <= IDC_COLOR_VAL) {
        HsvColor hsv;
        hsv.hue = static_cast<uint16_t>(Field(fields, IDC_COLOR_HUE));
        hsv.saturation = static_cast<uint8_t>(Field(fields, IDC_COLOR_SAT));
        hsv.value = static_cast<uint8_t>(Field(fields, IDC_COLOR_VAL));
        return ColorState::FromHsv(hsv);
    }
    if (control >= IDC_COLOR_Y && control <= IDC_COLOR_V) {
        YuvColor yuv;
        yuv.y = static_cast<int16_t>(Field(fields, IDC_COLOR_Y));
        yuv.u = static_cast<int16_t>(Field(fields, IDC_COLOR_U));
        yuv.v = static_cast<int16_t>(Field(fields, IDC_COLOR_V));
        return ColorState::FromYuv(yuv);
    }
    if (control == IDC_COLOR_HEX) return ColorState::FromRgb(NormalizeHexField(fields[IDC_COLOR_HEX - IDC_COLOR_RED]).color);
    return ColorState::FromRgb(RGB(static_cast<BYTE>(Field(fields, IDC_COLOR_RED)),
                                   static_cast<BYTE>(Field(fields, IDC_COLOR_GREEN)),
                                   static_cast<BYTE>(Field(fields, IDC_COLOR_BLUE))));
}

void WriteColorFields(const ColorState& c, std::wstring (&fields)[10])
{
    fields[0] = std::to_wstring(GetRValue(c.rgb));
    fields[1] = std::to_wstring(GetGValue(c.rgb));
    fields[2] = std::to_wstring(GetBValue(c.rgb));
    fields[3] = std::to_wstring(c.hsv.hue);
    fields[4] = std::to_wstring(c.hsv.saturation);
    fields[5] = std::to_wstring(c.hsv.value);
    fields[6] = std::to_wstring(c.yuv.y);
    fields[7] = std::to_wstring(c.yuv.u);
    fields[8] = std::to_wstring(c.yuv.v);
    wchar_t hex[8];
    swprintf(hex, 8, L"%02X%02X%02X", GetRValue(c.rgb), GetGValue(c.rgb), GetBValue(c.rgb));
    fields[9] = hex;
}
