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
// The preview player's play state (0 without a player).
int PlayerPlayState();
// Play/pause as the views and panes show it for the current entry.
CommandUi PlayPauseUi(const CKMFile* current);

class CPlayerBaseView : public CBaseView {
public:
    CPlayerBaseView();

    // Repaints the view's player control; nothing here.
    virtual void RedrawPlayer() {}
    // Passes a player command to the view's player control; nothing here.
    virtual void PlayerCommand(int) {}
};
