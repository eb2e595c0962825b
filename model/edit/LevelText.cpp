#include "model/edit/LevelText.h"
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {
// The field as ASCII from its first non-blank character; anything beyond
// ASCII cannot belong to a number and ends it.
std::string NumberPart(const std::wstring& field)
{
    size_t i = field.find_first_not_of(L" \t\r\n\f\v");
    std::string out;
    if (i == std::wstring::npos) return out;
    for (; i < field.size() && field[i] < 0x80; ++i)
        out.push_back(static_cast<char>(field[i]));
    if (!out.empty() && out[0] == '+') out.erase(0, 1);  // from_chars takes no '+'
    return out;
}

int32_t ReadInt(const std::wstring& field)
{
    std::string s = NumberPart(field);
    long long v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    (void)end;
    if (ec == std::errc::result_out_of_range)
        return (!s.empty() && s[0] == '-') ? std::numeric_limits<int32_t>::min()
                                           : std::numeric_limits<int32_t>::max();
    if (ec != std::errc()) return 0;
    if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

double ReadDouble(const std::wstring& field)
{
    std::string s = NumberPart(field);
    double v = 0.0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::fixed | std::chars_format::scientific);
    (void)end;
    if (ec != std::errc() || !std::isfinite(v)) return 0.0;
    return v;
}

void Convert(const std::wstring& field, int index, int32_t* black, int32_t* white, double* gamma)
{
    switch (index) {
    case 0: if (black) *black = ReadInt(field); break;
    case 1: if (gamma) *gamma = ReadDouble(field); break;
    case 2: if (white) *white = ReadInt(field); break;
    default: break;
    }
}
}

int ParseLevelText(std::wstring text, int32_t* black, int32_t* white, double* gamma)
{
    std::wstring field;
    int index = 0;
    for (wchar_t c : text) {
        if (c == L':') {
            Convert(field, index, black, white, gamma);
            field.clear();
            if (index < 3) ++index;
        } else {
            field.push_back(c);
        }
    }
    Convert(field, index, black, white, gamma);
    return 3;
}

std::wstring FormatLevelText(int32_t black, double gamma, int32_t white)
{
    char buf[64];
    std::wstring out = std::to_wstring(black);
    out += L':';
    if (!std::isfinite(gamma)) gamma = 0.0;
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, gamma, std::chars_format::fixed, 2);
    if (ec == std::errc())
        out.append(buf, end);
    else
        out += L"0.00";
    out += L':';
    out += std::to_wstring(white);
    return out;
}
