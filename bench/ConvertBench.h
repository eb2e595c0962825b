#pragma once
// Shared by the conversion benchmarks: wall-clock timing, peak memory, the
// `ffmpeg` command line, and a run of our batch converter.
#include "BenchReport.h"
#include "fixtures/MediaFixtures.h"
#include "mediaeng/job/run/BatchRunner.h"
#include "platform/TextConv.h"
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace bench {

namespace fs = std::filesystem;

inline double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Peak resident memory of this process so far, in MB.
inline double PeakMb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_maxrss) / 1024.0;
}

// Peak resident memory of the largest finished child process, in MB.
inline double ChildPeakMb()
{
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return double(u.ru_maxrss) / 1024.0;
}

inline bool RunCommand(const std::string& command)
{
    const int rc = std::system(command.c_str());
    return rc != -1 && WIFEXITED(rc) && WEXITSTATUS(rc) == 0;
}

inline std::string Quote(const fs::path& p)
{
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on a
    // "literal" + std::string chain once it is inlined.
    std::string quoted(1, '\'');
    quoted.append(p.string()).append(1, '\'');
    return quoted;
}

// H.264 High at a fixed bitrate (default preset), AAC 128 kbps stereo 44.1 kHz in MP4:
// the same settings for our job and for the command line.
inline mediaeng::job::CJobOutput H264Output(const fs::path& folder, int videoKbps)
{
    mediaeng::job::CJobOutput out;
    out.muxer = "mp4";
    out.extension = L"mp4";
    out.video.encoder = "libx264";
    out.video.bitrateMode = mediaeng::job::kBitrateVariable;
    out.video.bitrateKbps = videoKbps;
    out.video.keyFrames = 100;
    out.video.profile = 2;  // High, the command line's default
    out.audio.encoder = "aac";
    out.audio.bitrateKbps = 128;
    out.naming.destinationFolder = Utf8ToWide(folder.string());
    return out;
}

// videoFilter, when given, is a -vf chain; it is put in double quotes, so it
// holds no double quote, '$' or '`'.
inline std::string FfmpegH264(const fs::path& in, const fs::path& out, int videoKbps,
                              const std::string& videoFilter = {})
{
    const std::string vf = videoFilter.empty() ? "" : " -vf \"" + videoFilter + "\"";
    return "ffmpeg -nostdin -loglevel error -y -i " + Quote(in) + vf + " -c:v libx264 -b:v " +
           std::to_string(videoKbps) + "k -g 100 -pix_fmt yuv420p -c:a aac -b:a 128k -ac 2 -ar 44100 " + Quote(out);
}

// Runs our batch to its end, with the edits edit makes (none when empty);
// false when it did not convert every source.
inline bool RunOurs(const mediaeng::job::CJobSettings& settings, mediaeng::job::CBatchRunner::EditFactory edit = {})
{
    mediaeng::job::CBatchRunner runner;
    runner.SetEditFactory(std::move(edit));
    if (runner.Start(settings, nullptr) != S_OK) return false;
    runner.Wait(24u * 3600u * 1000u);
    return runner.Result() == S_OK;
}

struct RunFigures {
    bool ok = false;
    double seconds = 0;
    double peakMb = 0;
};

// Our batch in a child process of its own, so its peak memory is its own.
inline RunFigures RunOursInChild(const mediaeng::job::CJobSettings& settings, mediaeng::job::CBatchRunner::EditFactory edit = {})
{
    RunFigures f;
    const auto t0 = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) _exit(RunOurs(settings, std::move(edit)) ? 0 : 1);
    if (pid < 0) return f;
    int status = 0;
    rusage u{};
    if (wait4(pid, &status, 0, &u) != pid) return f;
    f.seconds = Seconds(t0);
    f.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    f.peakMb = double(u.ru_maxrss) / 1024.0;
    return f;
}

// A command in a child process: its time and peak memory.
inline RunFigures RunCommandFigures(const std::string& command)
{
    RunFigures f;
    const auto t0 = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    if (pid < 0) return f;
    int status = 0;
    rusage u{};
    if (wait4(pid, &status, 0, &u) != pid) return f;
    f.seconds = Seconds(t0);
    f.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    f.peakMb = double(u.ru_maxrss) / 1024.0;
    return f;
}

// Writes a fixture clip in a child process, so the generator's memory is not
// counted in the figures of later runs.
inline bool WriteClipInChild(const fs::path& file, const fixtures::ClipDesc& desc)
{
    const pid_t pid = fork();
    if (pid == 0) _exit(fixtures::WriteClip(file, desc).empty() ? 1 : 0);
    int status = 0;
    return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

inline mediaeng::job::CJobSource Source(const fs::path& file, double seconds)
{
    mediaeng::job::CJobSource s;
    s.path = Utf8ToWide(file.string());
    s.duration = seconds;
    return s;
}

// Ours and the reference, each run `runs` times in turn (so drift of the
// machine falls on both): median times, largest peaks; ok false with the
// first failure's side named in failed.
struct InTurnFigures {
    bool ok = false;
    const char* failed = "";
    double ours = 0, reference = 0;
    double oursPeakMb = 0, referencePeakMb = 0;
};

template <class Ours, class Reference>
InTurnFigures RunInTurn(int runs, Ours ours, Reference reference)
{
    InTurnFigures f;
    std::vector<double> o, r;
    for (int run = 0; run < runs; ++run) {
        const RunFigures a = ours(run);
        if (!a.ok) return f.failed = "ours", f;
        const RunFigures b = reference(run);
        if (!b.ok) return f.failed = "the reference", f;
        o.push_back(a.seconds);
        r.push_back(b.seconds);
        f.oursPeakMb = std::max(f.oursPeakMb, a.peakMb);
        f.referencePeakMb = std::max(f.referencePeakMb, b.peakMb);
    }
    f.ok = true;
    f.ours = Median(o);
    f.reference = Median(r);
    return f;
}

inline void PrintRow(const char* what, double ours, double reference)
{
    std::printf("%-34s ours %8.2f s   ffmpeg %8.2f s   ratio %.3f (%+.1f %%)\n", what, ours, reference,
                ours / reference, (ours / reference - 1.0) * 100.0);
}

}  // namespace bench
