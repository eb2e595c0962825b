#include "wx/DisplayWait.h"
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <unistd.h>
#include <X11/Xlib.h>

namespace kmtest {

bool WaitForDisplay()
{
    if (!std::getenv("DISPLAY")) return false;
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (Display* d = XOpenDisplay(nullptr)) {
            XCloseDisplay(d);
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return false;
}

void StartAgain(char** argv)
{
    const char* done = std::getenv("KM_TEST_START_TRIES");
    const int tries = done ? std::atoi(done) : 0;
    if (tries >= 3) return;
    setenv("KM_TEST_START_TRIES", std::to_string(tries + 1).c_str(), 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    execv("/proc/self/exe", argv);
}

}  // namespace kmtest
