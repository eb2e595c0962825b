#pragma once
// The output's video stream: brings each edited picture to the output size,
// placement and pixel format (libswscale), and encodes it with the encoder and
// settings of the format node; a setting the encoder cannot take is replaced by
// the nearest one it can, with a warning.
#include "mediaeng/av/AvHandles.h"
#include "mediaeng/av/FramePool.h"
#include "mediaeng/job/transcode/FrameGeometry.h"
#include "mediaeng/job/settings/JobSettings.h"
#include "mediaeng/job/transcode/PacketSink.h"
#include <string>
#include <vector>

namespace mediaeng::job {

struct CVideoInput {
    int width = 0, height = 0;
    AVPixelFormat format = AV_PIX_FMT_YUV420P;
    AVRational sar{0, 1};
    AVRational frameRate{25, 1};
};

class CVideoEncoder {
public:
    CVideoEncoder() = default;
    ~CVideoEncoder();
    CVideoEncoder(const CVideoEncoder&) = delete;
    CVideoEncoder& operator=(const CVideoEncoder&) = delete;
    bool Open(AVFormatContext* oc, const CVideoOutput& settings, const CVideoInput& input,
              std::vector<std::wstring>& warnings, std::string& error);
    // Encodes picture src as output frame number index; null src drains.
    bool Encode(const AVFrame* src, int64_t index, IPacketSink& sink, std::string& error);
    AVRational FrameRate() const { return m_frameRate; }
    const AVCodecContext* Context() const { return m_ctx.get(); }
    // Statistics of a first pass, for the second.
    std::string PassStats() const { return m_stats; }
    void SetPass(int pass, const std::string& statsIn, const std::string& statsFile);

private:
    bool Shape(const AVFrame* src, AVFrame* dst);
    bool Drain(IPacketSink& sink, std::string& error);
    bool MakeBackground(uint32_t colorref);
    void ApplyRateControl(const AVCodec* codec, const CVideoOutput& s, std::vector<std::wstring>& warnings);

    av::CodecCtxPtr m_ctx;
    AVStream* m_stream = nullptr;
    av::SwsPtr m_sws;
    av::CFramePool m_pool;  // the resized pictures handed to the encoder
    av::FramePtr m_background;
    av::FramePtr m_scaled;
    CFrameGeometry m_geometry;
    AVRational m_frameRate{25, 1};
    bool FillBlurred(const AVFrame* view, AVFrame* dst);

    int m_swsFlags = SWS_BILINEAR;
    bool m_blurredBars = false;
    av::SwsPtr m_blurDown, m_blurUp;
    av::FramePtr m_small;
    int m_pass = 0;  // 0 single pass, 1 or 2
    std::string m_statsIn;
    std::string m_statsFile;
    std::string m_stats;
    av::PacketPtr m_packet = av::MakePacket();
};

}  // namespace mediaeng::job
