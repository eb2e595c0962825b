#pragma once
// What the timeline controls ask of the preview player: seek, play, pause, its
// state flags and the button reset of its attached control. The program's one
// player stands behind CAppTimelinePlayer; tests put a fake in its place.
#include <cstdint>

class ITimelinePlayer {
public:
    virtual ~ITimelinePlayer() = default;
    // The player may refuse (busy converting); callers do not retry.
    virtual void Seek(int64_t position) = 0;
    virtual void Play() = 0;
    virtual void Pause() = 0;
    // 0 stopped, 1 paused, 2 running.
    virtual int PlayState() const = 0;
    virtual bool IsPlaying() const = 0;
    virtual bool IsRewind() const = 0;
    // The attached preview control's buttons follow the state again.
    virtual void ResetButtons() = 0;
};

// The application's player (CPlayer::Instance()); does nothing while there is none.
class CAppTimelinePlayer : public ITimelinePlayer {
public:
    static CAppTimelinePlayer& Get();
    void Seek(int64_t position) override;
    void Play() override;
    void Pause() override;
    int PlayState() const override;
    bool IsPlaying() const override;
    bool IsRewind() const override;
    void ResetButtons() override;
};
