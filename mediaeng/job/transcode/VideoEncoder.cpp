#include "mediaeng/job/transcode/VideoEncoder.h"
#include "mediaeng/core/EngineTexts.h"
#include "mediaeng/job/transcode/EncoderChoice.h"
extern "C" {
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libavutil/pixdesc.h>
}
#include <algorithm>
#include <cmath>
#include <cstring>

using mediaeng::EngineText;
using mediaeng::EngineTextUtf8;

namespace mediaeng::job {

namespace {

int SwsFlagsFor(int resampling)
{
    switch (resampling) {
    case 1: return SWS_BICUBIC;
    case 2: return SWS_POINT;
    case 3: return SWS_LANCZOS;
    default: return SWS_BILINEAR;
    }
}

bool IsH264(const AVCodec* c) { return c->id == AV_CODEC_ID_H264; }
bool UsesCrf(const AVCodec* c)
{
    return !std::strcmp(c->name, "libx264") || !std::strcmp(c->name, "libx265") || !std::strcmp(c->name, "libvpx-vp9") ||
           !std::strcmp(c->name, "libvpx") || !std::strcmp(c->name, "libaom-av1");
}

// H.263 only takes its five standard picture sizes.
void NearestH263Size(int& w, int& h)
{
    static const int sizes[][2] = {{128, 96}, {176, 144}, {352, 288}, {704, 576}, {1408, 1152}};
    int best = 0;
    for (int i = 1; i < 5; ++i)
        if (std::abs(sizes[i][0] - w) + std::abs(sizes[i][1] - h) < std::abs(sizes[best][0] - w) + std::abs(sizes[best][1] - h))
            best = i;
    w = sizes[best][0];
    h = sizes[best][1];
}

// Byte offset of pixel (x, y) in plane p of a frame of format fmt.
size_t PlaneOffset(AVPixelFormat fmt, const AVFrame* f, int p, int x, int y)
{
    const AVPixFmtDescriptor* d = av_pix_fmt_desc_get(fmt);
    const bool chroma = p == 1 || p == 2;
    const int cx = chroma ? x >> d->log2_chroma_w : x;
    const int cy = chroma ? y >> d->log2_chroma_h : y;
    return size_t(cy) * f->linesize[p] + size_t(std::max(0, av_image_get_linesize(fmt, cx, p)));
}

// 4:2:0 where the encoder takes it: every player and every profile plays it.
AVPixelFormat PickPixelFormat(const AVCodec* codec, AVPixelFormat source)
{
    if (!codec->pix_fmts) return AV_PIX_FMT_YUV420P;
    for (const AVPixelFormat* f = codec->pix_fmts; *f != AV_PIX_FMT_NONE; ++f)
        if (*f == AV_PIX_FMT_YUV420P || *f == AV_PIX_FMT_YUVJ420P) return *f;
    return avcodec_find_best_pix_fmt_of_list(codec->pix_fmts, source, 0, nullptr);
}

}  // namespace

CVideoEncoder::~CVideoEncoder()
{
    if (m_ctx) av_freep(&m_ctx->stats_in);  // the context leaves it to its owner
}

void CVideoEncoder::SetPass(int pass, const std::string& statsIn, const std::string& statsFile)
{
    m_pass = pass;
    m_statsIn = statsIn;
    m_statsFile = statsFile;
}

void CVideoEncoder::ApplyRateControl(const AVCodec* codec, const CVideoOutput& s, std::vector<std::wstring>& warnings)
{
    AVCodecContext* c = m_ctx.get();
    int kbps = s.bitrateKbps;
    const int maxKbps = codec->id == AV_CODEC_ID_MPEG1VIDEO ? 100000 : 400000;
    if (kbps < 16 || kbps > maxKbps) {
        const int fixed = std::clamp(kbps, 16, maxKbps);
        warnings.push_back(EngineText(text::kVideoBitrateChanged, kbps, fixed));
        kbps = fixed;
    }
    const int quality = std::clamp(s.quality, 0, 100);
    if (s.bitrateMode == kBitrateQuality && m_pass == 0) {
        if (UsesCrf(codec)) {
            av_opt_set_double(c->priv_data, "crf", 48.0 - 0.36 * quality, 0);
        } else {
            c->flags |= AV_CODEC_FLAG_QSCALE;
            c->global_quality = FF_QP2LAMBDA * (2 + (100 - quality) * 29 / 100);
        }
        return;
    }
    c->bit_rate = int64_t(kbps) * 1000;
    if (s.bitrateMode == kBitrateConstant) {
        c->rc_max_rate = c->bit_rate;
        c->rc_min_rate = UsesCrf(codec) ? 0 : c->bit_rate;
        c->rc_buffer_size = int(std::min<int64_t>(c->bit_rate, INT32_MAX));
        if (!std::strcmp(codec->name, "libx264")) av_opt_set(c->priv_data, "nal-hrd", "cbr", 0);
    }
}

bool CVideoEncoder::Open(AVFormatContext* oc, const CVideoOutput& s, const CVideoInput& in,
                         std::vector<std::wstring>& warnings, std::string& error)
{
    const AVCodec* codec = ChooseEncoder(oc->oformat, AVMEDIA_TYPE_VIDEO, s.encoder, warnings);
    if (!codec) return error = EngineTextUtf8(text::kNoVideoEncoder), false;
    m_ctx.reset(avcodec_alloc_context3(codec));
    AVCodecContext* c = m_ctx.get();

    // Size and placement.
    int tw = in.width, th = in.height;
    if (!ParseResizeText(s.resize, in.width, in.height, tw, th)) {
        warnings.push_back(EngineText(text::kFrameSizeUnknown, s.resize));
        tw = in.width;
        th = in.height;
    }
    const double srcSar = in.sar.num > 0 && in.sar.den > 0 ? av_q2d(in.sar) : 1.0;
    m_geometry = ComputeGeometry(in.width, in.height, srcSar, tw, th, s.resizeType, s.letterbox);
    int ow = m_geometry.outWidth, oh = m_geometry.outHeight;
    if (codec->id == AV_CODEC_ID_H263) NearestH263Size(ow, oh);
    if (ow % 2 || oh % 2) {
        ow += ow % 2;
        oh += oh % 2;
    }
    if (ow > 4096 && (codec->id == AV_CODEC_ID_MPEG1VIDEO || codec->id == AV_CODEC_ID_MPEG2VIDEO)) {
        oh = oh * 4094 / ow & ~1;
        ow = 4094;
    }
    if (ow != m_geometry.outWidth || oh != m_geometry.outHeight) {
        warnings.push_back(EngineText(text::kFrameSizeChanged, m_geometry.outWidth, m_geometry.outHeight, ow, oh));
        m_geometry = ComputeGeometry(in.width, in.height, srcSar, ow, oh, kResizeStretch, false);
    }
    const bool sameSize = ow == in.width && oh == in.height && !m_geometry.bars &&
                          m_geometry.sourceCut.w == in.width && m_geometry.sourceCut.h == in.height;

    // Rate.
    m_frameRate = s.frameRateNum > 0 && s.frameRateDen > 0 ? AVRational{s.frameRateNum, s.frameRateDen} : in.frameRate;
    if (codec->supported_framerates) {
        const int i = av_find_nearest_q_idx(m_frameRate, codec->supported_framerates);
        const AVRational nearest = codec->supported_framerates[i];
        if (av_cmp_q(nearest, m_frameRate) != 0) {
            warnings.push_back(EngineText(text::kFrameRateChanged, std::to_wstring(av_q2d(m_frameRate)),
                                          std::to_wstring(av_q2d(nearest))));
            m_frameRate = nearest;
        }
    }
    if (codec->id == AV_CODEC_ID_MPEG4 && m_frameRate.den > 65535) m_frameRate = av_d2q(av_q2d(m_frameRate), 65535);

    c->width = ow;
    c->height = oh;
    c->time_base = av_inv_q(m_frameRate);
    c->framerate = m_frameRate;
    c->pix_fmt = PickPixelFormat(codec, in.format);
    if (s.displayAspect > 0)
        c->sample_aspect_ratio = av_d2q(s.displayAspect * oh / ow, 255);
    else if (sameSize && in.sar.num > 0)
        c->sample_aspect_ratio = in.sar;
    else
        c->sample_aspect_ratio = AVRational{1, 1};
    int gop = s.keyFrames;
    if (gop < 1 || gop > 1000) {
        const int fixed = std::clamp(gop, 1, 1000);
        warnings.push_back(EngineText(text::kKeyFrameChanged, gop, fixed));
        gop = fixed;
    }
    c->gop_size = gop;
    c->thread_count = 0;  // all cores
    if (oc->oformat->flags & AVFMT_GLOBALHEADER) c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (codec->id == AV_CODEC_ID_MPEG2VIDEO || codec->id == AV_CODEC_ID_MPEG1VIDEO) c->max_b_frames = 2;
    if (IsH264(codec) && !std::strcmp(codec->name, "libx264")) {
        static const char* profiles[] = {"baseline", "main", "high"};
        int p = s.profile;
        if (p < 0 || p > 2) {
            warnings.push_back(EngineText(text::kProfileUnknown, p));
            p = 1;
        }
        av_opt_set(c->priv_data, "profile", profiles[p], 0);
    }
    ApplyRateControl(codec, s, warnings);
    if (m_pass == 1) c->flags |= AV_CODEC_FLAG_PASS1;
    if (m_pass == 2) c->flags |= AV_CODEC_FLAG_PASS2;
    if (m_pass && !std::strcmp(codec->name, "libx264")) {
        av_opt_set(c->priv_data, "stats", m_statsFile.c_str(), 0);
    } else if (m_pass == 2 && !m_statsIn.empty()) {
        c->stats_in = av_strdup(m_statsIn.c_str());
    }

    int rc = avcodec_open2(c, codec, nullptr);
    if (rc < 0) return error = EngineTextUtf8(text::kCannotOpenEncoder, codec->name, av::AvErrorText(rc)), false;
    m_stream = avformat_new_stream(oc, nullptr);
    if (!m_stream) return error = EngineTextUtf8(text::kOutOfMemory), false;
    m_stream->time_base = c->time_base;
    m_stream->avg_frame_rate = m_frameRate;
    m_stream->sample_aspect_ratio = c->sample_aspect_ratio;
    avcodec_parameters_from_context(m_stream->codecpar, c);
    m_swsFlags = SwsFlagsFor(s.resampling);
    m_blurredBars = s.resizeType == kResizeFitBlurred;
    if (m_geometry.bars && !m_blurredBars && !MakeBackground(s.letterboxColor))
        return error = EngineTextUtf8(text::kOutOfMemory), false;
    return true;
}

bool CVideoEncoder::MakeBackground(uint32_t colorref)
{
    const int w = m_ctx->width, h = m_ctx->height;
    std::vector<uint8_t> rgb(size_t(w) * h * 3);
    for (size_t i = 0; i < rgb.size(); i += 3) {
        rgb[i] = uint8_t(colorref & 0xFF);
        rgb[i + 1] = uint8_t((colorref >> 8) & 0xFF);
        rgb[i + 2] = uint8_t((colorref >> 16) & 0xFF);
    }
    m_background = av::MakeFrame();
    m_background->format = m_ctx->pix_fmt;
    m_background->width = w;
    m_background->height = h;
    if (av_frame_get_buffer(m_background.get(), 0) < 0) return false;
    av::SwsPtr sws(sws_getContext(w, h, AV_PIX_FMT_RGB24, w, h, m_ctx->pix_fmt, SWS_POINT, nullptr, nullptr, nullptr));
    if (!sws) return false;
    const uint8_t* src[1] = {rgb.data()};
    const int stride[1] = {w * 3};
    sws_scale(sws.get(), src, stride, 0, h, m_background->data, m_background->linesize);
    return true;
}

bool CVideoEncoder::Shape(const AVFrame* src, AVFrame* dst)
{
    const CRect& cut = m_geometry.sourceCut;
    const CRect& pic = m_geometry.picture;
    // Already what the encoder takes: hand the picture on without a copy.
    if (!m_geometry.bars && src->format == m_ctx->pix_fmt && src->width == m_ctx->width &&
        src->height == m_ctx->height && pic.w == src->width && pic.h == src->height && cut.w == src->width &&
        cut.h == src->height)
        return av_frame_ref(dst, src) >= 0;
    // The source may change size (an edit); the cut then follows the frame.
    const bool whole = cut.w == src->width && cut.h == src->height;
    const int sx = whole ? 0 : std::min(cut.x, src->width - 1), sy = whole ? 0 : std::min(cut.y, src->height - 1);
    const int sw = whole ? src->width : std::min(cut.w, src->width - sx);
    const int sh = whole ? src->height : std::min(cut.h, src->height - sy);

    av::FramePtr view = av::MakeFrame();
    if (av_frame_ref(view.get(), src) < 0) return false;
    view->crop_left = size_t(sx);
    view->crop_top = size_t(sy);
    view->crop_right = size_t(src->width - sx - sw);
    view->crop_bottom = size_t(src->height - sy - sh);
    if (av_frame_apply_cropping(view.get(), AV_FRAME_CROP_UNALIGNED) < 0) return false;

    m_sws.reset(sws_getCachedContext(m_sws.release(), view->width, view->height, AVPixelFormat(view->format), pic.w,
                                     pic.h, m_ctx->pix_fmt, m_swsFlags, nullptr, nullptr, nullptr));
    if (!m_sws) return false;
    av::FramePtr pooled = m_pool.Get(m_ctx->width, m_ctx->height, m_ctx->pix_fmt);
    if (!pooled) return false;
    av_frame_move_ref(dst, pooled.get());
    if (!m_geometry.bars) {
        sws_scale(m_sws.get(), view->data, view->linesize, 0, view->height, dst->data, dst->linesize);
        return true;
    }
    if (m_blurredBars) {
        if (!FillBlurred(view.get(), dst)) return false;
    } else {
        av_frame_copy(dst, m_background.get());
    }
    uint8_t* planes[4] = {};
    const int planeCount = av_pix_fmt_count_planes(m_ctx->pix_fmt);
    for (int p = 0; p < planeCount && p < 4; ++p) planes[p] = dst->data[p] + PlaneOffset(m_ctx->pix_fmt, dst, p, pic.x, pic.y);
    sws_scale(m_sws.get(), view->data, view->linesize, 0, view->height, planes, dst->linesize);
    return true;
}

// The picture stretched over the whole frame through a tiny copy: a cheap,
// soft background for the bars.
bool CVideoEncoder::FillBlurred(const AVFrame* view, AVFrame* dst)
{
    const int sw = std::max(2, m_ctx->width / 16) & ~1, sh = std::max(2, m_ctx->height / 16) & ~1;
    if (!m_small) {
        m_small = av::MakeFrame();
        m_small->format = m_ctx->pix_fmt;
        m_small->width = sw;
        m_small->height = sh;
        if (av_frame_get_buffer(m_small.get(), 0) < 0) return false;
    }
    m_blurDown.reset(sws_getCachedContext(m_blurDown.release(), view->width, view->height, AVPixelFormat(view->format),
                                          sw, sh, m_ctx->pix_fmt, SWS_AREA, nullptr, nullptr, nullptr));
    m_blurUp.reset(sws_getCachedContext(m_blurUp.release(), sw, sh, m_ctx->pix_fmt, m_ctx->width, m_ctx->height,
                                        m_ctx->pix_fmt, SWS_BILINEAR, nullptr, nullptr, nullptr));
    if (!m_blurDown || !m_blurUp) return false;
    sws_scale(m_blurDown.get(), view->data, view->linesize, 0, view->height, m_small->data, m_small->linesize);
    sws_scale(m_blurUp.get(), m_small->data, m_small->linesize, 0, sh, dst->data, dst->linesize);
    return true;
}

bool CVideoEncoder::Encode(const AVFrame* src, int64_t index, IPacketSink& sink, std::string& error)
{
    if (!src) {
        avcodec_send_frame(m_ctx.get(), nullptr);
        return Drain(sink, error);
    }
    av::FramePtr frame = av::MakeFrame();
    if (!Shape(src, frame.get())) return error = EngineTextUtf8(text::kCannotConvertPicture), false;
    frame->pts = index;
    frame->sample_aspect_ratio = m_ctx->sample_aspect_ratio;
    frame->pict_type = AV_PICTURE_TYPE_NONE;  // the source's frame types do not bind the encoder
    frame->key_frame = 0;
    const int rc = avcodec_send_frame(m_ctx.get(), frame.get());
    if (rc < 0) return error = EngineTextUtf8(text::kVideoEncodingFailed, av::AvErrorText(rc)), false;
    return Drain(sink, error);
}

bool CVideoEncoder::Drain(IPacketSink& sink, std::string& error)
{
    for (;;) {
        const int rc = avcodec_receive_packet(m_ctx.get(), m_packet.get());
        if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) return true;
        if (rc < 0) return error = EngineTextUtf8(text::kVideoEncodingFailed, av::AvErrorText(rc)), false;
        if (m_pass == 1 && m_ctx->stats_out) m_stats += m_ctx->stats_out;
        if (!sink.WritePacket(m_packet.get(), m_stream, m_ctx->time_base)) return false;
    }
}

}  // namespace mediaeng::job
