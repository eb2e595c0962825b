#include "shell/views/SourceRowText.h"
#include <cwctype>

std::wstring ClipboardRowText(const std::wstring& text)
{
    std::wstring out = text;
    while (!out.empty() && (out.back() == L'\\' || out.back() == L'/'))
        out.pop_back();
    return out;
}

std::wstring NormalisedRowText(const std::wstring& text)
{
    std::wstring out = ClipboardRowText(text);
    for (wchar_t& c : out)
        c = static_cast<wchar_t>(std::towlower(c));
    return out;
}
