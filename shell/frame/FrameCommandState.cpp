#include "shell/frame/FrameCommandState.h"
#include "controls/ids/CommandIds.h"

FrameCommandUi FrameCommandState(int command, const FrameCommandContext& context)
{
    using namespace KM::Cmd;
    switch (command) {
    case WebsiteLink:
    case SourceFileList:
    case SourceFolder:
    case SourceDvd:
    case StartConversionFromRibbon:
    case CheckUpdatesNow:
        return {true, true, false, false};
    case LoadRecentDoc: return {true, true, true, context.loadRecentDoc != 0};
    case AutoCheckUpdates: return {true, true, true, context.autoCheck != 0};
    case SourceType3: return {true, true, true, context.sourceType == 3};
    case SourceType4: return {true, true, true, context.sourceType == 4};
    default:
        if (command >= LookFirst && command <= LookLast)
            return {true, true, true, false};  // the frame sets the mark from the stored look
        return {};
    }
}
