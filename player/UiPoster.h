#pragma once
// How the player hands work to the user-interface thread. The window program
// implements it with CallAfter on a handler that lives as long as the
// program; tests implement it with a queue they drain. Post never blocks and
// may be called from any thread; tasks run in the order posted.
#include <functional>

struct IUiPoster {
    virtual ~IUiPoster() = default;
    virtual void Post(std::function<void()> task) = 0;
    // Like Post, but the task waits until the thread has had a turn at its
    // other work (timers, input, painting): for the rest of a long job that
    // is done a piece at a time. User-interface thread only.
    virtual void PostNextTurn(std::function<void()> task) { Post(std::move(task)); }
};
