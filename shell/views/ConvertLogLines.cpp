#include "shell/views/ConvertLogLines.h"
#include "controls/ids/CommandIds.h"
#include "model/job/RunManager.h"
#include "document/MessageMngHandler.h"

ConvertMessageResult RouteConvertMessage(const std::wstring& text, DWORD code, DWORD lastCode)
{
    ConvertMessageResult result;
    if (code & LOG_RAW) {
        result.isCaption = true;
        result.lastCode = lastCode;
        return result;
    }
    const int kind = (code & LOG_ERROR) ? 2 : (code & LOG_WARNING) ? 1 : 0;
    // An engine note is left open; a pause after it starts on a line of its own.
    if ((lastCode & 0x200) && (code & 0x800))
        result.lines.push_back({L"\n", kind});
    const bool keepAsIs = text.empty() || text.back() == L'\n' || (code & 0x200);
    result.lines.push_back({text, kind});
    if (!keepAsIs)
        result.lines.push_back({L"\n", kind});
    result.lastCode = code;
    return result;
}

ConvertCommandUi ConvertCommandState(int command, DWORD runState, const ConvertLogState& log)
{
    using namespace KM::Cmd;
    const bool active = runState == CRunManager::kRunning || runState == CRunManager::kPaused;
    switch (command) {
    case ConversionStart: return {true, true, runState == CRunManager::kRunning};
    case ConversionPause: return {true, active, runState == CRunManager::kPaused};
    case ConversionStop:
    case SendToTray: return {true, active, false};
    case SelectAll:
    case ClearLog: return {true, log.hasFocus && log.length > 0, false};
    case EditCopy:
    case EditCut: return {true, log.hasFocus && log.length > 0 && log.hasSelection, false};
    default: return {};
    }
}
