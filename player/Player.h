#pragma once
// The program's one preview player. It plays one source entry at a time and
// hands every frame to the one control attached to it (its sink); see
// CVideoThumbnail for the threads. The application object constructs it with
// its poster to the user-interface thread and registers it (SetInstance);
// every other part reaches it through CPlayer::Instance().
#include "player/PlayerImpl.h"

class CPlayer : public CPlayerImpl {
public:
    explicit CPlayer(IUiPoster& poster);
    ~CPlayer() override;

    static CPlayer* Instance();
    static void SetInstance(CPlayer* player);

    // Attaches a control (null: none) and shows entry (null: none): the
    // preview control's SetItem and every detach go through here.
    void Attach(CPlayerCtrlImpl* sink, IPlayerNotifyWnd* window, CKMFile* entry);
    // Closes the current source (its graph and caches).
    void CloseItem();
    CPlayerCtrlImpl* GetCtrl();

    void OnFrame(FRAME_RECORD* frame) override;
    void OnComplete() override;
    void NotifyState(int state) override;
    void OnStopped() override;
    void OnPaused() override;

private:
    std::mutex m_csPlayer;  // guards m_pCtrl only: never held across a call out
    CPlayerCtrlImpl* m_pCtrl = nullptr;
};
