#include "mediaeng/job/settings/OutputNamer.h"
#include "mediaeng/core/EngineTexts.h"
#include "platform/TextConv.h"
#include <cwctype>

using mediaeng::EngineText;
using mediaeng::EngineTextUtf8;

namespace mediaeng::job {
namespace fs = std::filesystem;

namespace {

std::wstring ApplyCase(const std::wstring& text, int letterCase)
{
    if (letterCase == kCaseLower) return ToLowerText(text);
    if (letterCase == kCaseUpper) return ToUpperText(text);
    return text;
}

std::wstring StampOf(std::time_t t)
{
    std::tm tm{};
    localtime_r(&t, &tm);
    wchar_t buf[32];
    std::wcsftime(buf, 32, L"%Y%m%d-%H%M%S", &tm);
    return buf;
}

// Characters a file name on this system cannot hold.
std::wstring NoSeparators(std::wstring name)
{
    for (wchar_t& c : name)
        if (c == L'/' || c == L'\\' || c == 0) c = L'_';
    return name;
}

}  // namespace

COutputNamer::COutputNamer(const CNamingSettings& settings, const std::wstring& formatExtension, std::time_t runStart)
    : m_settings(settings), m_extension(formatExtension), m_stamp(StampOf(runStart)),
      m_nextNumber(settings.numericStart)
{
}

bool COutputNamer::FormatNumber(const std::wstring& pattern, long long value, std::wstring& out)
{
    const size_t pct = pattern.find(L'%');
    if (pct == std::wstring::npos) return false;
    size_t i = pct + 1;
    bool zero = false;
    if (i < pattern.size() && pattern[i] == L'0') zero = true, ++i;
    int width = 0;
    while (i < pattern.size() && std::iswdigit(pattern[i]) && width < 100) width = width * 10 + (pattern[i++] - L'0');
    if (i >= pattern.size() || pattern[i] != L'd' || width > 20) return false;
    const std::wstring rest = pattern.substr(i + 1);
    if (rest.find(L'%') != std::wstring::npos) return false;
    std::wstring digits = std::to_wstring(value < 0 ? -value : value);
    const size_t sign = value < 0 ? 1 : 0;
    if (digits.size() + sign < size_t(width))
        digits.insert(0, size_t(width) - digits.size() - sign, zero ? L'0' : L' ');
    if (sign) digits.insert(zero ? 0 : digits.find_first_not_of(L' '), 1, L'-');
    out = pattern.substr(0, pct) + digits + rest;
    return true;
}

std::wstring COutputNamer::MakeWebSafe(const std::wstring& name)
{
    static const std::wstring from = L"ÀÁÂÃÄÅàáâãäåÈÉÊËèéêëÌÍÎÏìíîïÒÓÔÕÖØòóôõöøÙÚÛÜùúûüÝýÿÑñÇç";
    static const std::wstring to = L"AAAAAAaaaaaaEEEEeeeeIIIIiiiiOOOOOOooooooUUUUuuuuYyyNnCc";
    std::wstring out;
    for (wchar_t c : name) {
        const size_t k = from.find(c);
        if (k != std::wstring::npos) c = to[k];
        if (c == L'ß') {
            out += L"ss";
            continue;
        }
        const bool ok = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') ||
                        c == L'.' || c == L'-' || c == L'_';
        if (!ok) c = L'_';
        if (c == L'_' && !out.empty() && out.back() == L'_') continue;
        out += c;
    }
    return out;
}

std::wstring COutputNamer::ExpandPattern(const fs::path& source, int index, long long number) const
{
    const std::wstring stem = Utf8ToWide(source.stem().string());
    const std::wstring folder = Utf8ToWide(source.parent_path().filename().string());
    std::wstring numberText;
    if (!FormatNumber(m_settings.numericFormat, number, numberText)) FormatNumber(L"%02d", number, numberText);

    const std::wstring& p = m_settings.pattern;
    const size_t lastDot = p.rfind(L'.');
    std::wstring out;
    for (size_t i = 0; i < p.size(); ++i) {
        const wchar_t c = p[i];
        if (c == L'*') {
            out += (lastDot != std::wstring::npos && i > lastDot) ? m_extension : stem;
            continue;
        }
        if (c != L'%' || i + 1 >= p.size()) {
            out += c;
            continue;
        }
        switch (p[++i]) {
        case L'f': out += stem; break;
        case L'e': out += m_extension; break;
        case L'n': out += numberText; break;
        case L'i': out += std::to_wstring(index + 1); break;
        case L'u': out += m_stamp; break;
        case L'p': out += folder; break;
        case L'%': out += L'%'; break;
        default: out += L'%'; out += p[i]; break;
        }
    }
    return NoSeparators(out);
}

fs::path COutputNamer::DestinationFor(const fs::path& source) const
{
    if (m_settings.destinationFolder.empty()) return source.parent_path();
    return fs::path(WideToUtf8(m_settings.destinationFolder));
}

bool COutputNamer::IsTaken(const fs::path& candidate, const fs::path& source) const
{
    std::error_code ec;
    if (m_given.count(candidate.lexically_normal())) return true;
    if (fs::exists(candidate, ec) && fs::equivalent(candidate, source, ec)) return true;
    if (candidate.lexically_normal() == fs::absolute(source, ec).lexically_normal()) return true;
    return !m_settings.overwrite && fs::exists(candidate, ec);
}

fs::path COutputNamer::MakeName(const fs::path& source, int index, std::wstring* warning)
{
    const long long number = m_nextNumber;
    m_nextNumber += m_settings.numericIncrement;
    std::wstring unused;
    if (warning && !FormatNumber(m_settings.numericFormat, 0, unused))
        *warning = EngineText(text::kBadNumberFormat, m_settings.numericFormat);

    std::wstring name = ExpandPattern(source, index, number);
    std::wstring ext;
    const size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos && dot > 0) {
        ext = name.substr(dot + 1);
        name.erase(dot);
    }
    if (m_settings.useFormatExtension || ext.empty()) ext = m_extension;
    if (name.empty() || name == L"." || name == L"..") name = Utf8ToWide(source.stem().string());
    name = ApplyCase(name, m_settings.nameCase);
    ext = ApplyCase(ext, m_settings.extensionCase);
    if (m_settings.webSafe) {
        name = MakeWebSafe(name);
        ext = MakeWebSafe(ext);
    }

    std::error_code ec;
    const fs::path folder = fs::absolute(DestinationFor(source), ec);
    auto compose = [&](const std::wstring& suffix) {
        return (folder / WideToUtf8(name + suffix + (ext.empty() ? L"" : L"." + ext))).lexically_normal();
    };
    fs::path candidate = compose(L"");
    std::wstring dupFormat = m_settings.duplicateFormat;
    std::wstring test;
    if (!FormatNumber(dupFormat, 1, test)) {
        if (warning && warning->empty())
            *warning = EngineText(text::kBadDuplicateFormat, dupFormat);
        dupFormat = L"%02d";
    }
    for (long long n = 1; IsTaken(candidate, source) && n < 1000000; ++n) {
        std::wstring suffix;
        FormatNumber(dupFormat, n, suffix);
        candidate = compose(L"_" + suffix);
    }
    m_given.insert(candidate);
    return candidate;
}

}  // namespace mediaeng::job
