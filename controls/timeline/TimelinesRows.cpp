#include "controls/timeline/TimelinesRows.h"
#include "controls/timeline/PossitionChangeNotify.h"
#include "controls/timeline/TimelinePlayer.h"
#include "controls/timeline/TimelineScale.h"
#include "model/source/KMFile.h"

namespace {
void PauseAndReset(ITimelinePlayer& player)
{
    player.Pause();
    player.ResetButtons();
}
}  // namespace

std::string RangeRowText(int64_t start, int64_t end)
{
    return Timeline::TimeText(start) + " - " + Timeline::TimeText(end);
}

TimelinesRows MakeTimelinesRows(CKMFile* entry)
{
    TimelinesRows out;
    if (!entry || entry->m_duration == 0) return out;
    const uint32_t count = entry->m_timelines.GetCount();
    if (count == 0) {
        out.rows.push_back(RangeRowText(0, entry->m_duration));
        out.selected = 0;
        return out;
    }
    for (uint32_t i = 0; i < count; ++i) {
        const CTimelineObj* range = entry->m_timelines.GetAt(i);
        out.rows.push_back(RangeRowText(range->m_startTime, range->m_endTime));
    }
    // The same clamped index the entry's range operations use.
    entry->GetStartTime();
    out.selected = entry->m_currentTimeline;
    return out;
}

void ClickTimelineRow(CKMFile* entry, int sel, ITimelinePlayer& player, IPossitionChangeNotify* listener)
{
    if (sel < 0) return;
    if (entry) {
        entry->m_currentTimeline = sel;
        const int64_t t = entry->GetStartTime();
        if (player.PlayState() == 2) {
            PauseAndReset(player);
        } else {
            player.Seek(t);
            if (listener) listener->OnPositionChanged(0);
            if (player.PlayState() == 2) PauseAndReset(player);
        }
    }
    if (listener) listener->OnPositionRedraw();
}

void DoubleClickTimelines(ITimelinePlayer& player)
{
    if (player.IsPlaying() && !player.IsRewind()) player.Pause();
    else player.Play();
    player.ResetButtons();
}
