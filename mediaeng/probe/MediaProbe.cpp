#include "mediaeng/probe/MediaProbe.h"
#include <cstring>
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/intreadwrite.h>
}

namespace mediaeng {

namespace {

double Seconds(int64_t ts, AVRational tb) { return ts == AV_NOPTS_VALUE ? 0.0 : ts * av_q2d(tb); }

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
    f.displayAspect = f.height > 0 ? f.width * pixel / f.height : 0.0;
    AVRational rate = st->avg_frame_rate.num ? st->avg_frame_rate : st->r_frame_rate;
    f.frameRate = rate.num > 0 && rate.den > 0 ? av_q2d(rate) : 0.0;
    f.bitrate = par->bit_rate;
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
    f.bitrate = par->bit_rate;
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
    out.bitrate = ctx->bit_rate > 0 ? ctx->bit_rate : 0;
    for (unsigned i = 0; i < ctx->nb_streams; ++i) {
        const AVStream* st = ctx->streams[i];
        const AVCodecParameters* par = st->codecpar;
        if (par->codec_id == AV_CODEC_ID_NONE) continue;
        if (par->codec_type == AVMEDIA_TYPE_VIDEO && par->width > 0 && par->height > 0 &&
            !(st->disposition & AV_DISPOSITION_ATTACHED_PIC))
            out.video.push_back(VideoFacts(st));
        else if (par->codec_type == AVMEDIA_TYPE_AUDIO && par->sample_rate > 0)
            out.audio.push_back(AudioFacts(st));
    }
    out.still = out.video.size() == 1 && out.audio.empty() && (IsStillFormat(ctx) || SingleFrameAnimation(ctx));
    if (!out.still) {
        double d = ctx->duration != AV_NOPTS_VALUE ? ctx->duration / double(AV_TIME_BASE) : 0.0;
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
    if (size <= 0 || avio_seek(ctx->pb, 0, SEEK_SET) < 0) return false;
    uint8_t head[8];
    if (avio_read(ctx->pb, head, 8) != 8 || std::memcmp(head, "RIFF", 4) != 0) return false;
    const uint32_t declared = AV_RL32(head + 4);
    if (declared == 0 || declared == 0xFFFFFFFFu) return false;  // written by a stream: size unknown
    return int64_t{declared} + 8 > size;
}

}  // namespace

bool LooksTruncated(AVFormatContext* ctx, const ProbeResult& facts)
{
    if (RiffCutOff(ctx)) return true;
    if (facts.still || facts.duration < 0.5) return false;
    const int64_t target = static_cast<int64_t>(facts.duration * 0.8 * AV_TIME_BASE);
    if (av_seek_frame(ctx, -1, target, AVSEEK_FLAG_BACKWARD) < 0) return false;  // can't tell: trust it
    AVPacket* pkt = av_packet_alloc();
    if (!pkt) return false;
    double last = 0;
    bool any = false;
    for (int n = 0; n < 400 && av_read_frame(ctx, pkt) >= 0; ++n) {
        const AVStream* st = ctx->streams[pkt->stream_index];
        int64_t ts = pkt->pts != AV_NOPTS_VALUE ? pkt->pts : pkt->dts;
        if (ts != AV_NOPTS_VALUE) {
            double start = st->start_time != AV_NOPTS_VALUE ? Seconds(st->start_time, st->time_base) : 0.0;
            last = std::max(last, Seconds(ts + pkt->duration, st->time_base) - start);
            any = true;
        }
        av_packet_unref(pkt);
    }
    av_packet_free(&pkt);
    return !any || last < facts.duration * 0.75;
}

}  // namespace mediaeng
