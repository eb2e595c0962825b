#pragma once
// Owning handles for FFmpeg objects, for the whole engine and its tests: each
// frees its object with the matching FFmpeg function, so every error path
// cleans up; and FFmpeg's text for an error code.
#include "mediaeng/av/AllocSeam.h"
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}
#include <memory>
#include <string>

namespace mediaeng::av {

struct AvCodecCtxFree {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct AvFrameFree {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct AvPacketFree {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct SwsFree {
    void operator()(SwsContext* s) const { sws_freeContext(s); }
};
struct SwrFree {
    void operator()(SwrContext* s) const { swr_free(&s); }
};
struct AvInputFree {
    void operator()(AVFormatContext* f) const { avformat_close_input(&f); }
};
// An output context; closes its file when it has one of its own.
struct AvOutputFree {
    void operator()(AVFormatContext* f) const
    {
        if (f && f->pb && !(f->oformat->flags & AVFMT_NOFILE)) avio_closep(&f->pb);
        avformat_free_context(f);
    }
};

using CodecCtxPtr = std::unique_ptr<AVCodecContext, AvCodecCtxFree>;
using FramePtr = std::unique_ptr<AVFrame, AvFrameFree>;
using PacketPtr = std::unique_ptr<AVPacket, AvPacketFree>;
using SwsPtr = std::unique_ptr<SwsContext, SwsFree>;
using SwrPtr = std::unique_ptr<SwrContext, SwrFree>;
using InputPtr = std::unique_ptr<AVFormatContext, AvInputFree>;
using OutputPtr = std::unique_ptr<AVFormatContext, AvOutputFree>;

inline FramePtr MakeFrame() { return FramePtr(av_frame_alloc()); }
inline PacketPtr MakePacket() { return PacketPtr(av_packet_alloc()); }
// av_frame_get_buffer, through the test seam for allocation failures.
inline int AllocFrameBuffer(AVFrame* f)
{
    return AllocationFails(AllocSite::FrameBuffer) ? AVERROR(ENOMEM) : av_frame_get_buffer(f, 0);
}

// FFmpeg's text for an error code.
inline std::string AvErrorText(int err)
{
    char buf[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(err, buf, sizeof buf);
    return buf;
}

}  // namespace mediaeng::av
