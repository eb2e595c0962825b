#pragma once
// Base of the views that hold a preview player control: the player's stop
// (460) and play/pause (32781) commands.
#include "shell/BaseView.h"

class CKMFile;

struct PlayPauseState {
    bool enabled = false;
    bool checked = false;
};

// Play/pause is offered for a current entry with picture or sound whose probe
// did not fail; it shows checked while playing and not rewinding.
PlayPauseState ComputePlayPauseState(const CKMFile* current, bool playing, bool rewinding);
// Stop is offered while the player is paused (1) or running (2).
bool IsPlayerStopEnabled(int playState);

class CPlayerBaseView : public CBaseView {
public:
    static constexpr int kCmdStop = 460;
    static constexpr int kCmdPlayPause = 32781;

    bool OnUpdateCommand(int id, wxUpdateUIEvent& ui) override;
    bool OnExecuteCommand(int id) override;

    // Repaints the view's player control; nothing here.
    virtual void RedrawPlayer() {}
    // Passes a player command to the view's player control; nothing here.
    virtual void PlayerCommand(int) {}
};
