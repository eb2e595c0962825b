#include "mediaeng/frame/SwsScaler.h"
#include "mediaeng/frame/ParallelRows.h"
#include <cstring>
extern "C" {
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
    m_ctx = sws_getCachedContext(m_ctx, sw, sh, AV_PIX_FMT_BGR24, dst.width, dst.height, AV_PIX_FMT_GBRP,
                                 swsFlags | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT, nullptr, nullptr, nullptr);
    if (!m_ctx) return E_FAIL;
    // Each plane row carries 32 bytes of slack for the scaler's wide stores.
    const int planeStride = (dst.width + 63) & ~31;
    const size_t plane = static_cast<size_t>(planeStride) * dst.height;
    m_planes.resize(plane * 3 + 64);
    uint8_t* g = m_planes.data();
    uint8_t* b = g + plane;
    uint8_t* r = b + plane;
    uint8_t* dplanes[4] = {g, b, r, nullptr};
    int dstrides[4] = {planeStride, planeStride, planeStride, 0};
    int first = 0, made = 0;
    for (int i = 0; i < count; ++i) {
        if (slices[i].rows <= 0) continue;
        const uint8_t* splanes[4] = {slices[i].top, nullptr, nullptr, nullptr};
        int sstrides[4] = {static_cast<int>(slices[i].stride), 0, 0, 0};
        made += sws_scale(m_ctx, splanes, sstrides, first, slices[i].rows, dplanes, dstrides);
        first += slices[i].rows;
    }
    if (made != dst.height) return E_FAIL;
    ParallelRows(dst.height, static_cast<long long>(dst.width) * dst.height, [&](int y0, int y1) {
        for (int y = y0; y < y1; ++y) {
            const size_t at = static_cast<size_t>(y) * planeStride;
            const uint8_t *pg = g + at, *pb = b + at, *pr = r + at;
            BYTE* d = dst.Row(y);
            for (int x = 0; x < dst.width; ++x, d += 3) {
                d[0] = pb[x];
                d[1] = pg[x];
                d[2] = pr[x];
            }
        }
    });
    return S_OK;
}

void CopyRect(const PixelView& src, int x, int y, const PixelView& dst)
{
    const size_t bytes = static_cast<size_t>(dst.width) * dst.bpp;
    ParallelRows(dst.height, static_cast<long long>(dst.width) * dst.height, [&](int r0, int r1) {
        for (int r = r0; r < r1; ++r) std::memcpy(dst.Row(r), src.At(x, y + r), bytes);
    });
}

}  // namespace mediaeng::frame
