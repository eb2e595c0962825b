#include "shell/update/UpdateVersion.h"
#include "Version.h"
#include <cstdio>

std::wstring GetOwnVersionText()
{
    return FormatVersion({KM_VERSION_MAJOR, KM_VERSION_MINOR, KM_VERSION_PATCH});
}

std::optional<VersionNumbers> ParseVersionText(const std::wstring& text)
{
    VersionNumbers v{};
    size_t pos = 0;
    for (size_t part = 0; part < v.size(); ++part) {
        if (part > 0) {
            if (pos >= text.size() || text[pos] != L'.') return std::nullopt;
            ++pos;
        }
        size_t digits = 0;
        unsigned value = 0;
        while (pos < text.size() && text[pos] >= L'0' && text[pos] <= L'9') {
            if (++digits > 9) return std::nullopt;  // keeps the value inside 32 bits
            value = value * 10 + static_cast<unsigned>(text[pos] - L'0');
            ++pos;
        }
        if (digits == 0) return std::nullopt;
        v[part] = value;
    }
    if (pos != text.size()) return std::nullopt;
    return v;
}

std::wstring FormatVersion(const VersionNumbers& v)
{
    wchar_t buf[48];
    std::swprintf(buf, sizeof(buf) / sizeof(buf[0]), L"%u.%u.%u", v[0], v[1], v[2]);
    return buf;
}
