#pragma once
// The engine's English texts are numbered texts of the string table; the
// English given with each id stands in when the table lacks it, so a program
// without its resource folder still says what happened. The texts themselves
// are listed in mediaeng/core/EngineTexts.h.
#include "engine/MsgMng.h"
#include <string>
#include <type_traits>
#include <vector>

namespace mediaeng {

struct EngineTextDef {
    unsigned id;
    const wchar_t* english;  // printf-style placeholders: %ls, %d, %.2f
};

CMsgArg TextArg(const std::wstring& text);
CMsgArg TextArg(const std::string& utf8);
CMsgArg TextArg(const char* utf8);
CMsgArg TextArg(double number);
template <class T>
    requires std::is_integral_v<T>
CMsgArg TextArg(T number)
{
    CMsgArg a;
    a.kind = CMsgArg::Int;
    a.number = static_cast<int64_t>(number);
    return a;
}

// The text with its placeholders filled from args in order; a text without
// arguments is used as it stands.
std::wstring FormatEngineText(const EngineTextDef& text, const std::vector<CMsgArg>& args);

template <class... Args>
std::wstring EngineText(const EngineTextDef& text, const Args&... args)
{
    return FormatEngineText(text, {TextArg(args)...});
}

// The same as UTF-8, for the engine's error strings.
std::string EngineTextUtf8Of(const EngineTextDef& text, const std::vector<CMsgArg>& args);

template <class... Args>
std::string EngineTextUtf8(const EngineTextDef& text, const Args&... args)
{
    return EngineTextUtf8Of(text, {TextArg(args)...});
}

}  // namespace mediaeng
