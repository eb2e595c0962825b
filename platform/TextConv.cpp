#include "platform/TextConv.h"
#include <cwctype>

namespace {
void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Windows-1252 bytes 0x80..0x9F; 0 marks the five undefined positions.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

// wchar_t may hold UTF-32 (here) or UTF-16 (elsewhere); walk code points either way.
template <class F>
void ForEachCodePoint(std::wstring_view text, F f)
{
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = static_cast<char32_t>(text[i]);
        if constexpr (sizeof(wchar_t) == 2) {
            if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
                char32_t lo = static_cast<char32_t>(text[i + 1]);
                if (lo >= 0xDC00 && lo < 0xE000) {
                    c = 0x10000 + ((c - 0xD800) << 10) + (lo - 0xDC00);
                    ++i;
                }
            }
        }
        f(c);
    }
}

void AppendWide(std::wstring& out, char32_t c)
{
    if constexpr (sizeof(wchar_t) == 2) {
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<wchar_t>(0xD800 + (c >> 10));
            out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
            return;
        }
    }
    out += static_cast<wchar_t>(c);
}
}

std::string WideToUtf8(std::wstring_view text)
{
    std::string out;
    out.reserve(text.size());
    ForEachCodePoint(text, [&](char32_t c) {
        if (c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) c = 0xFFFD;
        AppendUtf8(out, c);
    });
    return out;
}

std::wstring Utf8ToWide(std::string_view s)
{
    std::wstring out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        char32_t c = 0;
        int extra = 0;
        if (b < 0x80) {
            c = b;
        } else if ((b & 0xE0) == 0xC0) {
            c = b & 0x1F;
            extra = 1;
        } else if ((b & 0xF0) == 0xE0) {
            c = b & 0x0F;
            extra = 2;
        } else if ((b & 0xF8) == 0xF0) {
            c = b & 0x07;
            extra = 3;
        } else {
            AppendWide(out, 0xFFFD);
            ++i;
            continue;
        }
        if (i + extra >= s.size()) {
            AppendWide(out, 0xFFFD);
            break;
        }
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            unsigned char cb = static_cast<unsigned char>(s[i + k]);
            if ((cb & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            c = (c << 6) | (cb & 0x3F);
        }
        if (!ok) {
            AppendWide(out, 0xFFFD);
            ++i;
            continue;
        }
        i += extra + 1;
        if (c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) c = 0xFFFD;
        AppendWide(out, c);
    }
    return out;
}

std::vector<uint8_t> WideToUtf16LE(std::wstring_view text)
{
    std::vector<uint8_t> out;
    out.reserve(text.size() * 2);
    auto put = [&](char16_t u) {
        out.push_back(static_cast<uint8_t>(u & 0xFF));
        out.push_back(static_cast<uint8_t>(u >> 8));
    };
    ForEachCodePoint(text, [&](char32_t c) {
        if (c >= 0x10000 && c <= 0x10FFFF) {
            c -= 0x10000;
            put(static_cast<char16_t>(0xD800 + (c >> 10)));
            put(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            put(static_cast<char16_t>(c > 0x10FFFF ? 0xFFFD : c));
        }
    });
    return out;
}

std::wstring Utf16LEToWide(const uint8_t* bytes, size_t units)
{
    std::wstring out;
    out.reserve(units);
    for (size_t i = 0; i < units; ++i) {
        char32_t u = static_cast<char32_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        if (u >= 0xD800 && u < 0xDC00 && i + 1 < units) {
            char32_t lo = static_cast<char32_t>(bytes[2 * i + 2] | (bytes[2 * i + 3] << 8));
            if (lo >= 0xDC00 && lo < 0xE000) {
                AppendWide(out, 0x10000 + ((u - 0xD800) << 10) + (lo - 0xDC00));
                ++i;
                continue;
            }
        }
        // A lone surrogate is kept as it is so the text round-trips unchanged.
        out += static_cast<wchar_t>(u);
    }
    return out;
}

size_t Utf16Length(std::wstring_view text)
{
    size_t n = 0;
    ForEachCodePoint(text, [&](char32_t c) { n += (c >= 0x10000 && c <= 0x10FFFF) ? 2 : 1; });
    return n;
}

std::string WideToCp1252(std::wstring_view text)
{
    std::string out;
    out.reserve(text.size());
    ForEachCodePoint(text, [&](char32_t c) {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out += static_cast<char>(c);
            return;
        }
        for (int i = 0; i < 32; ++i) {
            if (kCp1252High[i] != 0 && kCp1252High[i] == c) {
                out += static_cast<char>(0x80 + i);
                return;
            }
        }
        out += '#';
    });
    return out;
}

std::wstring Cp1252ToWide(std::string_view text)
{
    std::wstring out;
    out.reserve(text.size());
    for (char ch : text) {
        unsigned char b = static_cast<unsigned char>(ch);
        if (b >= 0x80 && b < 0xA0)
            out += static_cast<wchar_t>(kCp1252High[b - 0x80] ? kCp1252High[b - 0x80] : b);
        else
            out += static_cast<wchar_t>(b);
    }
    return out;
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towlower(static_cast<wint_t>(a[i])) != std::towlower(static_cast<wint_t>(b[i]))) return false;
    return true;
}

std::wstring ToLowerText(std::wstring_view text)
{
    std::wstring out(text);
    for (auto& c : out) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return out;
}

std::wstring ToUpperText(std::wstring_view text)
{
    std::wstring out(text);
    for (auto& c : out) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    return out;
}
