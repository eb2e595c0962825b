// Stream-copy trim ("Same as source") of a clip of a camera's bitrate,
// 1920x1080 H.264 at 8 Mb/s with AAC, beside a bare libavformat remux of the
// same range in the same process: the same streams from the keyframe before
// the start to the end, into the same container. `ffmpeg -c copy` is printed
// as an aside: its figure holds a process start.
//
// Usage: stream_copy [seconds of the clip, default 60]
#include "BenchReport.h"
#include "fixtures/MediaFixtures.h"
#include "mediaeng/av/AvHandles.h"
#include "mediaeng/job/operations/StreamCopy.h"
#include "platform/TextConv.h"
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <string>

namespace fs = std::filesystem;
namespace av = mediaeng::av;
using namespace bench;

namespace {

double Seconds(Clock::time_point since)
{
    return Ms(Clock::now() - since) / 1000.0;
}

// One input stream and the output stream it feeds.
struct Copied {
    int in = -1;
    AVStream* out = nullptr;
    bool done = true;
};

// The input's first video and audio streams, copied as they are.
bool AddStreams(AVFormatContext* in, AVFormatContext* out, Copied& video, Copied& audio)
{
    video.in = av_find_best_stream(in, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    audio.in = av_find_best_stream(in, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (video.in < 0) return false;
    for (Copied* c : {&video, &audio}) {
        if (c->in < 0) continue;
        c->out = avformat_new_stream(out, nullptr);
        if (!c->out || avcodec_parameters_copy(c->out->codecpar, in->streams[c->in]->codecpar) < 0) return false;
        c->out->codecpar->codec_tag = 0;
        c->out->time_base = in->streams[c->in]->time_base;
        c->done = false;
    }
    return true;
}

// Copies the range's packets from the first video keyframe at or after the
// seek; each stream stops at the range's end (video by decode time).
bool CopyPackets(AVFormatContext* in, AVFormatContext* out, Copied& video, Copied& audio, double end)
{
    av::PacketPtr pkt = av::MakePacket();
    double cut = -1;
    while (!(video.done && audio.done) && av_read_frame(in, pkt.get()) >= 0) {
        std::unique_ptr<AVPacket, void (*)(AVPacket*)> unref(pkt.get(), av_packet_unref);
        Copied* c = pkt->stream_index == video.in ? &video : pkt->stream_index == audio.in ? &audio : nullptr;
        const int64_t ts = pkt->pts != AV_NOPTS_VALUE ? pkt->pts : pkt->dts;
        if (!c || c->done || ts == AV_NOPTS_VALUE) continue;
        const AVRational tb = in->streams[c->in]->time_base;
        const double t = double(ts) * av_q2d(tb);
        if (cut < 0) {
            if (c != &video || !(pkt->flags & AV_PKT_FLAG_KEY)) continue;
            cut = t;
        }
        const int64_t dts = pkt->dts != AV_NOPTS_VALUE ? pkt->dts : ts;
        if ((c == &video ? double(dts) * av_q2d(tb) : t) >= end) {
            c->done = true;
            continue;
        }
        if (t < cut - 1e-3) continue;
        const int64_t shift = std::llround(cut / av_q2d(tb));
        if (pkt->pts != AV_NOPTS_VALUE) pkt->pts -= shift;
        if (pkt->dts != AV_NOPTS_VALUE) pkt->dts -= shift;
        av_packet_rescale_ts(pkt.get(), tb, c->out->time_base);
        pkt->stream_index = c->out->index;
        pkt->pos = -1;
        if (av_interleaved_write_frame(out, pkt.get()) < 0) return false;
    }
    return cut >= 0;
}

// The floor: libavformat alone trimming [start, end) seconds of in into out.
bool RemuxBare(const fs::path& in, const fs::path& out, double start, double end)
{
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, in.c_str(), nullptr, nullptr) < 0) return false;
    av::InputPtr input(raw);
    if (avformat_find_stream_info(input.get(), nullptr) < 0) return false;
    raw = nullptr;
    if (avformat_alloc_output_context2(&raw, nullptr, nullptr, out.c_str()) < 0) return false;
    av::OutputPtr output(raw);
    Copied video, audio;
    if (!AddStreams(input.get(), output.get(), video, audio)) return false;
    if (avio_open(&output->pb, out.c_str(), AVIO_FLAG_WRITE) < 0) return false;
    if (avformat_write_header(output.get(), nullptr) < 0) return false;
    const AVRational tb = input->streams[video.in]->time_base;
    if (av_seek_frame(input.get(), video.in, std::llround(start / av_q2d(tb)), AVSEEK_FLAG_BACKWARD) < 0) return false;
    return CopyPackets(input.get(), output.get(), video, audio, end) && av_write_trailer(output.get()) >= 0;
}

bool RemuxOurs(const fs::path& in, const fs::path& out, double start, double end, std::string* error)
{
    mediaeng::job::CRunControl control;
    mediaeng::job::CJobSource source;
    source.path = Utf8ToWide(in.string());
    source.ranges = {{std::llround(start * 1e7), std::llround(end * 1e7)}};
    const mediaeng::job::CTranscodeResult r = mediaeng::job::CStreamCopy(control).Run({source}, out);
    *error = r.error;
    return r.ok;
}

// A copy that kept less than the range (it may keep more: from a keyframe).
bool KeptRange(const fs::path& file, double range)
{
    const fixtures::MediaInfo info = fixtures::ReadMedia(file, false);
    std::printf("  %-30s %.2f s kept, %.1f MB\n", file.filename().c_str(), info.duration,
                double(fs::file_size(file)) / 1e6);
    return info.ok && info.duration >= range - 0.1;
}

}  // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::max(4.0, std::atof(argv[1])) : 60.0;
    constexpr int kRounds = 7;
    av_log_set_level(AV_LOG_ERROR);
    const fs::path dir = fs::temp_directory_path() / ("km-bench-stream-copy-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path clip = dir / "camera.mp4";
    fixtures::ClipDesc desc;
    desc.width = 1920;
    desc.height = 1080;
    desc.seconds = seconds;
    desc.gopSize = 50;
    desc.noise = 30;  // grain the encoder must spend its bits on
    desc.videoKbps = 8000;
    std::string error;
    std::printf("writing a %.0f s 1920x1080 H.264 clip at 8 Mb/s...\n", seconds);
    if (fixtures::WriteClip(clip, desc, &error).empty()) return Failed("cannot write the clip: %s", error.c_str());
    std::printf("  %.1f MB, %.1f Mb/s\n", double(fs::file_size(clip)) / 1e6, double(fs::file_size(clip)) * 8e-6 / seconds);
    const double start = seconds * 0.25, end = seconds * 0.75;

    const fs::path ours = dir / "ours.mp4", bare = dir / "bare.mp4";
    std::vector<double> oursTimes, bareTimes;
    std::error_code ec;
    for (int r = 0; r < kRounds; ++r) {
        for (int turn = 0; turn < 2; ++turn) {
            const bool oursNow = (turn == 0) == (r % 2 == 0);
            fs::remove(oursNow ? ours : bare, ec);  // neither run pays for dropping the last copy
            const auto t0 = Clock::now();
            const bool ok = oursNow ? RemuxOurs(clip, ours, start, end, &error) : RemuxBare(clip, bare, start, end);
            if (!ok) return Failed(oursNow ? "our stream copy failed: %s" : "the libavformat remux failed%s",
                                   oursNow ? error.c_str() : "");
            (oursNow ? oursTimes : bareTimes).push_back(Seconds(t0));
        }
    }
    std::printf("stream-copy trim of %.0f s out of %.0f s, median of %d rounds:\n", end - start, seconds, kRounds);
    PrintComparison("seconds", "s", Median(oursTimes), "libavformat remux", Median(bareTimes));
    const bool kept = KeptRange(ours, end - start) && KeptRange(bare, end - start);

    if (kept && std::system("command -v ffmpeg >/dev/null 2>&1") == 0) {
        const fs::path theirs = dir / "ffmpeg.mp4";
        const std::string cmd = "ffmpeg -v error -nostdin -y -ss " + std::to_string(start) + " -to " +
                                std::to_string(end) + " -i '" + clip.string() + "' -c copy '" + theirs.string() + "'";
        const auto t0 = Clock::now();
        if (std::system(cmd.c_str()) == 0)
            std::printf("  aside: ffmpeg -c copy, a process of its own: %.3f s\n", Seconds(t0));
    }
    fs::remove_all(dir, ec);
    return kept ? 0 : Failed("a copy kept less than the range");
}
