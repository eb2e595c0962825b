#include "mediaeng/job/operations/StreamCopy.h"
#include "mediaeng/core/EngineTexts.h"
#include "mediaeng/dvd/DvdDisc.h"
#include "mediaeng/job/transcode/EncoderChoice.h"
#include "mediaeng/job/transcode/JobInput.h"
#include "mediaeng/job/transcode/OutputFile.h"
#include "mediaeng/job/transcode/SourceEnd.h"
#include "mediaeng/probe/StreamNumbering.h"
#include "platform/TextConv.h"
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

using mediaeng::EngineText;
using mediaeng::EngineTextUtf8;

namespace mediaeng::job {
namespace fs = std::filesystem;

namespace {

constexpr double kNoEnd = std::numeric_limits<double>::infinity();

std::wstring Seconds(double s)
{
    wchar_t buf[32];
    std::swprintf(buf, 32, L"%.2f", s);
    return buf;
}

bool SameParameters(const AVCodecParameters* a, const AVCodecParameters* b)
{
    if (a->codec_id != b->codec_id || a->width != b->width || a->height != b->height ||
        a->sample_rate != b->sample_rate || a->ch_layout.nb_channels != b->ch_layout.nb_channels ||
        a->extradata_size != b->extradata_size)
        return false;
    return a->extradata_size == 0 || !std::memcmp(a->extradata, b->extradata, size_t(a->extradata_size));
}

}  // namespace

// One output stream fed from the matching stream of each segment.
struct COutStream {
    int in = -1;                 // index in the current segment's input
    AVStream* out = nullptr;
    AVRational inTb{1, 1};
    int64_t lastDts = std::numeric_limits<int64_t>::min();
    double end = 0;              // furthest end written in this segment, seconds from the cut
    bool done = false;
};

struct CStreamCopy::Impl {
    Impl(CRunControl& c, CTranscodeResult& r) : control(c), result(r) {}
    CRunControl& control;
    CTranscodeResult& result;
    COutputFile out;
    COutStream video, audio;
    double offset = 0;           // output seconds before the current range
    av::PacketPtr pkt = av::MakePacket();
    std::wstring sourcePath;     // of the current segment
    double declaredEnd = 0;      // where the current segment says it ends (0: not known)
    bool warnedEarly = false;

    bool AddStreams(AVFormatContext* in)
    {
        for (COutStream* s : {&video, &audio}) {
            if (s->in < 0) continue;
            s->out = avformat_new_stream(out.Context(), nullptr);
            if (!s->out || avcodec_parameters_copy(s->out->codecpar, in->streams[s->in]->codecpar) < 0)
                return result.error = EngineTextUtf8(text::kOutOfMemory), false;
            // The tag is the container's business; the codec's own data is kept as it is.
            s->out->codecpar->codec_tag = 0;
            s->out->time_base = in->streams[s->in]->time_base;
        }
        return true;
    }

    bool CopyRange(CJobInput& in, const std::wstring& name, double start, double end, double origin, bool fresh)
    {
        AVFormatContext* ctx = in.get();
        COutStream& lead = video.in >= 0 ? video : audio;
        const AVStream* leadSt = ctx->streams[lead.in];
        const int64_t seekTs = int64_t(std::llround((start + origin) / av_q2d(leadSt->time_base)));
        // A fresh input read from its start needs no seek. A DVD title's clock
        // may start again in any cell, so it is read from its start and the
        // last keyframe before the start is found on the way.
        const bool rewound = in.IsDvdTitle() && (start > 0 || !fresh);
        if (rewound) {
            if (!in.Rewind()) return result.error = EngineTextUtf8(text::kCannotRewind, name), false;
        } else if ((start > 0 || !fresh) && av_seek_frame(ctx, lead.in, seekTs, AVSEEK_FLAG_BACKWARD) < 0 && start > 0) {
            return result.error = EngineTextUtf8(text::kCannotSeekTo, Seconds(start)), false;
        }
        in.ResetTimeline();
        for (COutStream* s : {&video, &audio}) {
            s->end = 0;
            s->done = s->in < 0;
        }
        CRange r{start, end, origin, -1, false};
        std::vector<std::pair<COutStream*, av::PacketPtr>> pending;  // from the last keyframe before the start
        double candidate = -1;
        double reached = 0;  // furthest end of any packet read, seconds of the source
        bool lastCorrupt = false;
        while (!(video.done && audio.done)) {
            if (!control.Checkpoint()) return false;
            const int rc = in.ReadPacket(pkt.get());
            const CPacketRead how = ClassifyRead(rc, lastCorrupt);
            if (how == CPacketRead::Failed)
                return result.error = EngineTextUtf8(text::kCannotReadSource, av::AvErrorText(rc)), false;
            if (how != CPacketRead::Packet) {
                NoteEnd(how, reached, declaredEnd > 0 ? std::min(end, declaredEnd) : end);
                break;
            }
            std::unique_ptr<AVPacket, void (*)(AVPacket*)> unref(pkt.get(), av_packet_unref);
            lastCorrupt = pkt->flags & AV_PKT_FLAG_CORRUPT;
            const int64_t ts = pkt->pts != AV_NOPTS_VALUE ? pkt->pts : pkt->dts;
            if (ts != AV_NOPTS_VALUE) {
                const AVRational tb = ctx->streams[pkt->stream_index]->time_base;
                reached = std::max(reached, double(ts + std::max<int64_t>(pkt->duration, 0)) * av_q2d(tb) - origin);
            }
            COutStream* s = pkt->stream_index == video.in ? &video : pkt->stream_index == audio.in ? &audio : nullptr;
            if (!s || s->done) continue;
            if (ts == AV_NOPTS_VALUE) continue;
            const double t = double(ts) * av_q2d(s->inTb) - origin;
            if (r.cut < 0 && rewound) {
                const bool key = s == &lead && (pkt->flags & AV_PKT_FLAG_KEY);
                if (key && t <= start + 1e-3) {
                    pending.clear();
                    candidate = t;
                }
                if (candidate < 0) continue;
                if (s != &lead || t <= start + 1e-3) {
                    av::PacketPtr copy = av::MakePacket();
                    if (!copy || av_packet_ref(copy.get(), pkt.get()) < 0)
                        return result.error = EngineTextUtf8(text::kOutOfMemory), false;
                    pending.emplace_back(s, std::move(copy));
                    continue;
                }
                // The first picture past the start: the copy begins at the keyframe before it.
                Begin(r, name, std::max(0.0, candidate));
                for (auto& [stream, held] : pending)
                    if (!Handle(*stream, held.get(), r)) return false;
                pending.clear();
            } else if (r.cut < 0) {
                // The copy starts at the lead stream's first keyframe after the seek.
                if (s != &lead || !(pkt->flags & AV_PKT_FLAG_KEY)) continue;
                Begin(r, name, std::max(0.0, t));
            }
            if (!Handle(*s, pkt.get(), r)) return false;
        }
        if (r.cut < 0 || !r.reached)
            return result.error = EngineTextUtf8(text::kNothingFrom, name, Seconds(start)), false;
        offset += std::max(video.end, audio.end);
        return true;
    }

    // A segment that breaks off converts what it holds, with a warning (once).
    void NoteEnd(CPacketRead how, double reached, double wanted)
    {
        const double at = EarlyEnd(how, reached, wanted);
        if (at < 0 || warnedEarly) return;
        warnedEarly = true;
        result.sourceWarnings.push_back({sourcePath, EndsEarlyText(at)});
    }

    struct CRange {
        double start, end, origin;
        double cut;    // seconds of the source where the copy begins
        bool reached;  // something at or after the start was seen
    };

    void Begin(CRange& r, const std::wstring& name, double cut)
    {
        r.cut = cut;
        if (cut < r.start - 0.001)
            result.warnings.push_back(EngineText(text::kCopyFromKeyframe, name, Seconds(cut), Seconds(r.start)));
    }

    // Copies one packet of a range whose cut is known; false on a write failure.
    bool Handle(COutStream& s, AVPacket* p, CRange& r)
    {
        const int64_t ts = p->pts != AV_NOPTS_VALUE ? p->pts : p->dts;
        const double t = double(ts) * av_q2d(s.inTb) - r.origin;
        r.reached |= t >= r.start - 1e-3;
        const int64_t dts = p->dts != AV_NOPTS_VALUE ? p->dts : ts;
        if (&s == &video ? double(dts) * av_q2d(s.inTb) - r.origin >= r.end : t >= r.end) {
            s.done = true;
            return true;
        }
        if (t < r.cut - 1e-3) return true;  // shown before the cut: sound, or pictures coded after the keyframe
        return Write(s, p, r.cut, r.origin);
    }

    bool Write(COutStream& s, AVPacket* p, double cut, double origin)
    {
        const int64_t shift = int64_t(std::llround((cut + origin - offset) / av_q2d(s.inTb)));
        if (p->pts != AV_NOPTS_VALUE) p->pts -= shift;
        if (p->dts != AV_NOPTS_VALUE) p->dts -= shift;
        if (p->dts != AV_NOPTS_VALUE && s.lastDts != std::numeric_limits<int64_t>::min() && p->dts <= s.lastDts) {
            p->dts = s.lastDts + 1;  // a seam between ranges must never step back
            if (p->pts != AV_NOPTS_VALUE && p->pts < p->dts) p->pts = p->dts;
        }
        if (p->dts != AV_NOPTS_VALUE) s.lastDts = p->dts;
        const int64_t ts = p->pts != AV_NOPTS_VALUE ? p->pts : p->dts;
        s.end = std::max(s.end, double(ts + std::max<int64_t>(p->duration, 0)) * av_q2d(s.inTb) - offset);
        p->stream_index = s.out->index;
        p->pos = -1;
        return out.WritePacket(p, s.out, s.inTb);
    }
};

void CStreamCopy::ContainerOf(const std::wstring& sourcePath, std::string& muxer, std::wstring& extension)
{
    const std::string path = WideToUtf8(sourcePath);
    std::string disc;
    int title = 0;
    if (mediaeng::ParseDvdTitlePath(path, &disc, &title)) {
        muxer = "dvd";
        extension = L"vob";
        return;
    }
    const fs::path p(path);
    extension = Utf8ToWide(p.extension().string());
    if (!extension.empty()) extension.erase(0, 1);
    const AVOutputFormat* f = av_guess_format(nullptr, p.filename().c_str(), nullptr);
    muxer = f ? f->name : "";
}

CTranscodeResult CStreamCopy::Run(const std::vector<CJobSource>& segments, const fs::path& finalPath,
                                  const std::function<void(double)>& progress)
{
    CTranscodeResult result;
    if (segments.empty()) return result.error = EngineTextUtf8(text::kNothingToCopy), result;
    std::string muxer;
    std::wstring ext;
    ContainerOf(segments.front().path, muxer, ext);
    if (muxer.empty()) return result.error = EngineTextUtf8(text::kNoCopyContainer), result;
    Impl impl(m_control, result);
    if (!impl.out.Create(finalPath, muxer, result.error)) return result;
    AVCodecParameters* firstVideo = nullptr;
    AVCodecParameters* firstAudio = nullptr;
    std::vector<AVCodecParameters*> owned;
    struct ParamsFree {
        std::vector<AVCodecParameters*>& v;
        ~ParamsFree()
        {
            for (AVCodecParameters* p : v) avcodec_parameters_free(&p);
        }
    } freeParams{owned};

    for (size_t i = 0; i < segments.size(); ++i) {
        const CJobSource& seg = segments[i];
        CJobInput in;
        if (!in.Open(WideToUtf8(seg.path), result.error)) return result;
        int rc = avformat_find_stream_info(in.get(), nullptr);
        if (rc < 0) return result.error = EngineTextUtf8(text::kNoStreamInfo, av::AvErrorText(rc)), result;
        impl.video.in = mediaeng::NthStream(in.get(), AVMEDIA_TYPE_VIDEO, seg.videoStream);
        impl.audio.in = mediaeng::NthStream(in.get(), AVMEDIA_TYPE_AUDIO, seg.audioStream);
        if (impl.video.in < 0 && impl.audio.in < 0) return result.error = EngineTextUtf8(text::kNoStreamToCopy), result;
        for (COutStream* s : {&impl.video, &impl.audio})
            if (s->in >= 0) s->inTb = in->streams[s->in]->time_base;
        if (i == 0) {
            if (!impl.AddStreams(in.get())) return result;
            if (!impl.out.Begin(result.error)) return result;
            for (auto [s, first] : {std::pair{&impl.video, &firstVideo}, std::pair{&impl.audio, &firstAudio}})
                if (s->in >= 0) {
                    *first = avcodec_parameters_alloc();
                    if (!*first) return result.error = EngineTextUtf8(text::kOutOfMemory), result;
                    owned.push_back(*first);
                    avcodec_parameters_copy(*first, in->streams[s->in]->codecpar);
                }
        } else {
            // A later source must match the first, stream for stream.
            const bool alike = (impl.video.in >= 0) == bool(firstVideo) && (impl.audio.in >= 0) == bool(firstAudio) &&
                               (!firstVideo || SameParameters(firstVideo, in->streams[impl.video.in]->codecpar)) &&
                               (!firstAudio || SameParameters(firstAudio, in->streams[impl.audio.in]->codecpar));
            if (!alike) {
                result.error = EngineTextUtf8(text::kStreamsDiffer, seg.path);
                return result;
            }
        }
        const COutStream& lead = impl.video.in >= 0 ? impl.video : impl.audio;
        const AVStream* leadSt = in->streams[lead.in];
        double origin = 0;
        if (leadSt->start_time != AV_NOPTS_VALUE) origin = double(leadSt->start_time) * av_q2d(leadSt->time_base);
        const std::wstring name = fs::path(seg.path).filename().wstring();
        impl.sourcePath = seg.path;
        impl.warnedEarly = false;
        impl.declaredEnd = in.IsDvdTitle() ? 0 : DeclaredEnd(in.get());
        if (seg.ranges.empty()) {
            if (!impl.CopyRange(in, name, 0, kNoEnd, origin, true)) break;
        } else {
            bool ok = true;
            bool fresh = true;
            for (const CTrimRange& r : seg.ranges) {
                if (r.end <= r.start) continue;
                if (!(ok = impl.CopyRange(in, name, double(r.start) / 1e7, double(r.end) / 1e7, origin, fresh))) break;
                fresh = false;
            }
            if (!ok) break;
        }
        if (progress) progress(double(i + 1) / double(segments.size()));
    }
    if (m_control.IsStopped()) {
        result.stopped = true;
        return result;
    }
    if (!result.error.empty()) return result;
    if (!impl.out.WriteError().empty()) return result.error = impl.out.WriteError(), result;
    result.ok = impl.out.Commit(result.error);
    return result;
}

}  // namespace mediaeng::job
