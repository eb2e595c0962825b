// Open-and-probe speed of the media source against the reference `ffprobe`
// on the same files, and against a bare avformat_open_input +
// avformat_find_stream_info (the floor: what any probe on FFmpeg must pay).
//
// Usage: probe_open [rounds, default 20]
#include "engine/MediaSourceGraph.h"
#include "fixtures/MediaFixtures.h"
#include "platform/ClassRegistry.h"
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>
extern "C" {
#include <libavformat/avformat.h>
}

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

bool OpenOurs(const fs::path& file)
{
    ComPtr<IEngineNode> source;
    if (FAILED(CoCreate(CLSID_MediaSource, source))) return false;
    source->SetValue(L"FileName", CVariant(file.wstring()));
    return source.As<IMediaSourceGraph>()->Open(nullptr) == S_OK;
}

bool OpenBare(const fs::path& file)
{
    AVFormatContext* ctx = nullptr;
    if (avformat_open_input(&ctx, file.string().c_str(), nullptr, nullptr) < 0) return false;
    bool ok = avformat_find_stream_info(ctx, nullptr) >= 0;
    avformat_close_input(&ctx);
    return ok;
}

bool OpenFfprobe(const fs::path& file)
{
    const std::string cmd = "ffprobe -v quiet -show_format -show_streams '" + file.string() + "' >/dev/null 2>&1";
    return std::system(cmd.c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    av_log_set_level(AV_LOG_QUIET);
    const fs::path dir = fs::temp_directory_path() / "km-bench-probe";
    const fixtures::FixtureSet set = fixtures::WriteFixtureSet(dir);
    const std::vector<fs::path> files = {set.mp4, set.avi, set.mkv, set.mpeg, set.wmv, set.flv, set.wav, set.mp3, set.png, set.jpeg};
    const bool haveFfprobe = std::system("command -v ffprobe >/dev/null 2>&1") == 0;

    struct Row {
        const char* name;
        bool (*open)(const fs::path&);
        bool enabled;
    } rows[] = {{"media source (ours)", &OpenOurs, true}, {"bare libavformat", &OpenBare, true}, {"ffprobe (reference)", &OpenFfprobe, haveFfprobe}};
    std::printf("probe of %zu small files, %d rounds\n", files.size(), rounds);
    for (const Row& r : rows) {
        if (!r.enabled) {
            std::printf("%-22s not installed\n", r.name);
            continue;
        }
        int failures = 0;
        const auto start = Clock::now();
        for (int i = 0; i < rounds; ++i)
            for (const fs::path& f : files) failures += !r.open(f);
        const double perFile = Ms(Clock::now() - start) / (rounds * files.size());
        std::printf("%-22s %8.3f ms per file%s\n", r.name, perFile, failures ? " (with failures)" : "");
    }
    // A screen recording's shape: 1080p with sound, keyframes 20 s apart. The
    // check for cut-off files reads from the last keyframe to the end here.
    const fs::path sparse = fixtures::WriteSparseKeyframeClip(dir / "sparse.mp4", 20, true);
    std::printf("probe of a 1080p clip with keyframes 20 s apart, %d rounds\n", rounds);
    for (const Row& r : rows) {
        if (!r.enabled) continue;
        int failures = 0;
        const auto start = Clock::now();
        for (int i = 0; i < rounds; ++i) failures += !r.open(sparse);
        std::printf("%-22s %8.3f ms per file%s\n", r.name, Ms(Clock::now() - start) / rounds,
                    failures ? " (refused or failed)" : "");
    }
    std::error_code ec;
    fs::remove_all(dir, ec);
    return 0;
}
