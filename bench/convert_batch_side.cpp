// Batches converted by our job (one run, which converts several files side by
// side where cores are idle) against the `ffmpeg` command line started once
// per clip, four at a time (xargs -P4): 10 clips of 1080p 5 s at 4000k and 50
// clips of 640x360 3 s at 1000k, both with grain. Runs alternate between the
// two sides; medians are printed.
// Usage: convert_batch_side [runs per side (3)]
#include "ConvertBench.h"
#include "fixtures/MediaFixtures.h"
extern "C" {
#include <libavutil/log.h>
}
#include <fstream>
#include <vector>

namespace {

using namespace bench;

struct Batch {
    const char* label;
    int count;
    fixtures::ClipDesc desc;
    int kbps;
};

// One line per clip, run by four shells at a time.
std::string SideBySideCommand(const std::vector<fs::path>& clips, const fs::path& out, int kbps, const fs::path& list)
{
    std::ofstream lines(list);
    for (const fs::path& clip : clips) lines << FfmpegH264(clip, out / (clip.stem().string() + ".mp4"), kbps) << '\n';
    return "xargs -P4 -d '\\n' -I{} sh -c {} < " + Quote(list);
}

int RunBatch(const Batch& b, const fs::path& dir, int runs)
{
    std::printf("generating %d clips of %.0f s %dx%d...\n", b.count, b.desc.seconds, b.desc.width, b.desc.height);
    std::vector<fs::path> clips;
    mediaeng::job::CJobSettings settings;
    for (int i = 0; i < b.count; ++i) {
        clips.push_back(dir / ("clip" + std::to_string(i) + ".mkv"));
        if (!WriteClipInChild(clips.back(), b.desc)) return Failed("could not write a clip");
        settings.sources.push_back(Source(clips.back(), b.desc.seconds));
    }
    const std::string reference = SideBySideCommand(clips, dir / "ref", b.kbps, dir / "commands.txt");
    const InTurnFigures f = RunInTurn(
        runs,
        [&](int) {
            std::error_code ec;
            fs::remove_all(dir / "ours", ec);
            fs::create_directories(dir / "ours");
            settings.output = H264Output(dir / "ours", b.kbps);
            return RunOursInChild(settings);
        },
        [&](int) {
            std::error_code ec;
            fs::remove_all(dir / "ref", ec);
            fs::create_directories(dir / "ref");
            return RunCommandFigures(reference);
        });
    if (!f.ok) return Failed("%s: %s failed (are ffmpeg and xargs installed?)", b.label, f.failed);
    PrintRow(b.label, f.ours, f.reference);
    std::printf("%-34s ours %8.0f MB  one ffmpeg %4.0f MB (peak resident)\n", "", f.oursPeakMb, f.referencePeakMb);
    std::fflush(stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    av_log_set_level(AV_LOG_ERROR);  // the encoders' statistics would bury the figures
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const fs::path dir = fs::temp_directory_path() / ("km-bench-side-" + std::to_string(::getpid()));
    std::printf("ours beside 4 ffmpeg runs side by side; medians of %d runs per side\n", runs);
    const Batch batches[] = {
        {"10 clips 1080p 5 s (4000k)", 10, {.width = 1920, .height = 1080, .seconds = 5, .gopSize = 50, .noise = 20}, 4000},
        {"50 clips 640x360 3 s (1000k)", 50, {.width = 640, .height = 360, .seconds = 3, .noise = 20}, 1000},
    };
    int rc = 0;
    for (const Batch& b : batches) {
        fs::create_directories(dir);
        rc = RunBatch(b, dir, runs);
        std::error_code ec;
        fs::remove_all(dir, ec);
        if (rc) break;
    }
    return rc;
}
