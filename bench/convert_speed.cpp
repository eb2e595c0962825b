// One 1920x1080 clip converted to H.264/AAC by our job and by the `ffmpeg`
// command line with the same settings, in the same run; then a clip four times
// as long, to show that our peak memory does not grow with the clip's length.
// Usage: convert_speed [seconds] (default 10).
#include "ConvertBench.h"
#include "fixtures/MediaFixtures.h"
extern "C" {
#include <libavutil/log.h>
}

int main(int argc, char** argv)
{
    using namespace bench;
    av_log_set_level(AV_LOG_ERROR);  // the encoders' statistics would bury the figures
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    const fs::path dir = fs::temp_directory_path() / ("km-bench-speed-" + std::to_string(::getpid()));
    fs::create_directories(dir / "ours");
    fs::create_directories(dir / "ref");

    fixtures::ClipDesc desc;
    desc.width = 1920;
    desc.height = 1080;
    desc.gopSize = 50;
    desc.noise = 20;  // grain: the encoder has real work to do
    mediaeng::job::CJobSettings settings;
    settings.output = H264Output(dir / "ours", 4000);
    for (double length : {seconds, seconds * 4}) {
        desc.seconds = length;
        std::printf("generating %.0f s of 1920x1080 25 fps H.264 + tone...\n", length);
        const fs::path clip = dir / ("clip" + std::to_string(int(length)) + ".mkv");
        if (!WriteClipInChild(clip, desc)) return std::fprintf(stderr, "could not write the clip\n"), 1;
        settings.sources = {Source(clip, length)};
        const RunFigures ours = RunOursInChild(settings);
        if (!ours.ok) return std::fprintf(stderr, "our conversion failed\n"), 1;
        const RunFigures ref = RunCommandFigures(FfmpegH264(clip, dir / "ref" / (clip.stem().string() + ".mp4"), 4000));
        if (!ref.ok) return std::fprintf(stderr, "ffmpeg failed (is it installed?)\n"), 1;
        char label[64];
        std::snprintf(label, sizeof label, "%.0f s 1080p H.264 4000k + AAC", length);
        PrintRow(label, ours.seconds, ref.seconds);
        std::printf("%-34s ours %8.0f MB  ffmpeg %8.0f MB (peak resident)\n", "", ours.peakMb, ref.peakMb);
    }
    std::error_code ec;
    if (!std::getenv("KM_BENCH_KEEP")) fs::remove_all(dir, ec);
    else std::printf("outputs kept in %s\n", dir.c_str());
    return 0;
}
