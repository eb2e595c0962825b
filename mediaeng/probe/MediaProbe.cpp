#include "mediaeng/probe/MediaProbe.h"
#include "mediaeng/frame/DisplayTurn.h"
#include "mediaeng/probe/StreamNumbering.h"
#include <algorithm>
#include <cmath>
#include <cstring>
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/intreadwrite.h>
}

namespace mediaeng {

namespace {

// Header facts beyond these are damage, not media: they are taken as unknown,
// so no later conversion to an integer can wrap.
constexpr double kMaxSeconds = 1e6;  // about 11 days
constexpr double kMaxPixelAspect = 100.0;
constexpr double kMaxFrameRate = 1000.0;
constexpr int64_t kMaxBitrate = 100'000'000'000;  // 100 Gbit/s

bool Plausible(double seconds) { return std::isfinite(seconds) && seconds >= 0 && seconds <= kMaxSeconds; }

// A header's time in seconds; 0 when unknown or beyond belief.
double Seconds(int64_t ts, AVRational tb)
{
    if (ts == AV_NOPTS_VALUE || tb.num <= 0 || tb.den <= 0) return 0.0;
    const double s = double(ts) * av_q2d(tb);
    return Plausible(s) ? s : 0.0;
}

int64_t Bitrate(int64_t bitsPerSecond) { return bitsPerSecond > 0 && bitsPerSecond <= kMaxBitrate ? bitsPerSecond : 0; }

bool IsStillFormat(const AVFormatContext* ctx)
{
    const char* name = ctx->iformat ? ctx->iformat->name : "";
    return std::strcmp(name, "image2") == 0 || std::strstr(name, "_pipe") != nullptr;
}

std::string Language(const AVStream* st)
{
    const AVDictionaryEntry* e = av_dict_get(st->metadata, "language", nullptr, 0);
    // "und" is the containers' way of saying none.
    return e && e->value && std::strcmp(e->value, "und") != 0 ? e->value : "";
}

StreamFacts VideoFacts(const AVStream* st)
{
    StreamFacts f;
    const AVCodecParameters* par = st->codecpar;
    f.index = st->index;
    f.codec = avcodec_get_name(par->codec_id);
    f.width = par->width;
    f.height = par->height;
    AVRational sar = st->sample_aspect_ratio.num ? st->sample_aspect_ratio : par->sample_aspect_ratio;
    double pixel = sar.num > 0 && sar.den > 0 ? av_q2d(sar) : 1.0;
    if (pixel < 1 / kMaxPixelAspect || pixel > kMaxPixelAspect) pixel = 1.0;  // a damaged ratio: square pixels
    f.displayAspect = f.height > 0 ? f.width * pixel / f.height : 0.0;
    // Players show a turned stream upright: so is its size here.
    const int turn = UprightTurn(st);
    if (turn == 90 || turn == 270) {
        std::swap(f.width, f.height);
        f.displayAspect = f.displayAspect > 0 ? 1.0 / f.displayAspect : 0.0;
    }
    AVRational rate = st->avg_frame_rate.num ? st->avg_frame_rate : st->r_frame_rate;
    f.frameRate = rate.num > 0 && rate.den > 0 ? av_q2d(rate) : 0.0;
    if (!(f.frameRate <= kMaxFrameRate)) f.frameRate = 0.0;
    f.bitrate = Bitrate(par->bit_rate);
    f.duration = Seconds(st->duration, st->time_base);
    f.language = Language(st);
    return f;
}

StreamFacts AudioFacts(const AVStream* st)
{
    StreamFacts f;
    const AVCodecParameters* par = st->codecpar;
    f.index = st->index;
    f.codec = avcodec_get_name(par->codec_id);
    f.channels = par->ch_layout.nb_channels;
    f.sampleRate = par->sample_rate;
    f.bitrate = Bitrate(par->bit_rate);
    f.duration = Seconds(st->duration, st->time_base);
    f.language = Language(st);
    return f;
}

// A GIF (or other animation format) with one frame only is a picture.
bool SingleFrameAnimation(AVFormatContext* ctx)
{
    const char* name = ctx->iformat ? ctx->iformat->name : "";
    if (std::strcmp(name, "gif") != 0 && std::strcmp(name, "apng") != 0 && std::strcmp(name, "webp") != 0) return false;
    AVPacket* pkt = av_packet_alloc();
    if (!pkt) return false;
    int frames = 0;
    while (frames < 2 && av_read_frame(ctx, pkt) >= 0) {
        frames += ctx->streams[pkt->stream_index]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO;
        av_packet_unref(pkt);
    }
    av_packet_free(&pkt);
    return frames == 1;
}

}  // namespace

bool ProbeStreams(AVFormatContext* ctx, ProbeResult& out)
{
    out = ProbeResult();
    out.format = ctx->iformat ? ctx->iformat->name : "";
    out.bitrate = Bitrate(ctx->bit_rate);
    for (unsigned i = 0; i < ctx->nb_streams; ++i) {
        const AVStream* st = ctx->streams[i];
        if (CountsAsStream(st, AVMEDIA_TYPE_VIDEO))
            out.video.push_back(VideoFacts(st));
        else if (CountsAsStream(st, AVMEDIA_TYPE_AUDIO))
            out.audio.push_back(AudioFacts(st));
    }
    out.still = out.video.size() == 1 && out.audio.empty() && (IsStillFormat(ctx) || SingleFrameAnimation(ctx));
    if (!out.still) {
        double d = Seconds(ctx->duration, AV_TIME_BASE_Q);
        for (const auto* list : {&out.video, &out.audio})
            for (const StreamFacts& s : *list) d = std::max(d, s.duration);
        out.duration = d;
    }
    return !out.video.empty() || !out.audio.empty();
}

namespace {

// A RIFF file (AVI, WAV) names its own size; a cut-off one is shorter.
bool RiffCutOff(AVFormatContext* ctx)
{
    const char* name = ctx->iformat ? ctx->iformat->name : "";
    if (!ctx->pb || (std::strcmp(name, "avi") != 0 && std::strcmp(name, "wav") != 0)) return false;
    const int64_t size = avio_size(ctx->pb);
    const int64_t at = avio_tell(ctx->pb);
    if (size <= 0 || avio_seek(ctx->pb, 0, SEEK_SET) < 0) return false;
    uint8_t head[8];
    const bool read = avio_read(ctx->pb, head, 8) == 8;
    // The demuxer reads on from where it stood, should the packets be read next.
    avio_seek(ctx->pb, at, SEEK_SET);
    if (!read || std::memcmp(head, "RIFF", 4) != 0) return false;
    const uint32_t declared = AV_RL32(head + 4);
    if (declared == 0 || declared == 0xFFFFFFFFu) return false;  // written by a stream: size unknown
    return int64_t{declared} + 8 > size;
}

// What a file's own index says of its end.
enum class EIndex { None, PastEnd, Whole };

// An index entry that points past the end of the file shows a cut-off file
// (an MP4 whose table comes first, an AVI, an FLV with keyframe table). An
// index inside the file that reaches the claimed end shows a whole one.
EIndex IndexVerdict(AVFormatContext* ctx, int64_t size, double duration)
{
    bool any = false;
    double reach = 0;
    for (unsigned i = 0; i < ctx->nb_streams; ++i) {
        AVStream* st = ctx->streams[i];
        const AVMediaType type = st->codecpar->codec_type;
        if (type != AVMEDIA_TYPE_VIDEO && type != AVMEDIA_TYPE_AUDIO) continue;
        const int count = avformat_index_get_entries_count(st);
        const double start = Seconds(st->start_time, st->time_base);
        for (int n = 0; n < count; ++n) {
            const AVIndexEntry* e = avformat_index_get_entry(st, n);
            if (!e) continue;
            if (e->pos + int64_t{e->size} > size) return EIndex::PastEnd;
            any = true;
            if (e->timestamp != AV_NOPTS_VALUE) reach = std::max(reach, double(e->timestamp) * av_q2d(st->time_base) - start);
        }
    }
    return any && reach >= duration - std::max(1.0, duration * 0.05) ? EIndex::Whole : EIndex::None;
}

// Whether less than a second of the file is left unread after the analysis.
// A seek to a second before the end reads at least that much, so reading on
// costs no more, and its packets include every one the seek would show.
bool RestIsShort(AVFormatContext* ctx, int64_t size, double duration)
{
    const int64_t rest = size - avio_tell(ctx->pb);
    return rest <= 0 || double(rest) * duration <= double(size);
}

// How far packets must reach in a whole file: containers and their streams
// disagree a little about the end; a cut leaves much more missing.
double NeededEnd(double duration)
{
    return duration - std::min(duration * 0.25, std::max(1.0, duration * 0.05));
}

// Seeks to the last keyframe a second before needed: starting there, a whole
// file always has packets past it (a seek to the very end lands after the
// last packet of a PCM file). False when the demuxer cannot seek.
bool SeekBefore(AVFormatContext* ctx, double needed)
{
    const int64_t base = ctx->start_time != AV_NOPTS_VALUE ? ctx->start_time : 0;
    const int64_t from = base + static_cast<int64_t>(std::max(0.0, needed - 1.0) * AV_TIME_BASE);
    return av_seek_frame(ctx, -1, from, AVSEEK_FLAG_BACKWARD) >= 0;
}

// Reads on to the end of the file (however many packets that is: keyframes
// may lie 20 s apart) and says whether the packets stop short of needed.
bool PacketsEndBefore(AVFormatContext* ctx, double needed)
{
    AVPacket* pkt = av_packet_alloc();
    if (!pkt) return false;
    double last = 0;
    while (last < needed && av_read_frame(ctx, pkt) >= 0) {  // stops at the end or a read error
        const AVStream* st = ctx->streams[pkt->stream_index];
        const int64_t ts = pkt->pts != AV_NOPTS_VALUE ? pkt->pts : pkt->dts;
        if (ts != AV_NOPTS_VALUE) {
            const double start = st->start_time != AV_NOPTS_VALUE ? double(st->start_time) * av_q2d(st->time_base) : 0.0;
            last = std::max(last, double(ts + pkt->duration) * av_q2d(st->time_base) - start);
        }
        av_packet_unref(pkt);
    }
    av_packet_free(&pkt);
    return last < needed;
}

}  // namespace

bool LooksTruncated(AVFormatContext* ctx, const ProbeResult& facts)
{
    if (RiffCutOff(ctx)) return true;
    if (facts.still || facts.duration < 0.5 || !ctx->pb) return false;
    // A duration the demuxer worked out from the file's own size or last
    // packets shrinks with the file: only one the headers state can show a cut.
    if (ctx->duration_estimation_method != AVFMT_DURATION_FROM_STREAM) return false;
    const int64_t size = avio_size(ctx->pb);
    if (size <= 0) return false;  // a pipe or stream: nothing to compare with
    EIndex index = IndexVerdict(ctx, size, facts.duration);
    const double needed = NeededEnd(facts.duration);
    if (index == EIndex::None && !RestIsShort(ctx, size, facts.duration)) {
        if (!SeekBefore(ctx, needed)) return false;  // can't tell: trust it
        // The seek makes some demuxers load the index kept at the end of the
        // file (Matroska's cues); the packets are read when it says nothing.
        index = IndexVerdict(ctx, size, facts.duration);
    }
    switch (index) {
    case EIndex::PastEnd: return true;
    case EIndex::Whole: return false;
    case EIndex::None: break;
    }
    return PacketsEndBefore(ctx, needed);
}

}  // namespace mediaeng
