#include "mediaeng/job/transcode/DecodedPicture.h"
#include <algorithm>
extern "C" {
#include <libavutil/pixdesc.h>
}

namespace mediaeng::job {

bool IsPlanarYuv(AVPixelFormat f)
{
    switch (f) {
    case AV_PIX_FMT_YUV420P:
    case AV_PIX_FMT_YUVJ420P:
    case AV_PIX_FMT_YUV422P:
    case AV_PIX_FMT_YUVJ422P:
    case AV_PIX_FMT_YUV444P:
    case AV_PIX_FMT_YUVJ444P: return true;
    default: return false;
    }
}

namespace {

bool IsFullRange(const AVFrame& f)
{
    const auto fmt = AVPixelFormat(f.format);
    return f.color_range == AVCOL_RANGE_JPEG || fmt == AV_PIX_FMT_YUVJ420P || fmt == AV_PIX_FMT_YUVJ422P ||
           fmt == AV_PIX_FMT_YUVJ444P;
}

}  // namespace

PlanarView PlanarOf(const AVFrame& f)
{
    const AVPixFmtDescriptor* d = av_pix_fmt_desc_get(AVPixelFormat(f.format));
    PlanarView v;
    for (int p = 0; p < 3; ++p) {
        v.data[p] = f.data[p];
        v.stride[p] = f.linesize[p];
    }
    v.width = f.width;
    v.height = f.height;
    v.chromaShiftX = d->log2_chroma_w;
    v.chromaShiftY = d->log2_chroma_h;
    v.fullRange = IsFullRange(f);
    return v;
}

frame::PlaneSet PlanesOf(const AVFrame& f)
{
    frame::PlaneSet p;
    for (int i = 0; i < 4; ++i) {
        p.data[i] = f.data[i];
        p.stride[i] = f.linesize[i];
    }
    return p;
}

bool ChromaAligned(const AVFrame& f, LONG left, LONG top)
{
    const AVPixFmtDescriptor* d = av_pix_fmt_desc_get(AVPixelFormat(f.format));
    return d && (left & ((1 << d->log2_chroma_w) - 1)) == 0 && (top & ((1 << d->log2_chroma_h) - 1)) == 0;
}

frame::Margins CropMargins(const RECT& crop, int width, int height)
{
    frame::Margins m{std::max<LONG>(crop.left, 0), std::max<LONG>(crop.top, 0), std::max<LONG>(crop.right, 0),
                     std::max<LONG>(crop.bottom, 0)};
    frame::ClampMargins(m, width, height);
    return m;
}

av::FramePtr CroppedView(const AVFrame& src, const frame::Margins& m)
{
    av::FramePtr view = av::MakeFrame();
    if (!view || av_frame_ref(view.get(), &src) < 0) return nullptr;
    view->crop_left = size_t(m.left);
    view->crop_top = size_t(m.top);
    view->crop_right = size_t(m.right);
    view->crop_bottom = size_t(m.bottom);
    if (av_frame_apply_cropping(view.get(), AV_FRAME_CROP_UNALIGNED) < 0) return nullptr;
    return view;
}

}  // namespace mediaeng::job
