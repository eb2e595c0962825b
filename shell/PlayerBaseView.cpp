#include "shell/PlayerBaseView.h"
#include "controls/ids/CommandIds.h"
#include "model/source/KMFile.h"
#include "player/Player.h"
#include "shell/KestrelMediaDoc.h"
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

int PlayerPlayState()
{
    CPlayer* player = CPlayer::Instance();
    return player ? player->PlayState() : 0;
}

CommandUi PlayPauseUi(const CKMFile* current)
{
    CPlayer* player = CPlayer::Instance();
    const PlayPauseState s = ComputePlayPauseState(current, player && player->IsPlaying(), player && player->IsRewinding());
    return Checked(s.checked, s.enabled);
}

CPlayerBaseView::CPlayerBaseView()
{
    using namespace KM::Cmd;
    m_commands
        .Add(PlayerStop, [] { return Enabled(IsPlayerStopEnabled(PlayerPlayState())); },
             [this] {
                 PlayerCommand(PlayerStop);
                 RedrawPlayer();
             })
        .Add(PlayPause, [this] { return PlayPauseUi(GetDocument() ? GetDocument()->GetCurrentFile() : nullptr); },
             [this] { PlayerCommand(PlayPause); });
}
