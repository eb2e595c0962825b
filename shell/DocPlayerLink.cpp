#include "shell/DocPlayerLink.h"
#include "player/Player.h"

void CDocPlayerLink::CloseGraph()
{
    m_player.CloseGraph();
}

void CDocPlayerLink::Detach()
{
    m_player.Attach(m_player.GetCtrl(), nullptr, nullptr);
}
