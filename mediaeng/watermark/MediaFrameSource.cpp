#include "mediaeng/watermark/MediaFrameSource.h"
#include "mediaeng/av/ScalerSlack.h"
#include "mediaeng/av/AvHandles.h"
#include "platform/TextConv.h"
#include <cmath>
#include <cstring>
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace mediaeng::watermark {

namespace {

constexpr int kMaxSide = 4096;
// Reading forward is cheaper than a seek for a jump of up to this many seconds.
constexpr double kForwardWindow = 2.0;

}  // namespace

struct CMediaFrameSource::Impl {
    av::InputPtr fmt;
    av::CodecCtxPtr dec;
    av::FramePtr frame = av::MakeFrame();
    av::PacketPtr pkt = av::MakePacket();
    av::SwsPtr sws;
    int stream = -1;
    double timeBase = 0;
    double lastTime = -1;  // time of the frame held in `held`
    bool ended = false;
    bool moving = false;
    BgraPicture held;

    bool Open(const std::string& path)
    {
        AVFormatContext* raw = nullptr;
        if (avformat_open_input(&raw, path.c_str(), nullptr, nullptr) < 0) return false;
        fmt.reset(raw);
        if (avformat_find_stream_info(fmt.get(), nullptr) < 0) return false;
        const AVCodec* codec = nullptr;
        stream = av_find_best_stream(fmt.get(), AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
        if (stream < 0 || !codec) return false;
        AVStream* st = fmt->streams[stream];
        dec.reset(avcodec_alloc_context3(codec));
        if (!dec || avcodec_parameters_to_context(dec.get(), st->codecpar) < 0) return false;
        dec->thread_count = 1;
        if (avcodec_open2(dec.get(), codec, nullptr) < 0) return false;
        timeBase = av_q2d(st->time_base);
        moving = !(st->disposition & AV_DISPOSITION_ATTACHED_PIC) && st->nb_frames != 1 &&
                 std::strcmp(fmt->iformat->name, "image2") != 0 && std::strstr(fmt->iformat->name, "_pipe") == nullptr;
        return frame && pkt;
    }

    // Decodes the next frame into `frame`; false at the end or on an error.
    bool Next()
    {
        for (;;) {
            const int r = avcodec_receive_frame(dec.get(), frame.get());
            if (r == 0) return true;
            if (r != AVERROR(EAGAIN)) return false;
            const int rd = av_read_frame(fmt.get(), pkt.get());
            if (rd < 0) {
                avcodec_send_packet(dec.get(), nullptr);  // drain
                const int last = avcodec_receive_frame(dec.get(), frame.get());
                return last == 0;
            }
            if (pkt->stream_index == stream) avcodec_send_packet(dec.get(), pkt.get());
            av_packet_unref(pkt.get());
        }
    }

    bool Keep()
    {
        const int w = frame->width, h = frame->height;
        if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide) return false;
        sws.reset(sws_getCachedContext(sws.release(), w, h, static_cast<AVPixelFormat>(frame->format), w, h,
                                       AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr, nullptr, nullptr));
        if (!sws) return false;
        held.width = w;
        held.height = h;
        held.pixels.reserve(static_cast<size_t>(w) * h * 4 + av::kScalerSlack);
        held.pixels.resize(static_cast<size_t>(w) * h * 4);
        uint8_t* dst[4] = {held.pixels.data(), nullptr, nullptr, nullptr};
        int dstStride[4] = {w * 4, 0, 0, 0};
        sws_scale(sws.get(), frame->data, frame->linesize, 0, h, dst, dstStride);
        // Formats without alpha leave it at 255; formats with it keep theirs.
        return true;
    }

    double FrameTime() const
    {
        const int64_t pts = frame->best_effort_timestamp;
        return pts == AV_NOPTS_VALUE ? lastTime + 0.04 : double(pts) * timeBase;
    }

    void SeekTo(double t)
    {
        const int64_t ts = static_cast<int64_t>(t / (timeBase > 0 ? timeBase : 1e-6));
        av_seek_frame(fmt.get(), stream, ts, AVSEEK_FLAG_BACKWARD);
        avcodec_flush_buffers(dec.get());
        ended = false;
        lastTime = -1;
    }
};

CMediaFrameSource::CMediaFrameSource(const std::wstring& path) : m_impl(std::make_unique<Impl>())
{
    if (!m_impl->Open(WideToUtf8(path))) m_impl.reset();
}

CMediaFrameSource::~CMediaFrameSource() = default;

bool CMediaFrameSource::IsOpen() const { return m_impl != nullptr; }

bool CMediaFrameSource::IsMoving() const { return m_impl && m_impl->moving; }

bool CMediaFrameSource::FrameAt(double t, BgraPicture& out)
{
    if (!m_impl) return false;
    Impl& s = *m_impl;
    if (!s.moving) t = 0;
    constexpr double kSame = 1e-6;
    if (!s.held.Empty() &&
        (!s.moving || std::abs(t - s.lastTime) <= kSame || (t > s.lastTime && s.ended))) {
        out = s.held;
        return true;
    }
    if (s.moving && s.lastTime >= 0 && (t < s.lastTime - kSame || t > s.lastTime + kForwardWindow)) s.SeekTo(t);
    while (!s.ended) {
        if (!s.Next()) {
            s.ended = true;
            break;
        }
        const double ft = s.FrameTime();
        if (!s.Keep()) return false;
        s.lastTime = ft;
        if (!s.moving || ft >= t - kSame) break;
    }
    if (s.held.Empty()) return false;
    out = s.held;
    return true;
}

}  // namespace mediaeng::watermark
