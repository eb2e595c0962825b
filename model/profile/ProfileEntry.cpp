#include "model/profile/ProfileEntry.h"

#include "model/config/ConfigMng.h"
#include "model/util/AnsiConv.h"
#include "platform/TextConv.h"
#include <algorithm>
#include <cctype>
#include <climits>
#include <filesystem>
#include <fstream>

namespace {

// Profiles are a few kilobytes; a larger file is read only this far.
constexpr size_t kMaxFileBytes = 1 << 20;

// As the C library's atol: blanks, a sign, digits up to the first other
// character; nothing readable gives 0. Out-of-range values stop at the limits.
int32_t ReadDecimal(std::string_view s)
{
    size_t i = 0;
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    long long v = 0;
    for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i) {
        v = v * 10 + (s[i] - '0');
        if (v > static_cast<long long>(INT_MAX) + 1) v = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) v = -v;
    if (v > INT_MAX) v = INT_MAX;
    return static_cast<int32_t>(v);
}

std::filesystem::path ToPath(const std::wstring& path)
{
    return std::filesystem::path(WideToUtf8(path));
}

}  // namespace

CProfileEntry::CProfileEntry(std::wstring name, CConfigMng* project, DWORD userDefined, DWORD groupHeader,
                             DWORD inGroup)
    : m_name(std::move(name)), m_inGroup(inGroup), m_project(project), m_groupHeader(groupHeader),
      m_userDefined(userDefined)
{
}

bool CProfileEntry::Load(const std::wstring& path)
{
    std::ifstream in(ToPath(path), std::ios::binary);
    if (!in) return false;
    // The text ends after the bytes actually read, whatever the size said.
    std::error_code ec;
    uintmax_t size = std::filesystem::file_size(ToPath(path), ec);
    std::string text(ec ? 0 : static_cast<size_t>(std::min<uintmax_t>(size, kMaxFileBytes)), '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(in.gcount()));
    Parse(text);

    std::filesystem::path p = ToPath(path);
    m_relativePath = Utf8ToWide(p.parent_path().filename().string()) + L"\\" + Utf8ToWide(p.filename().string());
    return true;
}

void CProfileEntry::Parse(std::string_view text)
{
    text = text.substr(0, text.find('\0'));  // the text ends at a NUL
    size_t start = 0;
    while (start < text.size()) {
        size_t semi = text.find(';', start);
        if (semi == std::string_view::npos) break;  // text after the last ';' is no entry
        std::string_view entry = text.substr(start, semi - start);
        if (entry.size() <= kMaxEntry) ParseEntry(entry);
        start = semi + 1;
        // Only a line end is skipped: entries written one after another
        // without one keep their first character.
        if (start < text.size() && text[start] == '\r') ++start;
        if (start < text.size() && text[start] == '\n') ++start;
    }
}

void CProfileEntry::ParseEntry(std::string_view entry)
{
    if (!m_project) return;
    size_t colon = entry.find(':');
    if (colon == std::string_view::npos) return;
    // Registered names hold no ':', so only the first one can end a name; the
    // value keeps the rest (a drive letter, a time).
    std::wstring name = AnsiToWide(entry.substr(0, colon));
    std::string_view value = entry.substr(colon + 1);
    CVariant current;
    if (m_project->GetParamVariant(name, &current) != S_OK) return;
    if (current.vt == VT_INT)
        m_values.emplace_back(name, CVariant(ReadDecimal(value)));
    else if (current.vt == VT_BSTR)
        m_values.emplace_back(name, CVariant(AnsiToWide(value)));
}

void CProfileEntry::Apply() const
{
    if (!m_project) return;
    for (const auto& [name, value] : m_values) m_project->SetParamVariant(name, value);
}

void CProfileEntry::AddValue(const std::wstring& name, const VARIANT& value)
{
    m_values.emplace_back(name, CVariant(value));
}

void CProfileEntry::ClearValues()
{
    m_values.clear();
}
