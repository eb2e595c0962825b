#include "mediaeng/core/EngineText.h"
#include "platform/ResourceLibrary.h"
#include "platform/TextConv.h"

namespace mediaeng {

CMsgArg TextArg(const std::wstring& text)
{
    CMsgArg a;
    a.kind = CMsgArg::String;
    a.text = text;
    return a;
}

CMsgArg TextArg(const std::string& utf8) { return TextArg(Utf8ToWide(utf8)); }
CMsgArg TextArg(const char* utf8) { return TextArg(std::string(utf8 ? utf8 : "")); }

CMsgArg TextArg(double number)
{
    CMsgArg a;
    a.kind = CMsgArg::Real;
    a.real = number;
    return a;
}

std::wstring FormatEngineText(const EngineTextDef& text, const std::vector<CMsgArg>& args)
{
    std::wstring format = LoadResString(text.id);
    if (format.empty()) format = text.english;
    return args.empty() ? format : FormatMessageSafe(format, args);
}

std::string EngineTextUtf8Of(const EngineTextDef& text, const std::vector<CMsgArg>& args)
{
    return WideToUtf8(FormatEngineText(text, args));
}

}  // namespace mediaeng
