#include "controls/draw/FrameSizeText.h"
#include <cwctype>
#include <limits>
#include <optional>

namespace {
// A small scanner with the scanf rules the texts were written for: a blank in
// the pattern skips any run of white space (also none), a number may be signed.
class Scanner {
public:
    explicit Scanner(std::wstring_view text) : m_text(text) {}

    void SkipSpace()
    {
        while (m_pos < m_text.size() && std::iswspace(m_text[m_pos])) ++m_pos;
    }
    bool Literal(std::wstring_view word)
    {
        if (m_text.substr(m_pos, word.size()) != word) return false;
        m_pos += word.size();
        return true;
    }
    std::optional<int> Number()
    {
        SkipSpace();
        size_t p = m_pos;
        bool negative = false;
        if (p < m_text.size() && (m_text[p] == L'-' || m_text[p] == L'+')) negative = m_text[p++] == L'-';
        if (p >= m_text.size() || !std::iswdigit(m_text[p])) return std::nullopt;
        long long v = 0;
        for (; p < m_text.size() && std::iswdigit(m_text[p]); ++p) {
            v = v * 10 + (m_text[p] - L'0');
            if (v > std::numeric_limits<int>::max()) return std::nullopt;
        }
        m_pos = p;
        return static_cast<int>(negative ? -v : v);
    }

private:
    std::wstring_view m_text;
    size_t m_pos = 0;
};

std::optional<int> ScanMax(std::wstring_view text)
{
    Scanner s(text);
    if (!s.Literal(L"max:")) return std::nullopt;
    return s.Number();
}

bool ScanSize(std::wstring_view text, int& w, int& h)
{
    Scanner s(text);
    auto first = s.Number();
    if (!first) return false;
    s.SkipSpace();
    if (!s.Literal(L"x")) return false;
    auto second = s.Number();
    if (!second) return false;
    w = *first;
    h = *second;
    return true;
}
}  // namespace

FrameSizeText ParseFrameSizeText(std::wstring_view text)
{
    FrameSizeText result;
    if (auto max = ScanMax(text)) {
        result.kind = FrameSizeText::Max;
        result.value = *max;
        return result;
    }
    int w = 0, h = 0;
    if (ScanSize(text, w, h)) {
        if (w > 0 && h > 0) {
            result.kind = FrameSizeText::Size;
            result.width = w;
            result.height = h;
        }
        return result;
    }
    // "N%" and "N" read the same number; the sign is what matters.
    Scanner s(text);
    if (auto percent = s.Number(); percent && *percent >= 0) {
        result.kind = FrameSizeText::Percent;
        result.value = *percent;
    }
    return result;
}
