#pragma once
// The sink of the preview player: the one control attached to it (the preview
// control implements it). Every call comes on the user-interface thread.
#include "engine/FrameRecord.h"

class CPlayerCtrlImpl {
public:
    virtual ~CPlayerCtrlImpl() = default;
    // A frame to show. The record stays valid until the next call into the
    // player on this thread that frees results (attach, detach, CloseItem).
    virtual void OnFrame(FRAME_RECORD* frame) = 0;
    virtual void OnPlayEnd() = 0;
    virtual void OnPositionChanged() = 0;
    virtual void OnPaused() = 0;
    // 0 from attach and detach, 1 from the end of play.
    virtual void OnPlayStateChanged(int state) = 0;
    virtual void Redraw() = 0;
    virtual void ResetButtons() = 0;
};

// Window message a finished grab posts to the attached control's window.
constexpr unsigned kMsgGrabReady = 0x402;  // WM_USER+2, both parameters 0

// The attached control's window as the player reaches it: the control's
// handler for the player's window messages (on the user-interface thread).
class IPlayerNotifyWnd {
public:
    virtual ~IPlayerNotifyWnd() = default;
    virtual void OnPlayerMessage(unsigned msg, uintptr_t wParam, intptr_t lParam) = 0;
};
