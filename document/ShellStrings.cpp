#include "document/ShellStrings.h"
#include "platform/ResourceLibrary.h"
#include "platform/ResultText.h"
#include <algorithm>

void DeclareShellStringArgs()
{
    for (UINT id : {IDS_ENGINE_NOTE, IDS_RUN_ELAPSED, IDS_ENGINE_TEXT, IDS_PROJECT_NOT_OPENED, IDS_PROJECT_CUT_OFF,
                    IDS_PROJECT_NOT_SAVED, IDS_PROJECT_CMDLINE, IDS_SAVE_CHANGES})
        CMsgMng::SetMessageArgs(id, "s");
    CMsgMng::SetMessageArgs(IDS_RUN_START, "ss");
    CMsgMng::SetMessageArgs(IDS_RUN_START_FAILED, "sx");
}

std::wstring ShellText(UINT id, const std::vector<CMsgArg>& args)
{
    // Only as many arguments as the id is declared to take reach the text.
    std::string kinds = CMsgMng::GetMessageArgs(id);
    std::vector<CMsgArg> used(args.begin(), args.begin() + std::min(args.size(), kinds.size()));
    return FormatMessageSafe(LoadResString(id), used);
}

CMsgArg TextArg(const std::wstring& text)
{
    CMsgArg a;
    a.kind = CMsgArg::String;
    a.text = text;
    return a;
}

CMsgArg CodeArg(HRESULT hr)
{
    CMsgArg a;
    a.kind = CMsgArg::Unsigned;
    a.number = static_cast<uint32_t>(hr);
    return a;
}

std::vector<CMsgArg> CauseArgs(HRESULT hr)
{
    return {TextArg(ResultText(hr)), CodeArg(hr)};
}
