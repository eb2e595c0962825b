#pragma once
// Owning pointers for the FFmpeg objects of the playback code, and the time
// conversions between stream time bases and 100-ns media time.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}
#include "platform/Types.h"
#include <memory>
#include <string>

namespace playback {

struct FormatCloser {
    void operator()(AVFormatContext* p) const { avformat_close_input(&p); }
};
struct CodecCloser {
    void operator()(AVCodecContext* p) const { avcodec_free_context(&p); }
};
struct FrameFree {
    void operator()(AVFrame* p) const { av_frame_free(&p); }
};
struct PacketFree {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct SwsFree {
    void operator()(SwsContext* p) const { sws_freeContext(p); }
};
struct SwrFree {
    void operator()(SwrContext* p) const { swr_free(&p); }
};

using FormatPtr = std::unique_ptr<AVFormatContext, FormatCloser>;
using CodecPtr = std::unique_ptr<AVCodecContext, CodecCloser>;
using FramePtr = std::unique_ptr<AVFrame, FrameFree>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFree>;
using SwsPtr = std::unique_ptr<SwsContext, SwsFree>;
using SwrPtr = std::unique_ptr<SwrContext, SwrFree>;

constexpr AVRational kMediaTimeBase{1, 10000000};  // 100 ns
constexpr REFERENCE_TIME kUnitsPerSecond = 10000000;

inline REFERENCE_TIME ToMediaTime(int64_t ts, AVRational tb) { return av_rescale_q(ts, tb, kMediaTimeBase); }
inline int64_t FromMediaTime(REFERENCE_TIME t, AVRational tb) { return av_rescale_q(t, kMediaTimeBase, tb); }

// "Invalid data found when processing input" style text of an FFmpeg error.
std::wstring AvErrorText(int err);

}  // namespace playback
