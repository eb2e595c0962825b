// Stream-copy trim ("Same as source") of a long generated clip against
// `ffmpeg -ss S -to E -c copy` on the same file in the same run: both cut the
// same range without re-encoding; the figures are wall-clock times.
//
// Usage: stream_copy [minutes of 640x360 clip, default 10]
#include "fixtures/MediaFixtures.h"
#include "mediaeng/job/operations/StreamCopy.h"
#include "platform/TextConv.h"
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

int main(int argc, char** argv)
{
    const double minutes = argc > 1 ? std::atof(argv[1]) : 10.0;
    const fs::path dir = fs::temp_directory_path() / "km-bench-stream-copy";
    fs::create_directories(dir);
    const fs::path clip = dir / "long.mp4";
    fixtures::ClipDesc desc;
    desc.width = 640;
    desc.height = 360;
    desc.seconds = minutes * 60;
    desc.gopSize = 50;
    std::string error;
    std::printf("writing a %.0f s clip...\n", desc.seconds);
    if (fixtures::WriteClip(clip, desc, &error).empty()) {
        std::fprintf(stderr, "cannot write the clip: %s\n", error.c_str());
        return 1;
    }
    const double start = desc.seconds * 0.25, end = desc.seconds * 0.75;

    mediaeng::job::CRunControl control;
    mediaeng::job::CJobSource source;
    source.path = Utf8ToWide(clip.string());
    source.ranges = {{int64_t(start * 1e7), int64_t(end * 1e7)}};
    const fs::path ours = dir / "ours.mp4";
    auto t0 = Clock::now();
    const mediaeng::job::CTranscodeResult r = mediaeng::job::CStreamCopy(control).Run({source}, ours);
    const double oursSeconds = std::chrono::duration<double>(Clock::now() - t0).count();
    if (!r.ok) {
        std::fprintf(stderr, "stream copy failed: %s\n", r.error.c_str());
        return 1;
    }

    const fs::path theirs = dir / "ffmpeg.mp4";
    const std::string cmd = "ffmpeg -v error -nostdin -y -ss " + std::to_string(start) + " -to " + std::to_string(end) +
                            " -i '" + clip.string() + "' -c copy '" + theirs.string() + "'";
    t0 = Clock::now();
    const int rc = std::system(cmd.c_str());
    const double ffmpegSeconds = std::chrono::duration<double>(Clock::now() - t0).count();

    const fixtures::MediaInfo a = fixtures::ReadMedia(ours, false), b = fixtures::ReadMedia(theirs, false);
    std::printf("stream-copy trim of %.0f s out of %.0f s: ours %.3f s (%.1f s kept), ffmpeg -c copy %.3f s (%.1f s kept%s), "
                "ratio ours/ffmpeg %.2f\n",
                end - start, desc.seconds, oursSeconds, a.duration, ffmpegSeconds, b.duration,
                rc == 0 ? "" : ", ffmpeg failed", ffmpegSeconds > 0 ? oursSeconds / ffmpegSeconds : 0.0);
    std::error_code ec;
    fs::remove_all(dir, ec);
    return 0;
}
