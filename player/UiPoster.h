#pragma once
// How the player hands work to the user-interface thread. The window program
// implements it with CallAfter on a handler that lives as long as the
// program; tests implement it with a queue they drain. Post never blocks and
// may be called from any thread; tasks run in the order posted.
#include <functional>

struct IUiPoster {
    virtual ~IUiPoster() = default;
    virtual void Post(std::function<void()> task) = 0;
};
