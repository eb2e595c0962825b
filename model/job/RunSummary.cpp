#include "model/job/RunSummary.h"

#include "engine/MsgMng.h"
#include "model/job/JobMessages.h"
#include "platform/ResourceLibrary.h"

namespace {
CMsgArg Count(int n)
{
    CMsgArg a;
    a.kind = CMsgArg::Int;
    a.number = n;
    return a;
}

std::wstring Line(UINT id, const wchar_t* fallback, const std::vector<CMsgArg>& args)
{
    std::wstring format = LoadResString(id);
    return FormatMessageSafe(format.empty() ? fallback : format, args);
}
}  // namespace

std::wstring CRunSummary::Text() const
{
    std::wstring text = Line(kMsgRunConverted, L"%d of %d files converted.", {Count(converted), Count(total)});
    if (LeftOut() > 0) text += L" " + Line(kMsgRunLeftOut, L"Left out: %d.", {Count(LeftOut())});
    if (shortened > 0) text += L" " + Line(kMsgRunShortened, L"Shorter than their source: %d.", {Count(shortened)});
    return text;
}
