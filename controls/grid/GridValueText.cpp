#include "controls/grid/GridValueText.h"

#include <cwctype>

namespace {

const SchemaOption* OptionByValue(const CSchemaProperty& p, int32_t value)
{
    for (const SchemaOption& o : p.options)
        if (o.value == value) return &o;
    return nullptr;
}

const SchemaOption* OptionByText(const CSchemaProperty& p, const std::wstring& text)
{
    for (const SchemaOption& o : p.options)
        if (o.text == text) return &o;
    return nullptr;
}

std::wstring Trim(const std::wstring& s)
{
    const size_t b = s.find_first_not_of(L" \t");
    if (b == std::wstring::npos) return L"";
    return s.substr(b, s.find_last_not_of(L" \t") - b + 1);
}

}  // namespace

std::wstring FormatColorText(COLORREF color)
{
    wchar_t buf[8];
    swprintf(buf, 8, L"%02x%02x%02x", GetRValue(color), GetGValue(color), GetBValue(color));
    return buf;
}

std::optional<COLORREF> ParseColorText(const std::wstring& text)
{
    const std::wstring digits = Trim(text);
    // Red, green and blue take up to two digits each, in that order; the
    // reading stops at the first character that is no digit, and what is
    // left unread stays 0.
    BYTE parts[3] = {0, 0, 0};
    size_t at = 0;
    for (BYTE& part : parts) {
        const size_t start = at;
        unsigned value = 0;
        for (; at < digits.size() && at - start < 2 && std::iswxdigit(digits[at]); ++at)
            value = value * 16 + static_cast<unsigned>(digits[at] <= L'9' ? digits[at] - L'0'
                                                                          : std::towlower(digits[at]) - L'a' + 10);
        if (at == start) break;
        part = static_cast<BYTE>(value);
    }
    if (at == 0) return std::nullopt;
    return RGB(parts[0], parts[1], parts[2]);
}

std::optional<int32_t> ParseWholeInt(const std::wstring& text)
{
    const std::wstring t = Trim(text);
    size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == L'-' || t[i] == L'+')) negative = t[i++] == L'-';
    if (i >= t.size()) return std::nullopt;
    int64_t v = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < L'0' || t[i] > L'9') return std::nullopt;
        v = v * 10 + (t[i] - L'0');
        if (v > int64_t{INT32_MAX} + 1) return std::nullopt;
    }
    v = negative ? -v : v;
    if (v > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(v);
}

std::wstring FormatPropertyText(const CSchemaProperty& p)
{
    const int32_t* i = p.IntValue();
    const std::wstring* s = p.StringValue();
    if (!i && !s) return L"";
    if (p.flags & SPF_ENABLE_DISABLE) {
        const bool on = i ? *i != 0 : !s->empty();
        return on ? L"Enable" : L"Disable";
    }
    if ((p.flags & SPF_DROPDOWN) && s) return *s;
    if ((p.flags & SPF_COLOR) && i) return FormatColorText(static_cast<COLORREF>(*i));
    if ((p.flags & SPF_NO_TYPING) && i && !p.options.empty())
        if (const SchemaOption* o = OptionByValue(p, *i)) return o->text;
    return i ? std::to_wstring(*i) : *s;
}

std::optional<CVariant> TextToValue(const CSchemaProperty& p, const std::wstring& text)
{
    if (!p.options.empty() && (p.flags & SPF_NO_TYPING)) {
        if (const SchemaOption* o = OptionByText(p, text)) return CVariant(o->value);
        return std::nullopt;
    }
    if (p.IntValue()) {
        if (p.flags & SPF_ENABLE_DISABLE) {
            if (text == L"Enable") return CVariant(int32_t{1});
            if (text == L"Disable") return CVariant(int32_t{0});
        }
        if (p.flags & SPF_COLOR) {
            if (auto c = ParseColorText(text)) return CVariant(static_cast<int32_t>(*c));
            return std::nullopt;
        }
        if (auto v = ParseWholeInt(text)) return CVariant(*v);
        return std::nullopt;
    }
    if (p.StringValue()) return CVariant(text);
    return std::nullopt;
}

std::optional<int32_t> SpinTextValue(const CSchemaProperty& p, const std::wstring& text, int32_t current)
{
    const auto v = ParseWholeInt(text);
    if (!v || *v == current) return std::nullopt;
    if (p.minimum <= p.maximum && (*v < p.minimum || *v > p.maximum)) return std::nullopt;
    return v;
}

std::wstring InPlaceEditMask(const CSchemaProperty& p)
{
    if (p.flags & SPF_DROPDOWN) return L"0123456789:.";
    if (p.flags & SPF_COLOR) return L"0123456789ABCDEFabcdef";
    return L"";
}
