#include "player/PlayerStrings.h"
#include "engine/MsgMng.h"
#include "platform/ResourceLibrary.h"

std::wstring PlayerText(unsigned id)
{
    std::wstring text = LoadResString(id);
    return text.empty() ? L"#" + std::to_wstring(id) : text;
}

void RegisterPlayerMessages()
{
    static const bool registered = (CMsgMng::SetMessageArgs(IDS_PLAY_GRAPH_FAILED, "sx"), true);
    (void)registered;
}
