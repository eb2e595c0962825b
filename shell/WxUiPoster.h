#pragma once
// Posts to the user-interface thread with CallAfter on the application
// object, which lives as long as the program. Calls posted when there is no
// application object are dropped.
#include "player/UiPoster.h"

class CWxUiPoster : public IUiPoster {
public:
    void Post(std::function<void()> task) override;
};
