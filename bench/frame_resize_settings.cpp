// Settings writes while the main window is resized 100 times, as a user
// dragging its border does: each step stores the frame's and the views'
// sizes. Ours gathers the changes and writes once they settle; the reference
// writes the settings file on every step (what a store without gathering
// does). Prints the time of the 100 steps and the file writes of each.
// Run with a display, e.g.: xvfb-run -a build/release/bench/frame_resize_settings
#include "BenchReport.h"
#include "WindowBench.h"
#include "platform/Settings.h"
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>
#include <wx/log.h>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kSteps = 100;

void PumpPending()
{
    if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) loop->YieldFor(wxEVT_CATEGORY_ALL);
}

struct Round {
    double ms = 0;
    unsigned writes = 0;
};

// Resizes the frame kSteps times; everyStep: the file is written after each.
Round Resize(wxWindow& frame, bool everyStep)
{
    CSettingsStore& store = CSettingsStore::Instance();
    store.Flush();
    const unsigned before = store.WriteCount();
    const wxSize start = frame.GetSize();
    const auto t0 = bench::Clock::now();
    for (int i = 0; i < kSteps; ++i) {
        frame.SetSize(wxSize(start.x - 40 + (i % 20) * 4, start.y - 20 + (i % 10) * 4));
        PumpPending();
        if (everyStep) store.Flush();
    }
    Round r;
    r.ms = bench::Ms(bench::Clock::now() - t0);
    // Ours writes once the changes settle.
    for (auto until = bench::Clock::now() + store.SettleTime() * 4;
         store.WriteCount() == before && bench::Clock::now() < until;)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    store.Flush();
    r.writes = store.WriteCount() - before;
    frame.SetSize(start);
    PumpPending();
    return r;
}

}  // namespace

int main(int argc, char** argv)
{
    const auto dir = std::filesystem::temp_directory_path() / ("km_bench_resize_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    CSettingsStore::Instance().SetPath(dir / "settings.ini");
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv)) return bench::Failed("wxWidgets did not start (a display is needed)");
    delete wxLog::SetActiveTarget(new wxLogStderr);
    int rc = 0;
    {
        CKestrelMediaApp app;
        if (!bench::StartWindowProgram(app)) {
            rc = bench::Failed("the program did not start");
        } else {
            wxWindow* frame = app.GetMainFrame();
            for (int i = 0; i < 20; ++i) PumpPending();
            std::vector<double> ours, theirs;
            unsigned oursWrites = 0, theirWrites = 0;
            for (int round = 0; round < 3; ++round) {
                const Round o = Resize(*frame, false);
                const Round t = Resize(*frame, true);
                ours.push_back(o.ms);
                theirs.push_back(t.ms);
                oursWrites = std::max(oursWrites, o.writes);
                theirWrites = std::max(theirWrites, t.writes);
            }
            std::printf("Main window resized %d times, median of 3 rounds (goal: one write per settled change)\n",
                        kSteps);
            bench::PrintComparison("100 resize steps", "ms", bench::Median(ours), "written every step",
                                   bench::Median(theirs));
            std::printf("  %-30s ours %9u        written every step %9u\n", "settings file writes", oursWrites,
                        theirWrites);
            if (oursWrites > 1) rc = bench::Failed("%u writes for one settled change", oursWrites);
        }
        bench::StopWindowProgram(app);
    }
    wxEntryCleanup();
    std::filesystem::remove_all(dir);
    return rc;
}
