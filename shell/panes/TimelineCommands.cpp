#include "shell/panes/TimelineCommands.h"
#include "controls/ids/CommandIds.h"
#include "model/source/KMFile.h"
#include <algorithm>

namespace {

using namespace KM::Cmd;

// The latest start a range may have and still hold something.
int64_t LatestStart(const CKMFile& file)
{
    return std::max<int64_t>(file.m_duration - kMinimumRange, 0);
}

int64_t Position(const CKMFile& file)
{
    return std::clamp<int64_t>(file.m_currentPosition, 0, file.m_duration);
}

}  // namespace

bool IsTimelineCommand(int command)
{
    switch (command) {
    case AddRange:
    case SetRangeStart:
    case SetRangeEnd:
    case MoveRangeToPosition:
    case RemoveRange:
    case ZoomOut:
    case ZoomIn:
    case RangeBehaviour: return true;
    default: return false;
    }
}

bool IsTimelineCommandEnabled(int command, const TimelineCommandContext& context)
{
    CKMFile* file = context.file;
    if (!file) return false;
    const bool hasDuration = file->m_duration != 0;
    const int64_t position = file->m_currentPosition;
    switch (command) {
    case AddRange:
    case MoveRangeToPosition:
    case RangeBehaviour: return hasDuration;
    case SetRangeStart: return hasDuration && position < file->GetEndTime();
    case SetRangeEnd: return hasDuration && position > file->GetStartTime() && position <= file->m_duration;
    case RemoveRange: return file->m_timelines.GetCount() > 1;
    case ZoomOut: return hasDuration && context.zoomIndex != 9;
    case ZoomIn: return hasDuration && context.zoomIndex != 0;
    default: return false;
    }
}

void ApplyRangeCommand(int command, CKMFile& file)
{
    if (!IsTimelineCommandEnabled(command, {&file, 0}))
        return;
    switch (command) {
    case AddRange: file.AddTimeline(std::min(Position(file), LatestStart(file))); break;
    case SetRangeStart: {
        // Offered only before the end, so the range keeps something.
        file.SetStartTime(std::max<int64_t>(file.m_currentPosition, 0));
        break;
    }
    case SetRangeEnd: file.SetEndTime(file.m_currentPosition); break;
    case MoveRangeToPosition: {
        const int64_t start = std::min(Position(file), LatestStart(file));
        const int64_t end = std::min(file.GetEndTime() - file.GetStartTime() + start, file.m_duration);
        file.SetStartTime(start);
        file.SetEndTime(std::max(end, std::min(start + kMinimumRange, file.m_duration)));
        break;
    }
    case RemoveRange: file.RemoveTimeline(); break;
    default: break;
    }
}
