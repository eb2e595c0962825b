#include "platform/LogLinkText.h"
#include <cwchar>
#include <cwctype>

namespace {

constexpr std::wstring_view kStart = L"#*link*#";
constexpr std::wstring_view kSeparator = L"#*#";

// Escapes as if the text followed a '#' when afterHash is set.
std::wstring Escape(const std::wstring& text, bool afterHash)
{
    std::wstring out;
    out.reserve(text.size());
    bool prevHash = afterHash;
    for (wchar_t c : text) {
        if (prevHash && c == L'*')
            out += L"%2A";
        else if (prevHash && c == L'%')
            out += L"%25";
        else
            out += c;
        prevHash = c == L'#';
    }
    return out;
}

std::wstring Unescape(std::wstring_view text, bool afterHash)
{
    std::wstring out;
    out.reserve(text.size());
    bool prevHash = afterHash;
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (prevHash && c == L'%' && i + 2 < text.size() && text[i + 1] == L'2' &&
            (text[i + 2] == L'A' || text[i + 2] == L'5')) {
            out += text[i + 2] == L'A' ? L'*' : L'%';
            i += 2;
            prevHash = false;
            continue;
        }
        out += c;
        prevHash = c == L'#';
    }
    return out;
}

// Leading blanks, an optional sign and the leading digits; 0 when none.
int32_t ReadId(std::wstring_view text)
{
    size_t i = 0;
    while (i < text.size() && std::iswspace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > INT32_MAX) value = int64_t(INT32_MAX) + 1;  // keeps the clamp below exact
    }
    if (negative) value = -value;
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return int32_t(value);
}

STextTag ParseSegment(std::wstring_view segment)
{
    STextTag tag;
    tag.link = true;
    const size_t first = segment.find(kSeparator);
    if (first == std::wstring_view::npos) {
        tag.text = Unescape(segment, true);
        return tag;
    }
    tag.text = Unescape(segment.substr(0, first), true);
    const std::wstring_view rest = segment.substr(first + kSeparator.size());
    const size_t second = rest.find(kSeparator);
    tag.target = Unescape(rest.substr(0, second), true);
    if (second != std::wstring_view::npos)
        tag.id = ReadId(rest.substr(second + kSeparator.size()));
    return tag;
}

}  // namespace

std::wstring EscapeLogText(const std::wstring& text)
{
    return Escape(text, false);
}

std::wstring EscapeLogLinkField(const std::wstring& field)
{
    return Escape(field, true);
}

std::wstring EncodeLogLink(const std::wstring& name, const std::wstring& target, int32_t id)
{
    return std::wstring(kStart) + EscapeLogLinkField(name) + std::wstring(kSeparator) + EscapeLogLinkField(target) +
           std::wstring(kSeparator) + std::to_wstring(id);
}

std::vector<STextTag> ParseLogLine(const std::wstring& line)
{
    std::vector<STextTag> runs;
    const std::wstring_view text(line);
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t marker = text.find(kStart, pos);
        if (marker != pos) {
            const size_t end = marker == std::wstring_view::npos ? text.size() : marker;
            runs.push_back({Unescape(text.substr(pos, end - pos), false), L"", 0, false});
            if (marker == std::wstring_view::npos)
                break;
        }
        const size_t begin = marker + kStart.size();
        size_t end = text.find(kStart, begin);
        if (end == std::wstring_view::npos)
            end = text.size();
        runs.push_back(ParseSegment(text.substr(begin, end - begin)));
        pos = end;
    }
    return runs;
}
