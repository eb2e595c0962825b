#include "mediaeng/job/transcode/SourceReader.h"
#include "mediaeng/core/EngineTexts.h"
#include "mediaeng/frame/DisplayTurn.h"
#include "mediaeng/probe/StreamNumbering.h"
#include "platform/TextConv.h"
extern "C" {
#include <libavutil/samplefmt.h>
}
#include <algorithm>
#include <cmath>
#include <limits>

using mediaeng::EngineText;
using mediaeng::EngineTextUtf8;

namespace mediaeng::job {

namespace {
constexpr double kInfinity = std::numeric_limits<double>::infinity();
// Reading goes on this far past a range's end before giving up on a stream
// that has nothing more in the range (a short audio track, a gap).
constexpr double kReadPastEnd = 3.0;
// Audio timestamps closer than this to the expected sample count as joined.
constexpr double kAudioJitter = 0.005;
}  // namespace

struct CSourceReader::RangeState {
    double start = 0, end = kInfinity;  // source seconds
    double outOffset = 0;
    bool videoDone = true, audioDone = true;
    double videoEnd = 0;                // end of the last picture taken, source seconds
    int64_t audioCursor = 0;            // next sample wanted, source sample position
    int64_t audioEnd = std::numeric_limits<int64_t>::max();
    int64_t audioStart = 0;
    double maxPacketTime = -kInfinity;
    double reached = 0;                 // furthest end of any packet read, source seconds
    bool lastCorrupt = false;           // the last packet read was cut short
};

double CSourceReader::Seconds(int64_t ts, AVRational tb) const
{
    return double(ts) * av_q2d(tb) - m_origin;
}

bool CSourceReader::OpenDecoder(AVMediaType type, int nth, Stream& s, std::string& error)
{
    const int index = mediaeng::NthStream(m_input.get(), type, nth);
    if (index >= 0) {
        AVStream* st = m_input->streams[index];
        const AVCodec* codec = avcodec_find_decoder(st->codecpar->codec_id);
        if (!codec) {
            error = EngineTextUtf8(text::kNoDecoderFor, avcodec_get_name(st->codecpar->codec_id));
            return false;
        }
        s.ctx.reset(avcodec_alloc_context3(codec));
        if (!s.ctx || avcodec_parameters_to_context(s.ctx.get(), st->codecpar) < 0)
            return error = EngineTextUtf8(text::kDecoderNotSetUp), false;
        s.ctx->thread_count = 0;
        s.ctx->pkt_timebase = st->time_base;
        const int rc = avcodec_open2(s.ctx.get(), codec, nullptr);
        if (rc < 0) {
            error = EngineTextUtf8(text::kCannotOpenDecoderOf, avcodec_get_name(st->codecpar->codec_id),
                                   av::AvErrorText(rc));
            return false;
        }
        s.index = index;
        s.st = st;
        return true;
    }
    return true;  // no such stream: not an error, the stream is left out
}

bool CSourceReader::Open(const std::filesystem::path& file, const CJobSource& source, bool wantVideo,
                         bool wantAudio, std::string& error)
{
    m_source = source;
    if (!m_input.Open(file.string(), error)) return false;
    int rc = avformat_find_stream_info(m_input.get(), nullptr);
    if (rc < 0) {
        error = EngineTextUtf8(text::kNoStreamInfo, av::AvErrorText(rc));
        return false;
    }
    if (m_input->start_time != AV_NOPTS_VALUE) m_origin = double(m_input->start_time) / AV_TIME_BASE;
    if (m_input->duration > 0) m_fileDuration = double(m_input->duration) / AV_TIME_BASE;
    if (m_input.TitleDuration() > 0) m_fileDuration = m_input.TitleDuration();

    if (wantVideo && source.videoStream >= 0 && !OpenDecoder(AVMEDIA_TYPE_VIDEO, source.videoStream, m_video, error))
        return false;
    if (wantAudio && source.audioStream >= 0 && !OpenDecoder(AVMEDIA_TYPE_AUDIO, source.audioStream, m_audio, error))
        return false;
    if (!HasVideo() && !HasAudio()) {
        error = EngineTextUtf8(text::kNoUsableStream);
        return false;
    }
    // Time 0 is where the picture starts; audio before it is codec pre-roll.
    const Stream& lead = HasVideo() ? m_video : m_audio;
    if (lead.st->start_time != AV_NOPTS_VALUE) m_origin = double(lead.st->start_time) * av_q2d(lead.st->time_base);
    if (HasVideo()) {
        AVRational fr = av_guess_frame_rate(m_input.get(), m_video.st, nullptr);
        if (fr.num > 0 && fr.den > 0 && av_q2d(fr) <= 240) m_frameRate = fr;
        m_sar = av_guess_sample_aspect_ratio(m_input.get(), m_video.st, nullptr);
        m_turn = mediaeng::UprightTurn(m_video.st);
        if ((m_turn == 90 || m_turn == 270) && m_sar.num > 0 && m_sar.den > 0) m_sar = AVRational{m_sar.den, m_sar.num};
        if (m_video.ctx->width <= 0 || m_video.ctx->height <= 0) {
            error = EngineTextUtf8(text::kNoPictureSize);
            return false;
        }
    }
    if (HasAudio() && (m_audio.ctx->sample_rate <= 0 || m_audio.ctx->ch_layout.nb_channels <= 0)) {
        error = EngineTextUtf8(text::kNoSampleRate);
        return false;
    }
    return true;
}

int CSourceReader::VideoWidth() const
{
    return m_turn == 90 || m_turn == 270 ? m_video.ctx->height : m_video.ctx->width;
}

int CSourceReader::VideoHeight() const
{
    return m_turn == 90 || m_turn == 270 ? m_video.ctx->width : m_video.ctx->height;
}

av::FramePtr CSourceReader::Upright(const AVFrame* f) const
{
    return av::FramePtr(mediaeng::TurnFrame(f, m_turn));
}

double CSourceReader::OutputDuration() const
{
    if (m_source.virtualVideo && HasVideo()) return m_source.virtualDuration;
    if (m_source.ranges.empty()) return m_fileDuration;
    double total = 0;
    for (const CTrimRange& r : m_source.ranges) {
        double s = double(r.start) / 1e7, e = double(r.end) / 1e7;
        if (m_fileDuration > 0) e = std::min(e, m_fileDuration);
        if (e > s) total += e - s;
    }
    return total;
}

CReadStep CSourceReader::Run(IReaderSink& sink, std::string& error)
{
    m_endsEarlyAt = -1;
    if (m_source.virtualVideo && HasVideo()) return RunStill(sink, error);
    double outOffset = 0;
    if (m_source.ranges.empty()) return RunRange(sink, 0, kInfinity, outOffset, true, error);
    bool first = true;
    for (const CTrimRange& r : m_source.ranges) {
        const double s = std::max(0.0, double(r.start) / 1e7), e = double(r.end) / 1e7;
        if (!(e > s)) continue;  // an empty or reversed range keeps nothing
        const CReadStep step = RunRange(sink, s, e, outOffset, first, error);
        if (step != CReadStep::GoOn) return step;
        first = false;
    }
    return CReadStep::GoOn;
}

double CSourceReader::DeclaredEnd() const
{
    // A length guessed from the bitrate is no promise; a DVD title's clock is
    // made continuous as it is read, so its tables are not compared either.
    return m_input.IsDvdTitle() ? 0 : job::DeclaredEnd(m_input.get());
}

void CSourceReader::NoteEnd(CPacketRead how, const RangeState& r)
{
    double wanted = r.end;
    const double declared = DeclaredEnd();
    if (declared > 0) wanted = std::min(wanted, declared);
    const double at = EarlyEnd(how, r.reached, wanted);
    if (at >= 0 && m_endsEarlyAt < 0) m_endsEarlyAt = at;
}

CReadStep CSourceReader::RunStill(IReaderSink& sink, std::string& error)
{
    av::PacketPtr pkt = av::MakePacket();
    av::FramePtr frame = av::MakeFrame();
    while (m_input.ReadPacket(pkt.get()) >= 0) {
        const bool mine = pkt->stream_index == m_video.index;
        if (mine) avcodec_send_packet(m_video.ctx.get(), pkt.get());
        av_packet_unref(pkt.get());
        if (mine && avcodec_receive_frame(m_video.ctx.get(), frame.get()) == 0) break;
    }
    if (!frame->data[0]) {
        avcodec_send_packet(m_video.ctx.get(), nullptr);
        if (avcodec_receive_frame(m_video.ctx.get(), frame.get()) < 0) {
            error = EngineTextUtf8(text::kPictureNotDecoded);
            return CReadStep::Fail;
        }
    }
    const double length = m_source.virtualDuration > 0 ? m_source.virtualDuration : 1.0;
    if (m_turn) frame = Upright(frame.get());
    if (!frame) {
        error = EngineTextUtf8(text::kOutOfMemory);
        return CReadStep::Fail;
    }
    const CReadStep step = sink.OnVideo(std::move(frame), 0.0);
    if (step != CReadStep::GoOn) return step;
    return sink.OnRangeEnd(length);
}

CReadStep CSourceReader::RunRange(IReaderSink& sink, double start, double end, double& outOffset, bool first,
                                  std::string& error)
{
    RangeState r;
    r.start = start;
    r.end = end;
    r.outOffset = outOffset;
    r.videoEnd = start;
    r.videoDone = !HasVideo();
    r.audioDone = !HasAudio();
    if (HasAudio()) {
        const int rate = m_audio.ctx->sample_rate;
        r.audioStart = r.audioCursor = std::llround(start * rate);
        if (end != kInfinity) r.audioEnd = std::llround(end * rate);
    }

    if ((!first || start > 0) && !SeekBefore(start, first, error)) return CReadStep::Fail;

    av::PacketPtr pkt = av::MakePacket();
    if (!pkt) return error = EngineTextUtf8(text::kOutOfMemory), CReadStep::Fail;
    while (!(r.videoDone && r.audioDone)) {
        const int rc = m_input.ReadPacket(pkt.get());
        const CPacketRead how = ClassifyRead(rc, r.lastCorrupt);
        if (how == CPacketRead::Failed) {
            error = EngineTextUtf8(text::kReadError, av::AvErrorText(rc));
            return CReadStep::Fail;
        }
        if (how != CPacketRead::Packet) {
            NoteEnd(how, r);
            break;
        }
        r.lastCorrupt = pkt->flags & AV_PKT_FLAG_CORRUPT;
        const int64_t ts = pkt->pts != AV_NOPTS_VALUE ? pkt->pts : pkt->dts;
        if (ts != AV_NOPTS_VALUE) {
            const AVRational tb = m_input->streams[pkt->stream_index]->time_base;
            r.reached = std::max(r.reached, Seconds(ts + std::max<int64_t>(pkt->duration, 0), tb));
        }
        Stream* s = pkt->stream_index == m_video.index ? &m_video : pkt->stream_index == m_audio.index ? &m_audio : nullptr;
        CReadStep step = CReadStep::GoOn;
        if (s) {
            if (pkt->pts != AV_NOPTS_VALUE) r.maxPacketTime = std::max(r.maxPacketTime, Seconds(pkt->pts, s->st->time_base));
            step = Decode(*s, pkt.get(), r, sink, error);
        }
        av_packet_unref(pkt.get());
        if (step != CReadStep::GoOn) return step;
        if (r.end != kInfinity && r.maxPacketTime > r.end + kReadPastEnd) break;
    }
    // Drain what the decoders still hold.
    for (Stream* s : {&m_video, &m_audio}) {
        if (s->index < 0) continue;
        const CReadStep step = Decode(*s, nullptr, r, sink, error);
        if (step != CReadStep::GoOn) return step;
    }

    // The range ends where it was asked to, or where the file ran out.
    double rangeEnd = r.end;
    if (rangeEnd == kInfinity || (!r.videoDone || !r.audioDone)) {
        double seen = r.videoEnd;
        if (HasAudio()) seen = std::max(seen, double(r.audioCursor) / m_audio.ctx->sample_rate);
        rangeEnd = std::min(rangeEnd, std::max(seen, r.start));
    }
    if (HasAudio()) {
        const int64_t want = std::llround(rangeEnd * m_audio.ctx->sample_rate);
        if (want > r.audioCursor) {
            const CReadStep step = PadSilence(want - r.audioCursor, sink, error);
            if (step != CReadStep::GoOn) return step;
        }
    }
    // Pictures end where the range does, or where the video itself ran out.
    const double videoEnd = r.videoDone ? rangeEnd : std::min(rangeEnd, r.videoEnd);
    outOffset = r.outOffset + (rangeEnd - r.start);
    return sink.OnRangeEnd(r.outOffset + (videoEnd - r.start));
}

bool CSourceReader::SeekTo(double time)
{
    const int64_t ts = int64_t((time + m_origin) * AV_TIME_BASE);
    int rc = 0;
    if (m_input.IsDvdTitle())
        rc = m_input.Rewind() ? 0 : -1;  // decoding then drops what lies before the start
    else if ((rc = avformat_seek_file(m_input.get(), -1, INT64_MIN, ts, ts, 0)) < 0)
        rc = av_seek_frame(m_input.get(), -1, ts, AVSEEK_FLAG_BACKWARD);
    if (HasVideo()) avcodec_flush_buffers(m_video.ctx.get());
    if (HasAudio()) avcodec_flush_buffers(m_audio.ctx.get());
    return rc >= 0;
}

double CSourceReader::FirstFrameTime()
{
    Stream& lead = HasVideo() ? m_video : m_audio;
    av::PacketPtr pkt = av::MakePacket();
    av::FramePtr frame = av::MakeFrame();
    for (int packets = 0; packets < 5000; ++packets) {
        if (av_read_frame(m_input.get(), pkt.get()) < 0) break;
        const bool mine = pkt->stream_index == lead.index;
        if (mine) avcodec_send_packet(lead.ctx.get(), pkt.get());
        av_packet_unref(pkt.get());
        if (mine && avcodec_receive_frame(lead.ctx.get(), frame.get()) == 0 &&
            frame->best_effort_timestamp != AV_NOPTS_VALUE)
            return Seconds(frame->best_effort_timestamp, lead.st->time_base);
    }
    return kInfinity;
}

// Seeks to a point at or before start from which decoding reaches start: a
// seek may land on the keyframe after the wanted time (formats without an
// index), so it steps further back until the first picture is early enough.
bool CSourceReader::SeekBefore(double start, bool first, std::string& error)
{
    constexpr double eps = 1e-3;
    for (double back : {0.0, 1.0, 2.0, 4.0, 8.0, 16.0, 32.0, 64.0, 1e9}) {
        const double target = std::max(0.0, start - back);
        if (!SeekTo(target)) {
            if (target > 0) continue;
            if (first) return true;  // nothing read yet: decoding starts at the beginning
            error = EngineTextUtf8(text::kCannotSeekTrimStart);
            return false;
        }
        if (target <= 0 || FirstFrameTime() <= start + eps) return SeekTo(target);
    }
    return SeekTo(0) || first;
}

CReadStep CSourceReader::Decode(Stream& s, const AVPacket* pkt, RangeState& r, IReaderSink& sink, std::string& error)
{
    if (avcodec_send_packet(s.ctx.get(), pkt) < 0 && pkt) return CReadStep::GoOn;  // a damaged packet is skipped
    av::FramePtr frame = av::MakeFrame();
    if (!frame) return error = EngineTextUtf8(text::kOutOfMemory), CReadStep::Fail;
    for (;;) {
        const int rc = avcodec_receive_frame(s.ctx.get(), frame.get());
        if (rc == AVERROR(ENOMEM)) return error = EngineTextUtf8(text::kOutOfMemory), CReadStep::Fail;
        if (rc < 0) return CReadStep::GoOn;
        const CReadStep step = &s == &m_video ? TakeVideo(frame.get(), r, sink, error) : TakeAudio(frame.get(), r, sink, error);
        av_frame_unref(frame.get());
        if (step != CReadStep::GoOn) return step;
    }
}

CReadStep CSourceReader::TakeVideo(AVFrame* f, RangeState& r, IReaderSink& sink, std::string& error)
{
    if (r.videoDone) return CReadStep::GoOn;
    const int64_t ts = f->best_effort_timestamp;
    if (ts == AV_NOPTS_VALUE) return CReadStep::GoOn;
    const double t = Seconds(ts, m_video.st->time_base);
    const double frameLength = av_q2d(av_inv_q(m_frameRate));
    constexpr double eps = 1e-6;
    if (t >= r.end - eps) {
        r.videoDone = true;
        return CReadStep::GoOn;
    }
    if (t + frameLength <= r.start + eps) return CReadStep::GoOn;  // before the cut
    r.videoEnd = std::max(r.videoEnd, t + frameLength);
    av::FramePtr copy = Upright(f);
    if (!copy) return error = EngineTextUtf8(text::kOutOfMemory), CReadStep::Fail;
    return sink.OnVideo(std::move(copy), r.outOffset + std::max(t, r.start) - r.start);
}

CReadStep CSourceReader::PadSilence(int64_t samples, IReaderSink& sink, std::string& error)
{
    const AVCodecContext* c = m_audio.ctx.get();
    while (samples > 0) {
        const int n = int(std::min<int64_t>(samples, 4096));
        av::FramePtr f = av::MakeFrame();
        if (!f) return error = EngineTextUtf8(text::kOutOfMemory), CReadStep::Fail;
        f->format = c->sample_fmt;
        f->sample_rate = c->sample_rate;
        av_channel_layout_copy(&f->ch_layout, &c->ch_layout);
        f->nb_samples = n;
        if (av::AllocFrameBuffer(f.get()) < 0) return error = EngineTextUtf8(text::kOutOfMemory), CReadStep::Fail;
        av_samples_set_silence(f->data, 0, n, c->ch_layout.nb_channels, c->sample_fmt);
        const CReadStep step = sink.OnAudio(std::move(f));
        if (step != CReadStep::GoOn) return step;
        samples -= n;
    }
    return CReadStep::GoOn;
}

CReadStep CSourceReader::TakeAudio(AVFrame* f, RangeState& r, IReaderSink& sink, std::string& error)
{
    if (r.audioDone || f->nb_samples <= 0) return CReadStep::GoOn;
    const int rate = m_audio.ctx->sample_rate;
    int64_t pos = r.audioCursor;
    if (f->best_effort_timestamp != AV_NOPTS_VALUE)
        pos = std::llround(Seconds(f->best_effort_timestamp, m_audio.st->time_base) * rate);
    if (std::llabs(pos - r.audioCursor) <= std::llround(kAudioJitter * rate)) pos = r.audioCursor;
    if (pos > r.audioCursor) {
        // A gap in the file: silence keeps the picture in step.
        const int64_t gap = std::min(pos, r.audioEnd) - r.audioCursor;
        const CReadStep step = PadSilence(gap, sink, error);
        if (step != CReadStep::GoOn) return step;
        r.audioCursor += gap;
    }
    const int64_t skip = std::max<int64_t>(0, r.audioCursor - pos);
    const int64_t take = std::min<int64_t>(f->nb_samples - skip, r.audioEnd - r.audioCursor);
    if (r.audioCursor >= r.audioEnd) r.audioDone = true;
    if (take <= 0) return CReadStep::GoOn;

    av::FramePtr out = av::MakeFrame();
    if (!out) return error = EngineTextUtf8(text::kOutOfMemory), CReadStep::Fail;
    if (skip == 0 && take == f->nb_samples) {
        if (av_frame_ref(out.get(), f) < 0) return error = EngineTextUtf8(text::kOutOfMemory), CReadStep::Fail;
    } else {
        out->format = f->format;
        out->sample_rate = f->sample_rate;
        av_channel_layout_copy(&out->ch_layout, &f->ch_layout);
        out->nb_samples = int(take);
        if (av::AllocFrameBuffer(out.get()) < 0) return error = EngineTextUtf8(text::kOutOfMemory), CReadStep::Fail;
        av_samples_copy(out->data, f->data, 0, int(skip), int(take), f->ch_layout.nb_channels,
                        AVSampleFormat(f->format));
    }
    r.audioCursor += take;
    if (r.audioCursor >= r.audioEnd) r.audioDone = true;
    return sink.OnAudio(std::move(out));
}

}  // namespace mediaeng::job
