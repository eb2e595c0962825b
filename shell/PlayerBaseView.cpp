#include "shell/PlayerBaseView.h"
#include "model/source/KMFile.h"
#include "player/Player.h"
#include "document/KestrelMediaDoc.h"
#include <wx/event.h>

PlayPauseState ComputePlayPauseState(const CKMFile* current, bool playing, bool rewinding)
{
    PlayPauseState s;
    s.enabled = current && (current->m_hasVideo || current->m_hasAudio) && !current->HasError();
    s.checked = s.enabled && playing && !rewinding;
    return s;
}

bool IsPlayerStopEnabled(int playState)
{
    return playState == 1 || playState == 2;
}

bool CPlayerBaseView::OnUpdateCommand(int id, wxUpdateUIEvent& ui)
{
    CPlayer* player = CPlayer::Instance();
    switch (id) {
    case kCmdStop:
        ui.Enable(player && IsPlayerStopEnabled(player->m_nState.load()));
        return true;
    case kCmdPlayPause: {
        CKestrelMediaDoc* doc = GetDocument();
        PlayPauseState s = ComputePlayPauseState(doc ? doc->GetCurrentFile() : nullptr,
                                                 player && player->m_bPlaying, player && player->m_bRewind);
        ui.Enable(s.enabled);
        ui.Check(s.checked);
        return true;
    }
    default:
        return false;
    }
}

bool CPlayerBaseView::OnExecuteCommand(int id)
{
    switch (id) {
    case kCmdStop:
        PlayerCommand(kCmdStop);
        RedrawPlayer();
        return true;
    case kCmdPlayPause:
        PlayerCommand(kCmdPlayPause);
        return true;
    default:
        return false;
    }
}
