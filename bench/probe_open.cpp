// Open-and-probe speed of the media source beside a bare libavformat probe
// (avformat_open_input + avformat_find_stream_info, the floor any probe on
// FFmpeg pays) in the same process, on the same files, in alternating turns.
// `ffprobe` is printed as an aside: its figure is mostly a process start.
//
// Usage: probe_open [rounds, default 20]
#include "BenchReport.h"
#include "engine/EngineInit.h"
#include "engine/MediaSourceGraph.h"
#include "fixtures/MediaFixtures.h"
#include "platform/ClassRegistry.h"
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>
extern "C" {
#include <libavformat/avformat.h>
}

namespace fs = std::filesystem;
using namespace bench;

namespace {

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
    const bool ok = avformat_find_stream_info(ctx, nullptr) >= 0;
    avformat_close_input(&ctx);
    return ok;
}

bool OpenFfprobe(const fs::path& file)
{
    const std::string cmd = "ffprobe -v quiet -show_format -show_streams '" + file.string() + "' >/dev/null 2>&1";
    return std::system(cmd.c_str()) == 0;
}

using OpenFn = bool (*)(const fs::path&);

// Milliseconds per file of one pass over files; negative when one failed.
double Pass(OpenFn open, const std::vector<fs::path>& files)
{
    const auto start = Clock::now();
    for (const fs::path& f : files)
        if (!open(f)) return std::fprintf(stderr, "cannot probe %s\n", f.c_str()), -1.0;
    return Ms(Clock::now() - start) / double(files.size());
}

// Median milliseconds per file of ours and the bare probe, taking turns
// which goes first; false when either failed on a file.
bool Compare(const char* label, const std::vector<fs::path>& files, int rounds)
{
    if (Pass(&OpenOurs, files) < 0 || Pass(&OpenBare, files) < 0) return false;  // warm the file cache
    std::vector<double> ours, bare;
    for (int r = 0; r < rounds; ++r) {
        const bool oursFirst = r % 2 == 0;
        const double a = Pass(oursFirst ? &OpenOurs : &OpenBare, files);
        const double b = Pass(oursFirst ? &OpenBare : &OpenOurs, files);
        if (a < 0 || b < 0) return false;
        ours.push_back(oursFirst ? a : b);
        bare.push_back(oursFirst ? b : a);
    }
    PrintComparison(label, "ms", Median(ours), "bare libavformat", Median(bare));
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    av_log_set_level(AV_LOG_QUIET);
    EngineInitialize();
    const fs::path dir = fs::temp_directory_path() / ("km-bench-probe-" + std::to_string(::getpid()));
    const fixtures::FixtureSet set = fixtures::WriteFixtureSet(dir);
    const std::vector<fs::path> files = {set.mp4, set.avi, set.mkv, set.mpeg, set.wmv, set.flv, set.wav, set.mp3, set.png, set.jpeg};
    // A screen recording's shape: 1080p with sound, keyframes 20 s apart. The
    // check for cut-off files reads from the last keyframe to the end here.
    const fs::path sparse = fixtures::WriteSparseKeyframeClip(dir / "sparse.mp4", 20, true);

    std::printf("probe per file, median of %d rounds\n", rounds);
    const bool ok = Compare("10 small files of 10 formats", files, rounds) &&
                    Compare("1080p, keyframes 20 s apart", {sparse}, rounds);
    if (ok && std::system("command -v ffprobe >/dev/null 2>&1") == 0) {
        const int few = std::min(rounds, 3);
        std::vector<double> times;
        for (int r = 0; r < few; ++r) times.push_back(Pass(&OpenFfprobe, files));
        if (*std::min_element(times.begin(), times.end()) >= 0)
            std::printf("  aside: ffprobe, a process per file: %.3f ms per small file\n", Median(times));
    }
    std::error_code ec;
    fs::remove_all(dir, ec);
    return ok ? 0 : Failed("probe_open: a probe failed");
}
