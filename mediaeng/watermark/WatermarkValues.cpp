#include "engine/WatermarkItem.h"
#include <cwchar>
#include <cwctype>

COLORREF ParseWatermarkColor(const std::wstring& text, COLORREF fallback)
{
    size_t i = 0;
    while (i < text.size() && std::iswspace(text[i])) ++i;
    const std::wstring t = text.substr(i);
    if (t.size() >= 3 && t[0] == L'0' && (t[1] == L'x' || t[1] == L'X')) {
        wchar_t* end = nullptr;
        const unsigned long v = std::wcstoul(t.c_str() + 2, &end, 16);
        if (end == t.c_str() + 2 || v > 0xFFFFFFul) return fallback;
        return RGB(static_cast<BYTE>(v >> 16), static_cast<BYTE>(v >> 8), static_cast<BYTE>(v));
    }
    wchar_t* end = nullptr;
    const unsigned long v = std::wcstoul(t.c_str(), &end, 10);
    if (end == t.c_str() || v > 0xFFFFFFul) return fallback;
    return static_cast<COLORREF>(v);
}

double ParseWatermarkTime(const std::wstring& text)
{
    double total = 0;
    int fields = 0;
    const wchar_t* p = text.c_str();
    while (std::iswspace(*p)) ++p;
    if (!*p) return -1;
    for (;;) {
        wchar_t* end = nullptr;
        const double v = std::wcstod(p, &end);
        if (end == p || !(v >= 0) || v > 1e7) return -1;
        total = total * 60.0 + v;
        ++fields;
        p = end;
        if (*p == L':' && fields < 3) {
            ++p;
            continue;
        }
        break;
    }
    while (std::iswspace(*p)) ++p;
    return *p ? -1 : total;
}
