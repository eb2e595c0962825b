#pragma once
// The timeline pane's range commands on a source entry, without a window:
// whether each is offered and what it does to the entry's ranges. Times are
// 100-ns units; the position is the entry's current play position.
#include <cstdint>

class CKMFile;

struct TimelineCommandContext {
    CKMFile* file = nullptr;  // the current entry, or null
    int zoomIndex = 0;        // the ruler's, 0..9
};

// Whether the command (431, 432, 433, 434, 436, 438, 439, 32825) is offered;
// false for a command that is not the timeline's.
bool IsTimelineCommandEnabled(int command, const TimelineCommandContext& context);
bool IsTimelineCommand(int command);

// The range edits of 431 (add), 432 (start), 433 (end), 434 (move) and 436
// (remove) on the entry; nothing for another command, a null entry or one the
// command is not offered for. A range placed from the play position never
// ends up empty: at the very end of the file it keeps the last tenth of a
// second (or the whole file when it is shorter).
void ApplyRangeCommand(int command, CKMFile& file);

// The shortest range a play-position edit leaves.
inline constexpr int64_t kMinimumRange = 1'000'000;
