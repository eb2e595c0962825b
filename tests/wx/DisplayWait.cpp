#include "wx/DisplayWait.h"
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <X11/Xlib.h>

namespace kmtest {

namespace {

bool UsesWayland()
{
    const char* backend = std::getenv("GDK_BACKEND");
    return backend && std::string(backend).rfind("wayland", 0) == 0;
}

// The compositor's socket: $XDG_RUNTIME_DIR/$WAYLAND_DISPLAY, or the
// display's own path when it is absolute.
std::string WaylandSocketPath()
{
    const char* name = std::getenv("WAYLAND_DISPLAY");
    const std::string display = name ? name : "wayland-0";
    if (!display.empty() && display.front() == '/') return display;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return runtime ? std::string(runtime) + "/" + display : std::string();
}

bool WaylandAnswers()
{
    const std::string path = WaylandSocketPath();
    sockaddr_un addr{};
    if (path.empty() || path.size() >= sizeof addr.sun_path) return false;
    addr.sun_family = AF_UNIX;
    path.copy(addr.sun_path, path.size());
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool ok = connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0;
    close(fd);
    return ok;
}

bool XServerAnswers()
{
    if (Display* d = XOpenDisplay(nullptr)) {
        XCloseDisplay(d);
        return true;
    }
    return false;
}

}  // namespace

bool WaitForDisplay()
{
    const bool wayland = UsesWayland();
    if (!wayland && !std::getenv("DISPLAY")) return false;
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (wayland ? WaylandAnswers() : XServerAnswers()) return true;
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
