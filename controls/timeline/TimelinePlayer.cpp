#include "controls/timeline/TimelinePlayer.h"
#include "player/Player.h"

CAppTimelinePlayer& CAppTimelinePlayer::Get()
{
    static CAppTimelinePlayer link;
    return link;
}

void CAppTimelinePlayer::Seek(int64_t position)
{
    if (CPlayer* player = CPlayer::Instance()) player->Seek(position);
}

void CAppTimelinePlayer::Play()
{
    if (CPlayer* player = CPlayer::Instance()) player->Play();
}

void CAppTimelinePlayer::Pause()
{
    if (CPlayer* player = CPlayer::Instance()) player->Pause();
}

int CAppTimelinePlayer::PlayState() const
{
    CPlayer* player = CPlayer::Instance();
    return player ? player->PlayState() : 0;
}

bool CAppTimelinePlayer::IsPlaying() const
{
    CPlayer* player = CPlayer::Instance();
    return player && player->IsPlaying();
}

bool CAppTimelinePlayer::IsRewind() const
{
    CPlayer* player = CPlayer::Instance();
    return player && player->IsRewinding();
}

void CAppTimelinePlayer::ResetButtons()
{
    CPlayer* player = CPlayer::Instance();
    if (CPlayerCtrlImpl* sink = player ? player->GetCtrl() : nullptr) sink->ResetButtons();
}
