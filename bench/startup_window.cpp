// Start-up of the program to an idle main window (no project), beside a
// separate bare wxWidgets frame program (startup_bare_frame, built beside this
// one, which links wxWidgets' core and base only). Each figure is the whole
// life of a fresh process, from spawn to exit at the first idle moment with
// the main window shown; the median of 5 runs is printed. The program skips
// GTK's OpenGL check, so the bare frame is timed with and without it.
// Run with a display, e.g.: xvfb-run -a build/release/bench/startup_window
#include "shell/KestrelMediaApp.h"
#include "shell/frame/MainFrame.h"
#include "platform/GlProbe.h"
#include "platform/Settings.h"
#include <wx/app.h>
#include <wx/log.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

// Quits at the first idle event after the main window is shown.
class CIdleExit {
public:
    void Arm(wxApp& app, std::function<wxWindow*()> mainWindow)
    {
        app.Bind(wxEVT_IDLE, [&app, mainWindow](wxIdleEvent&) {
            wxWindow* main = mainWindow();
            if (main && main->IsShown()) app.ExitMainLoop();
        });
    }
};

class CProgramApp : public wxApp {
public:
    bool OnInit() override
    {
        m_glProbeSkip.Restore();
        SetAppName("KestrelMedia");
        SetVendorName("KestrelMedia Soft");
        // Anything logged goes to the terminal, not to a message box that waits.
        delete wxLog::SetActiveTarget(new wxLogStderr);
        // No network in a measurement.
        CSettingsStore::Instance().SetInt(L"Settings", L"AutoCheck", 0);
        CKestrelMediaApp::StartupOptions options;
        options.resourceFolder = KM_RES_DIR;
        if (!m_app.InitInstance(options)) return false;
        m_exit.Arm(*this, [this] { return m_app.GetMainFrame(); });
        return true;
    }

    int OnExit() override
    {
        m_app.ExitInstance();
        return wxApp::OnExit();
    }

private:
    KM::CGlProbeSkip m_glProbeSkip;  // as the program does
    CKestrelMediaApp m_app;
    CIdleExit m_exit;
};

int RunApp(wxApp* app, int argc, char** argv)
{
    wxApp::SetInstance(app);
    return wxEntry(argc, argv);
}

// Seconds from spawn to exit of one run of a program (with one argument, or none).
double TimeOneRun(const char* self, const char* mode)
{
    char* args[] = {const_cast<char*>(self), const_cast<char*>(mode), nullptr};
    if (!*mode) args[1] = nullptr;
    auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, self, nullptr, nullptr, args, environ) != 0) return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    return std::chrono::duration<double>(end - start).count();
}

double MedianOf5(const char* self, const char* mode)
{
    std::vector<double> runs;
    TimeOneRun(self, mode);  // warm the file cache
    for (int i = 0; i < 5; ++i) {
        double t = TimeOneRun(self, mode);
        if (t < 0) return -1;
        runs.push_back(t);
    }
    std::sort(runs.begin(), runs.end());
    return runs[2];
}

}  // namespace

int main(int argc, char** argv)
{
    std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "program") {
        // A fresh settings file for every run: a first start with no project.
        std::filesystem::path dir = std::filesystem::temp_directory_path() / ("km-startup-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        setenv("KM_SETTINGS_FILE", (dir / "settings.ini").c_str(), 1);
        setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
        setenv("XDG_DATA_HOME", dir.c_str(), 1);
        int rc = RunApp(new CProgramApp, argc, argv);
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
        return rc;
    }
    const std::filesystem::path selfPath = std::filesystem::canonical("/proc/self/exe");
    const std::string self = selfPath.string();
    const std::string bareProgram = (selfPath.parent_path() / "startup_bare_frame").string();
    double bare = MedianOf5(bareProgram.c_str(), "");
    // The program skips GTK's OpenGL check; the same frame skipping it shows
    // what is left of the difference.
    setenv("GDK_GL", "disable", 1);
    double bareNoGl = MedianOf5(bareProgram.c_str(), "");
    unsetenv("GDK_GL");
    double program = MedianOf5(self.c_str(), "program");
    if (bare < 0 || bareNoGl < 0 || program < 0) {
        std::fprintf(stderr, "a run failed (is there a display?)\n");
        return 1;
    }
    std::printf("start-up to an idle main window, median of 5 runs\n");
    std::printf("  bare wxWidgets frame (a program of its own): %7.3f s\n", bare);
    std::printf("  same, with GTK's OpenGL check skipped:        %7.3f s\n", bareNoGl);
    std::printf("  KestrelMedia (skips that check):             %7.3f s  (%.2fx, %.2fx of the second)\n", program,
                program / bare, program / bareNoGl);
    return 0;
}
