// How long the still of the file shown last takes to come when the user
// clicks quickly through twenty 1080p sources, beside the time one still
// takes alone.
//
// Each click attaches the next entry to the player, as the source list does,
// and lets the "user-interface" thread run for one key-repeat interval (the
// poster is drained, as paint and timer events would run). The figure is the
// time from the last click until the player tells the control that the last
// entry's still is ready, which is when the control paints it.
//
// Usage: player_grab_clicks [rounds, default 5]
#include "BenchReport.h"
#include "fixtures/MediaFixtures.h"
#include "fixtures/QueuePoster.h"
#include "player/Player.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using bench::Clock;

namespace {

constexpr int kSources = 20;
constexpr auto kClickInterval = std::chrono::milliseconds(30);  // a held arrow key
constexpr auto kTimeout = std::chrono::seconds(30);

using kmtest::CQueuePoster;

// The control: counts the "still ready" messages of the entry it shows.
class CStillCtrl : public CPlayerCtrlImpl, public IPlayerNotifyWnd {
public:
    explicit CStillCtrl(CPlayer& player) : m_player(player) {}
    void OnFrame(FRAME_RECORD*) override {}
    void OnPlayEnd() override {}
    void OnPositionChanged() override {}
    void OnPaused() override {}
    void OnPlayStateChanged(int) override {}
    void Redraw() override {}
    void ResetButtons() override {}
    void OnPlayerMessage(unsigned msg, uintptr_t, intptr_t) override
    {
        if (msg != kMsgGrabReady || !shown) return;
        const CGrabResult* r = m_player.FindResult(shown);
        if (r && r->frame.record.cbData) painted = true;
    }
    CKMFile* shown = nullptr;
    bool painted = false;

private:
    CPlayer& m_player;
};

std::vector<CKMFilePtr> OpenEntries(const std::vector<fs::path>& clips)
{
    std::vector<CKMFilePtr> entries;
    for (const fs::path& clip : clips) {
        CKMFilePtr e = CKMFile::Create(clip.wstring(), 0);
        if (e->OpenMediaSource(clip.wstring()) != S_OK) return {};
        entries.push_back(std::move(e));
    }
    return entries;
}

// Milliseconds from the last click to the last entry's still; negative when
// it never came.
double ClickThrough(const std::vector<fs::path>& clips)
{
    std::vector<CKMFilePtr> entries = OpenEntries(clips);
    if (entries.empty()) return -1;
    CQueuePoster poster;
    CPlayer player(poster);
    CStillCtrl ctrl(player);
    Clock::time_point last;
    for (size_t i = 0; i < entries.size(); ++i) {
        last = Clock::now();
        ctrl.shown = entries[i].get();
        ctrl.painted = false;
        player.Attach(&ctrl, &ctrl, entries[i].get());
        if (i + 1 == entries.size()) break;
        for (auto until = last + kClickInterval; Clock::now() < until;) {
            poster.Drain();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    for (auto until = Clock::now() + kTimeout; !ctrl.painted && Clock::now() < until;) {
        poster.Drain();
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    const double ms = bench::Ms(Clock::now() - last);
    player.Attach(nullptr, nullptr, nullptr);
    player.StopAndHold();
    return ctrl.painted ? ms : -1;
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const fs::path dir = fs::temp_directory_path() / ("km_bench_grab_clicks_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    fixtures::ClipDesc desc{.width = 1920, .height = 1080, .seconds = 2.0, .audio = false};
    std::string error;
    std::printf("writing %d 1920x1080 H.264 clips...\n", kSources);
    const fs::path first = fixtures::WriteClip(dir / "clip00.mp4", desc, &error);
    if (first.empty()) return bench::Failed("cannot write the clip: %s", error.c_str());
    std::vector<fs::path> clips{first};
    for (int i = 1; i < kSources; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "clip%02d.mp4", i);
        fs::copy_file(first, dir / name, fs::copy_options::overwrite_existing);
        clips.push_back(dir / name);
    }

    ClickThrough({clips.back()});  // warm-up: file cache, decoder start
    std::vector<double> clicked, alone;
    for (int r = 0; r < rounds; ++r) {
        const double one = ClickThrough({clips.back()});
        const double many = ClickThrough(clips);
        if (one < 0 || many < 0) {
            fs::remove_all(dir);
            return bench::Failed("a still never came (round %d)", r + 1);
        }
        alone.push_back(one);
        clicked.push_back(many);
    }
    fs::remove_all(dir);
    std::printf("Still of the last of %d 1080p sources clicked through every %lld ms, median of %d rounds "
                "(goal: ratio <= 1.5)\n",
                kSources, static_cast<long long>(kClickInterval.count()), rounds);
    bench::PrintComparison("last click to its still", "ms", bench::Median(clicked), "one still alone",
                           bench::Median(alone));
    return 0;
}
