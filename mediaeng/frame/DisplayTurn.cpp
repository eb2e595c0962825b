#include "mediaeng/frame/DisplayTurn.h"
#include "mediaeng/av/AvHandles.h"
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
extern "C" {
#include <libavutil/display.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

namespace mediaeng {

namespace {

using Owned = av::FramePtr;

// Planar (or semi-planar) 8-bit pictures whose planes turn alone: each plane
// holds whole pixels of a fixed byte size and chroma is subsampled alike
// across and down, so a turned plane is the turned picture's plane.
bool TurnsPlaneByPlane(AVPixelFormat format)
{
    const AVPixFmtDescriptor* d = av_pix_fmt_desc_get(format);
    if (!d || (d->flags & (AV_PIX_FMT_FLAG_BITSTREAM | AV_PIX_FMT_FLAG_HWACCEL | AV_PIX_FMT_FLAG_PAL))) return false;
    if (d->log2_chroma_w != d->log2_chroma_h) return false;
    for (int c = 0; c < d->nb_components; ++c)
        if (d->comp[c].depth > 8 && d->comp[c].step < 2) return false;
    return true;
}

// Bytes of one pixel in plane p.
int PixelBytes(const AVPixFmtDescriptor* d, int p)
{
    int bytes = 0;
    for (int c = 0; c < d->nb_components; ++c)
        if (d->comp[c].plane == p) bytes = std::max(bytes, d->comp[c].step);
    return bytes;
}

void TurnPlane(const uint8_t* src, int srcStride, int w, int h, uint8_t* dst, int dstStride, int bytes, int degrees)
{
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int dx = x, dy = y;
            if (degrees == 90) dx = h - 1 - y, dy = x;
            else if (degrees == 180) dx = w - 1 - x, dy = h - 1 - y;
            else if (degrees == 270) dx = y, dy = w - 1 - x;
            std::memcpy(dst + dy * dstStride + dx * bytes, src + y * srcStride + x * bytes, size_t(bytes));
        }
}

// Any other picture is first converted to 4:4:4 planar, which turns plane by plane.
Owned ToTurnable(const AVFrame* in)
{
    Owned out(av_frame_alloc());
    if (!out) return nullptr;
    out->format = AV_PIX_FMT_YUV444P;
    out->width = in->width;
    out->height = in->height;
    if (av_frame_get_buffer(out.get(), 0) < 0 || av_frame_copy_props(out.get(), in) < 0) return nullptr;
    SwsContext* sws = sws_getContext(in->width, in->height, AVPixelFormat(in->format), in->width, in->height,
                                     AV_PIX_FMT_YUV444P, SWS_POINT, nullptr, nullptr, nullptr);
    if (!sws) return nullptr;
    sws_scale(sws, in->data, in->linesize, 0, in->height, out->data, out->linesize);
    sws_freeContext(sws);
    return out;
}

}  // namespace

int UprightTurn(const AVStream* stream)
{
    if (!stream) return 0;
    const auto* matrix = reinterpret_cast<const int32_t*>(
        av_stream_get_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, nullptr));
    if (!matrix) return 0;
    const double angle = av_display_rotation_get(matrix);  // counterclockwise
    if (!std::isfinite(angle)) return 0;
    const long turn = ((-std::lround(angle)) % 360 + 360) % 360;
    return turn == 90 || turn == 180 || turn == 270 ? int(turn) : 0;
}

AVFrame* TurnFrame(const AVFrame* frame, int degrees)
{
    degrees = ((degrees % 360) + 360) % 360;
    if (degrees % 90 != 0 || !frame || frame->width <= 0 || frame->height <= 0) return nullptr;
    if (degrees == 0) return av_frame_clone(frame);
    Owned converted;
    const AVFrame* src = frame;
    if (!TurnsPlaneByPlane(AVPixelFormat(frame->format))) {
        converted = ToTurnable(frame);
        if (!converted) return nullptr;
        src = converted.get();
    }
    const AVPixFmtDescriptor* d = av_pix_fmt_desc_get(AVPixelFormat(src->format));
    const bool quarter = degrees != 180;
    Owned out(av_frame_alloc());
    if (!out) return nullptr;
    out->format = src->format;
    out->width = quarter ? src->height : src->width;
    out->height = quarter ? src->width : src->height;
    if (av_frame_get_buffer(out.get(), 0) < 0 || av_frame_copy_props(out.get(), src) < 0) return nullptr;
    if (quarter && src->sample_aspect_ratio.num > 0)
        out->sample_aspect_ratio = AVRational{src->sample_aspect_ratio.den, src->sample_aspect_ratio.num};
    const int planes = av_pix_fmt_count_planes(AVPixelFormat(src->format));
    for (int p = 0; p < planes; ++p) {
        const bool chroma = p == 1 || p == 2;
        const int w = chroma ? AV_CEIL_RSHIFT(src->width, d->log2_chroma_w) : src->width;
        const int h = chroma ? AV_CEIL_RSHIFT(src->height, d->log2_chroma_h) : src->height;
        TurnPlane(src->data[p], src->linesize[p], w, h, out->data[p], out->linesize[p], PixelBytes(d, p), degrees);
    }
    return out.release();
}

}  // namespace mediaeng
