#pragma once
// Posts to the user-interface thread with CallAfter on the application
// object, which lives as long as the program. Calls posted when there is no
// application object are dropped.
#include "player/UiPoster.h"
#include <deque>
#include <functional>
#include <memory>

class CWxUiPoster : public IUiPoster {
public:
    CWxUiPoster();
    ~CWxUiPoster() override;
    void Post(std::function<void()> task) override;
    // Posted events are all handled in one go, those posted meanwhile too;
    // a one-shot timer runs only after the loop has seen to everything else.
    void PostNextTurn(std::function<void()> task) override;

private:
    class CNextTurnTimer;
    void RunNextTurn();

    std::deque<std::function<void()>> m_nextTurn;  // user-interface thread only
    std::unique_ptr<CNextTurnTimer> m_timer;        // made at the first use, when the application exists
};
