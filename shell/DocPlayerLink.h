#pragma once
// The document's hold on the one preview player.
#include "document/DocumentServices.h"

class CPlayer;

class CDocPlayerLink : public IDocPlayer {
public:
    explicit CDocPlayerLink(CPlayer& player) : m_player(player) {}
    void CloseGraph() override;
    // The attached control stays; the entry, its grab requests, results and
    // frame are let go.
    void Detach() override;

private:
    CPlayer& m_player;
};
