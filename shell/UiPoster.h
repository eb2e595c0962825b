#pragma once
// Hands a call to the user-interface thread. Engine and worker threads post
// through it and never wait for the call to run; calls run in the order they
// were posted.
#include <functional>

class IUiPoster {
public:
    virtual ~IUiPoster() = default;
    // Callable from any thread.
    virtual void Post(std::function<void()> call) = 0;
};
