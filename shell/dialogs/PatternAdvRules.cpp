#include "shell/dialogs/PatternAdvRules.h"

#include <algorithm>
#include <cwctype>

std::wstring PatternSpinStep(const std::wstring& text, int delta)
{
    long long v = 0;
    size_t i = text.find_first_not_of(L" \t");
    bool negative = false;
    if (i != std::wstring::npos && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
    for (; i < text.size() && std::iswdigit(text[i]); ++i) v = std::min<long long>(v * 10 + (text[i] - L'0'), 1000000);
    if (negative) v = -v;
    return std::to_wstring(std::clamp<long long>(v + delta, 0, 1000));
}

int32_t PatternKeyStep(int32_t value, bool up, int32_t floor)
{
    if (up) return value < INT32_MAX ? value + 1 : value;
    return std::max(floor, value - 1);
}
