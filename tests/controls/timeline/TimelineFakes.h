#pragma once
// Stand-ins for the timeline controls' window side and player: a host with a
// plain scroll position and a clock the test moves, a player that records
// what it was asked, a listener that counts, and entries of a given duration.
#include "controls/timeline/PossitionChangeNotify.h"
#include "controls/timeline/TimelineHost.h"
#include "controls/timeline/TimelinePlayer.h"
#include "model/source/KMFile.h"
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace timelinefakes {

constexpr int64_t kSecond = 10000000;

class FakeHost : public ITimelineHost {
public:
    RECT ClientRect() const override { return client; }
    bool IsWindowEnabled() const override { return enabled; }
    bool IsWindowShown() const override { return shown; }
    double GetScrollPosition() const override { return position; }
    void SetScrollPosition(double p) override
    {
        lowestAsked = std::min(lowestAsked, p);
        position = std::max(0.0, p);
    }
    double GetScrollScale() const override { return 1.0; }
    void UpdateScrollBars() override { ++scrollUpdates; }
    void RedrawNow() override { ++redraws; }
    void StartTimer() override
    {
        timer = true;
        ++timerStarts;
    }
    void StopTimer() override { timer = false; }
    uint32_t TickCount() const override { return clock; }
    void Capture() override { captured = true; }
    void Release() override { captured = false; }
    void RangeChanged() override { ++rangeChanges; }
    void PositionChanged() override { ++positionChanges; }

    RECT client{0, 0, 1200, 120};
    bool enabled = true, shown = true;
    double position = 0, lowestAsked = 0;
    bool timer = false, captured = false;
    int timerStarts = 0, redraws = 0, scrollUpdates = 0, rangeChanges = 0, positionChanges = 0;
    uint32_t clock = 5000;
};

class FakePlayer : public ITimelinePlayer {
public:
    void Seek(int64_t p) override
    {
        calls.push_back("seek " + std::to_string(p));
        if (state == 0) state = 1;  // a seek leaves a stopped player paused
    }
    void Play() override
    {
        calls.push_back("play");
        state = 2;
        playing = true;
    }
    void Pause() override
    {
        calls.push_back("pause");
        state = 1;
        playing = false;
    }
    int PlayState() const override { return state; }
    bool IsPlaying() const override { return playing; }
    bool IsRewind() const override { return rewind; }
    void ResetButtons() override { calls.push_back("buttons"); }

    int state = 0;
    bool playing = false, rewind = false;
    std::vector<std::string> calls;
};

class CountingListener : public IPossitionChangeNotify {
public:
    void OnPositionChanged(int) override { calls.push_back("moved"); }
    void OnPositionRedraw() override { calls.push_back("redraw"); }
    std::vector<std::string> calls;
};

// An entry of the duration with the ranges given (none: the whole file).
inline CKMFilePtr MakeEntry(int64_t duration, std::vector<std::pair<int64_t, int64_t>> ranges = {})
{
    CKMFilePtr entry = CKMFile::Create();
    entry->m_duration = duration;
    for (const auto& [start, end] : ranges) {
        CTimelineObj* range = entry->m_timelines.CreateItem();
        range->m_startTime = start;
        range->m_endTime = end;
    }
    return entry;
}

}  // namespace timelinefakes
