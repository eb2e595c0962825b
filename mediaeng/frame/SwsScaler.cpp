#include "mediaeng/frame/SwsScaler.h"
#include "mediaeng/frame/ParallelRows.h"
#include <cstring>
extern "C" {
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

namespace mediaeng::frame {

CSwsScaler::~CSwsScaler() { sws_freeContext(m_ctx); }

namespace {

AVPixelFormat AvFormat(PixelFormat f)
{
    switch (f) {
    case PixelFormat::Bgr24: return AV_PIX_FMT_BGR24;
    case PixelFormat::Bgr32: return AV_PIX_FMT_BGR0;
    case PixelFormat::I420: return AV_PIX_FMT_YUV420P;
    case PixelFormat::YV12: return AV_PIX_FMT_YUV420P;
    case PixelFormat::NV12: return AV_PIX_FMT_NV12;
    case PixelFormat::YUY2: return AV_PIX_FMT_YUYV422;
    case PixelFormat::UYVY: return AV_PIX_FMT_UYVY422;
    default: return AV_PIX_FMT_NONE;
    }
}

// Plane pointers of a YUV picture; these are top-down whatever the height's sign.
void YuvPlanes(const FrameIn& in, const uint8_t* planes[4], int strides[4])
{
    const int w = in.Width();
    const int h = in.Height();
    const int cw = (w + 1) / 2;
    const int ch = (h + 1) / 2;
    const uint8_t* base = in.data;
    planes[0] = base;
    strides[0] = w;
    switch (in.format) {
    case PixelFormat::I420:
        planes[1] = base + w * h;
        planes[2] = planes[1] + cw * ch;
        strides[1] = strides[2] = cw;
        break;
    case PixelFormat::YV12:
        planes[2] = base + w * h;
        planes[1] = planes[2] + cw * ch;
        strides[1] = strides[2] = cw;
        break;
    case PixelFormat::NV12:
        planes[1] = base + w * h;
        strides[1] = cw * 2;
        break;
    default:  // packed 4:2:2
        strides[0] = cw * 4;
        break;
    }
}

// One row of three planes as packed BGR; the width comes by value, as a
// byte store could otherwise change it under the loop.
void PackRow(const uint8_t* __restrict pb, const uint8_t* __restrict pg, const uint8_t* __restrict pr,
             BYTE* __restrict d, int width)
{
    for (int x = 0; x < width; ++x, d += 3) {
        d[0] = pb[x];
        d[1] = pg[x];
        d[2] = pr[x];
    }
}

// A frame over memory the caller keeps: libswscale's frame calls copy a
// picture that has no buffer of its own, or write into a new one.
av::FramePtr BorrowFrame(AVPixelFormat format, int width, int height, uint8_t* const planes[], const int strides[],
                         int count, uint8_t* base, size_t bytes)
{
    av::FramePtr f = av::MakeFrame();
    if (!f) return f;
    f->format = format;
    f->width = width;
    f->height = height;
    for (int i = 0; i < count; ++i) {
        f->data[i] = planes[i];
        f->linesize[i] = strides[i];
    }
    f->buf[0] = av_buffer_create(base, bytes, [](void*, uint8_t*) {}, nullptr, 0);
    if (!f->buf[0]) f.reset();
    return f;
}

av::SwsPtr MakeThreadedContext(int sw, int sh, int dw, int dh, int flags, int threads)
{
    av::SwsPtr ctx(sws_alloc_context());
    SwsContext* c = ctx.get();
    if (!c) return nullptr;
    const bool set = av_opt_set_int(c, "srcw", sw, 0) >= 0 && av_opt_set_int(c, "srch", sh, 0) >= 0 &&
                     av_opt_set_int(c, "dstw", dw, 0) >= 0 && av_opt_set_int(c, "dsth", dh, 0) >= 0 &&
                     av_opt_set_int(c, "src_format", AV_PIX_FMT_BGR24, 0) >= 0 &&
                     av_opt_set_int(c, "dst_format", AV_PIX_FMT_GBRP, 0) >= 0 &&
                     av_opt_set_int(c, "sws_flags", flags, 0) >= 0 && av_opt_set_int(c, "threads", threads, 0) >= 0;
    if (!set || sws_init_context(c, nullptr, nullptr) < 0) return nullptr;
    return ctx;
}

}  // namespace

HRESULT CSwsScaler::Scale(const FrameIn& in, const RECT* srcRect, const PixelView& dst, int swsFlags)
{
    if (!in.hasData || !dst.top) return E_POINTER;
    const AVPixelFormat srcFmt = AvFormat(in.format);
    const AVPixelFormat dstFmt = dst.bpp == 4 ? AV_PIX_FMT_BGR0 : AV_PIX_FMT_BGR24;
    if (srcFmt == AV_PIX_FMT_NONE) return E_INVALIDARG;

    const uint8_t* planes[4] = {};
    int strides[4] = {};
    int sw = in.Width();
    int sh = in.Height();
    if (IsRgb(in.format)) {
        const PixelView v = in.View();
        int x = 0, y = 0;
        if (srcRect) {
            x = srcRect->left;
            y = srcRect->top;
            sw = srcRect->right - srcRect->left;
            sh = srcRect->bottom - srcRect->top;
            if (x < 0 || y < 0 || sw <= 0 || sh <= 0 || x + sw > v.width || y + sh > v.height) return E_INVALIDARG;
        }
        if (sw == dst.width && sh == dst.height && v.bpp == dst.bpp) {
            CopyRect(v, x, y, dst);
            return S_OK;
        }
        planes[0] = v.At(x, y);
        strides[0] = static_cast<int>(v.stride);
        if (v.bpp == 3 && dst.bpp == 3) {
            const RgbSlice whole{planes[0], v.stride, sh};
            return ScaleSlices(&whole, 1, sw, dst, swsFlags);
        }
    } else {
        YuvPlanes(in, planes, strides);
    }
    m_ctx = sws_getCachedContext(m_ctx, sw, sh, srcFmt, dst.width, dst.height, dstFmt,
                                 swsFlags | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT, nullptr, nullptr, nullptr);
    if (!m_ctx) return E_FAIL;
    uint8_t* dplanes[4] = {dst.top, nullptr, nullptr, nullptr};
    int dstrides[4] = {static_cast<int>(dst.stride), 0, 0, 0};
    const int rows = sws_scale(m_ctx, planes, strides, 0, sh, dplanes, dstrides);
    return rows > 0 ? S_OK : E_FAIL;
}

HRESULT CSwsScaler::ScaleSlices(const RgbSlice* slices, int count, int sw, const PixelView& dst, int swsFlags)
{
    int sh = 0;
    for (int i = 0; i < count; ++i) sh += slices[i].rows;
    if (sw <= 0 || sh <= 0 || !dst.top || dst.bpp != 3) return E_INVALIDARG;
    if (sw == dst.width && sh == dst.height) {
        int row = 0;
        for (int i = 0; i < count; ++i)
            for (int r = 0; r < slices[i].rows; ++r, ++row)
                std::memcpy(dst.Row(row), slices[i].top + r * slices[i].stride, static_cast<size_t>(sw) * 3);
        return S_OK;
    }
    // Each plane row carries 32 bytes of slack for the scaler's wide stores.
    const int planeStride = (dst.width + 63) & ~31;
    const size_t plane = static_cast<size_t>(planeStride) * dst.height;
    m_planes.resize(plane * 3 + 64);
    uint8_t* g = m_planes.data();
    uint8_t* b = g + plane;
    uint8_t* r = b + plane;
    uint8_t* const planes[3] = {g, b, r};
    const HRESULT hr = m_threads > 1 ? ScaleThreaded(slices, count, sw, sh, planes, planeStride, dst, swsFlags)
                                     : ScalePlanes(slices, count, sw, sh, planes, planeStride, dst, swsFlags);
    if (FAILED(hr)) return hr;
    ParallelRows(dst.height, static_cast<long long>(dst.width) * dst.height, [g, b, r, planeStride, dst](int y0, int y1) {
        for (int y = y0; y < y1; ++y) {
            const size_t at = static_cast<size_t>(y) * planeStride;
            PackRow(b + at, g + at, r + at, dst.Row(y), dst.width);
        }
    });
    return S_OK;
}

HRESULT CSwsScaler::ScalePlanes(const RgbSlice* slices, int count, int sw, int sh, uint8_t* const planes[3],
                                int planeStride, const PixelView& dst, int swsFlags)
{
    m_ctx = sws_getCachedContext(m_ctx, sw, sh, AV_PIX_FMT_BGR24, dst.width, dst.height, AV_PIX_FMT_GBRP,
                                 swsFlags | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT, nullptr, nullptr, nullptr);
    if (!m_ctx) return E_FAIL;
    uint8_t* dplanes[4] = {planes[0], planes[1], planes[2], nullptr};
    int dstrides[4] = {planeStride, planeStride, planeStride, 0};
    int first = 0, made = 0;
    for (int i = 0; i < count; ++i) {
        if (slices[i].rows <= 0) continue;
        const uint8_t* splanes[4] = {slices[i].top, nullptr, nullptr, nullptr};
        int sstrides[4] = {static_cast<int>(slices[i].stride), 0, 0, 0};
        made += sws_scale(m_ctx, splanes, sstrides, first, slices[i].rows, dplanes, dstrides);
        first += slices[i].rows;
    }
    return made == dst.height ? S_OK : E_FAIL;
}

// The frame calls read one picture: slices from elsewhere are joined first.
HRESULT CSwsScaler::ScaleThreaded(const RgbSlice* slices, int count, int sw, int sh, uint8_t* const planes[3],
                                  int planeStride, const PixelView& dst, int swsFlags)
{
    const int flags = swsFlags | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT;
    Threaded& t = m_threaded;
    if (!t.ctx || t.sw != sw || t.sh != sh || t.dw != dst.width || t.dh != dst.height || t.flags != flags ||
        t.threads != m_threads) {
        t = Threaded{MakeThreadedContext(sw, sh, dst.width, dst.height, flags, m_threads), sw, sh, dst.width,
                     dst.height, flags, m_threads};
        if (!t.ctx) return E_FAIL;
    }
    const size_t rowBytes = static_cast<size_t>(sw) * 3;
    const BYTE* top = slices[0].top;
    std::ptrdiff_t stride = slices[0].stride;
    if (count > 1) {
        m_joined.resize(rowBytes * static_cast<size_t>(sh));
        BYTE* joined = m_joined.data();
        for (int i = 0; i < count; ++i) {
            const RgbSlice& slice = slices[i];
            ParallelRows(slice.rows, static_cast<long long>(sw) * slice.rows, [&slice, joined, rowBytes](int y0, int y1) {
                for (int y = y0; y < y1; ++y) std::memcpy(joined + y * rowBytes, slice.top + y * slice.stride, rowBytes);
            });
            joined += rowBytes * static_cast<size_t>(slice.rows);
        }
        top = m_joined.data();
        stride = static_cast<std::ptrdiff_t>(rowBytes);
    }
    // A bottom-up picture (negative stride) starts lowest in memory at its
    // last row.
    uint8_t* const srcPlane[1] = {const_cast<uint8_t*>(top)};
    const int srcStride[1] = {static_cast<int>(stride)};
    uint8_t* lowest = const_cast<uint8_t*>(stride < 0 ? top + (sh - 1) * stride : top);
    av::FramePtr in = BorrowFrame(AV_PIX_FMT_BGR24, sw, sh, srcPlane, srcStride, 1, lowest,
                              static_cast<size_t>(stride < 0 ? -stride : stride) * static_cast<size_t>(sh));
    const int dstStrides[3] = {planeStride, planeStride, planeStride};
    av::FramePtr out = BorrowFrame(AV_PIX_FMT_GBRP, dst.width, dst.height, planes, dstStrides, 3, m_planes.data(),
                               m_planes.size());
    if (!in || !out) return E_OUTOFMEMORY;
    return sws_scale_frame(t.ctx.get(), out.get(), in.get()) >= 0 ? S_OK : E_FAIL;
}

void CopyRect(const PixelView& src, int x, int y, const PixelView& dst)
{
    const size_t bytes = static_cast<size_t>(dst.width) * dst.bpp;
    ParallelRows(dst.height, static_cast<long long>(dst.width) * dst.height, [&](int r0, int r1) {
        for (int r = r0; r < r1; ++r) std::memcpy(dst.Row(r), src.At(x, y + r), bytes);
    });
}

}  // namespace mediaeng::frame
