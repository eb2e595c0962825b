// A batch of 50 short clips converted by our job (one run) against the
// `ffmpeg` command line started once per clip, in turn.
// Usage: convert_batch [count] (default 50).
#include "ConvertBench.h"
#include "fixtures/MediaFixtures.h"
extern "C" {
#include <libavutil/log.h>
}
#include <vector>

int main(int argc, char** argv)
{
    using namespace bench;
    av_log_set_level(AV_LOG_ERROR);  // the encoders' statistics would bury the figures
    const int count = argc > 1 ? std::atoi(argv[1]) : 50;
    const fs::path dir = fs::temp_directory_path() / ("km-bench-batch-" + std::to_string(::getpid()));
    fs::create_directories(dir / "ours");
    fs::create_directories(dir / "ref");

    const fixtures::ClipDesc desc{.width = 640, .height = 360, .seconds = 3, .noise = 20};
    std::printf("generating %d clips of 3 s 640x360...\n", count);
    mediaeng::job::CJobSettings settings;
    settings.output = H264Output(dir / "ours", 1000);
    std::vector<fs::path> clips;
    for (int i = 0; i < count; ++i) {
        clips.push_back(dir / ("clip" + std::to_string(i) + ".avi"));
        if (!WriteClipInChild(clips.back(), desc)) return std::fprintf(stderr, "could not write a clip\n"), 1;
        settings.sources.push_back(Source(clips.back(), desc.seconds));
    }

    const RunFigures ours = RunOursInChild(settings);
    if (!ours.ok) return std::fprintf(stderr, "our conversion failed\n"), 1;
    double reference = 0, refPeak = 0;
    for (const fs::path& clip : clips) {
        const RunFigures r = RunCommandFigures(FfmpegH264(clip, dir / "ref" / (clip.stem().string() + ".mp4"), 1000));
        if (!r.ok) return std::fprintf(stderr, "ffmpeg failed (is it installed?)\n"), 1;
        reference += r.seconds;
        refPeak = std::max(refPeak, r.peakMb);
    }
    char label[64];
    std::snprintf(label, sizeof label, "batch of %d clips (3 s, 640x360)", count);
    PrintRow(label, ours.seconds, reference);
    std::printf("%-34s ours %8.0f MB  ffmpeg %8.0f MB (peak resident)\n", "", ours.peakMb, refPeak);
    std::error_code ec;
    fs::remove_all(dir, ec);
    return 0;
}
