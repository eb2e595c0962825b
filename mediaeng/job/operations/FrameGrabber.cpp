#include "mediaeng/job/operations/FrameGrabber.h"
#include "mediaeng/core/EngineTexts.h"
#include "mediaeng/frame/DisplayTurn.h"
#include "mediaeng/probe/StreamNumbering.h"
#include "platform/TextConv.h"
#include <algorithm>

using mediaeng::EngineText;
using mediaeng::EngineTextUtf8;

namespace mediaeng::job {

bool CFrameGrabber::Open(const std::wstring& path, int nth, std::string& error)
{
    if (!m_input.Open(WideToUtf8(path), error)) return false;
    int rc = avformat_find_stream_info(m_input.get(), nullptr);
    if (rc < 0) return error = EngineTextUtf8(text::kNoStreamInfo, av::AvErrorText(rc)), false;
    m_index = mediaeng::NthStream(m_input.get(), AVMEDIA_TYPE_VIDEO, std::max(nth, 0));
    if (m_index < 0) return error = EngineTextUtf8(text::kNoPicture), false;
    AVStream* st = m_input->streams[m_index];
    const AVCodec* codec = avcodec_find_decoder(st->codecpar->codec_id);
    if (!codec) return error = EngineTextUtf8(text::kNoPictureDecoder), false;
    m_ctx.reset(avcodec_alloc_context3(codec));
    if (!m_ctx || avcodec_parameters_to_context(m_ctx.get(), st->codecpar) < 0)
        return error = EngineTextUtf8(text::kOutOfMemory), false;
    m_ctx->pkt_timebase = st->time_base;
    if ((rc = avcodec_open2(m_ctx.get(), codec, nullptr)) < 0)
        return error = EngineTextUtf8(text::kCannotOpenDecoder, av::AvErrorText(rc)), false;
    m_origin = st->start_time != AV_NOPTS_VALUE ? double(st->start_time) * av_q2d(st->time_base) : 0;
    m_turn = mediaeng::UprightTurn(st);
    if (m_input.TitleDuration() > 0)
        m_duration = m_input.TitleDuration();
    else if (m_input->duration > 0)
        m_duration = double(m_input->duration) / AV_TIME_BASE;
    return true;
}

// Hands out a picture and keeps a copy of it: the picture shown at a later
// time may still be this one.
av::FramePtr CFrameGrabber::Keep(av::FramePtr frame)
{
    m_held.reset();
    if (frame) {
        m_held = av::MakeFrame();
        if (m_held && av_frame_ref(m_held.get(), frame.get()) < 0) m_held.reset();
    }
    return frame;
}

av::FramePtr CFrameGrabber::Grab(double time)
{
    av::FramePtr stored = GrabStored(time);
    if (!stored || !m_turn) return stored;
    return av::FramePtr(mediaeng::TurnFrame(stored.get(), m_turn));
}

av::FramePtr CFrameGrabber::GrabStored(double time)
{
    AVStream* st = m_input->streams[m_index];
    av::FramePtr prev, frame = av::MakeFrame();
    if (m_input.IsDvdTitle() && time >= m_lastTime) {
        // A title is read forward from where the last picture was found.
        prev = std::move(m_held);
    } else {
        m_held.reset();
        if (m_input.IsDvdTitle())
            m_input.Rewind();
        else
            av_seek_frame(m_input.get(), m_index, int64_t((time + m_origin) / av_q2d(st->time_base)), AVSEEK_FLAG_BACKWARD);
        avcodec_flush_buffers(m_ctx.get());
    }
    m_lastTime = time;
    av::PacketPtr pkt = av::MakePacket();
    bool draining = false;
    while (true) {
        int rc = avcodec_receive_frame(m_ctx.get(), frame.get());
        if (rc == 0) {
            const int64_t ts = frame->best_effort_timestamp;
            const double t = ts == AV_NOPTS_VALUE ? time : double(ts) * av_q2d(st->time_base) - m_origin;
            if (t > time + 1e-3 && prev) {
                m_held = std::move(frame);  // the next picture may be wanted next
                return prev;
            }
            if (t >= time - 1e-3) return Keep(std::move(frame));
            prev = std::move(frame);
            frame = av::MakeFrame();
            continue;
        }
        if (rc == AVERROR_EOF || draining) return Keep(std::move(prev));
        rc = m_input.ReadPacket(pkt.get());
        if (rc < 0) {
            draining = true;
            avcodec_send_packet(m_ctx.get(), nullptr);
            continue;
        }
        if (pkt->stream_index == m_index) avcodec_send_packet(m_ctx.get(), pkt.get());
        av_packet_unref(pkt.get());
    }
}

}  // namespace mediaeng::job
