#pragma once
// The timelines list without a window: one "start - end" row per trim range of
// an entry (or one for the whole file), the row that is current, and what a
// click and a double click on the list do to the entry and the player.
#include <cstdint>
#include <string>
#include <vector>

class CKMFile;
class IPossitionChangeNotify;
class ITimelinePlayer;

struct TimelinesRows {
    std::vector<std::string> rows;
    int selected = -1;  // the entry's current range; -1 with no rows
};

std::string RangeRowText(int64_t start, int64_t end);
// No rows without an entry or for a duration of 0.
TimelinesRows MakeTimelinesRows(CKMFile* entry);

// A click that left row sel selected (-1: none, nothing happens). The range
// becomes current; a playing preview pauses there, a paused or stopped one
// moves to the range's start. The listener is told of the move, then asked
// to repaint.
void ClickTimelineRow(CKMFile* entry, int sel, ITimelinePlayer& player, IPossitionChangeNotify* listener);
// A double click plays a paused or stopped preview and pauses a playing one.
void DoubleClickTimelines(ITimelinePlayer& player);
