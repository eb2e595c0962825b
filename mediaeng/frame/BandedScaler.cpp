#include "mediaeng/frame/BandedScaler.h"
#include "mediaeng/av/AvHandles.h"
#include "mediaeng/frame/ParallelRows.h"
#include <array>
#include <atomic>
#include <vector>
extern "C" {
#include <libavutil/pixdesc.h>
}

namespace mediaeng::frame {

namespace {

struct ScalerKey {
    int width = 0, height = 0;
    AVPixelFormat src = AV_PIX_FMT_NONE, dst = AV_PIX_FMT_NONE;
    int flags = 0;
    bool operator==(const ScalerKey& o) const
    {
        return width == o.width && height == o.height && src == o.src && dst == o.dst && flags == o.flags;
    }
};

// Each worker keeps the contexts of the last few band shapes it converted:
// a context is not to be shared between threads, and making one costs more
// than converting a band.
struct ScalerCache {
    static constexpr size_t kSlots = 8;
    std::array<ScalerKey, kSlots> keys{};
    std::array<av::SwsPtr, kSlots> contexts;
    size_t next = 0;

    SwsContext* For(const ScalerKey& k)
    {
        for (size_t i = 0; i < kSlots; ++i)
            if (contexts[i] && keys[i] == k) return contexts[i].get();
        const size_t slot = next++ % kSlots;
        contexts[slot].reset(
            sws_getContext(k.width, k.height, k.src, k.width, k.height, k.dst, k.flags, nullptr, nullptr, nullptr));
        keys[slot] = k;
        return contexts[slot].get();
    }
};

ScalerCache& ThreadCache()
{
    thread_local ScalerCache cache;
    return cache;
}

// The plane pointers of src moved down to luma row y.
PlaneSet RowsFrom(const PlaneSet& p, const AVPixFmtDescriptor* desc, int y)
{
    PlaneSet out = p;
    const bool planar = (desc->flags & AV_PIX_FMT_FLAG_PLANAR) != 0;
    for (int i = 0; i < 4 && p.data[i]; ++i) {
        const int shift = planar && (i == 1 || i == 2) ? desc->log2_chroma_h : 0;
        out.data[i] = p.data[i] + static_cast<std::ptrdiff_t>(y >> shift) * p.stride[i];
    }
    return out;
}

}  // namespace

bool ConvertInBands(const PlaneSet& src, AVPixelFormat srcFormat, const PlaneSet& dst, AVPixelFormat dstFormat,
                    int width, int height, int swsFlags)
{
    const AVPixFmtDescriptor* sd = av_pix_fmt_desc_get(srcFormat);
    const AVPixFmtDescriptor* dd = av_pix_fmt_desc_get(dstFormat);
    if (!sd || !dd || width <= 0 || height <= 0) return false;
    std::atomic<bool> ok{true};
    // Work in pairs of rows so that no band starts on an odd row.
    const int pairs = (height + 1) / 2;
    ParallelRows(pairs, static_cast<long long>(width) * height, [&](int p0, int p1) {
        const int y0 = p0 * 2, y1 = std::min(height, p1 * 2);
        SwsContext* sws = ThreadCache().For(ScalerKey{width, y1 - y0, srcFormat, dstFormat, swsFlags});
        if (!sws) {
            ok = false;
            return;
        }
        const PlaneSet s = RowsFrom(src, sd, y0);
        const PlaneSet d = RowsFrom(dst, dd, y0);
        sws_scale(sws, s.data, s.stride, 0, y1 - y0, d.data, d.stride);
    });
    return ok;
}

bool EditAsRgbStrips(const PlaneSet& src, const PlaneSet& dst, AVPixelFormat format, int width, int height,
                     const RgbStripEdit& edit)
{
    const AVPixFmtDescriptor* d = av_pix_fmt_desc_get(format);
    if (!d || width <= 0 || height <= 0) return false;
    constexpr int kStrip = 16;  // rows: 90 KB of RGB at 1920 wide
    std::atomic<bool> ok{true};
    const int strips = (height + kStrip - 1) / kStrip;
    ParallelRows(strips, static_cast<long long>(width) * height, [&](int s0, int s1) {
        const int stride = (width * 3 + 63) & ~63;
        thread_local std::vector<uint8_t> buffer;
        buffer.resize(static_cast<size_t>(stride) * kStrip);
        PlaneSet rgb;
        rgb.data[0] = buffer.data();
        rgb.stride[0] = stride;
        for (int s = s0; s < s1 && ok; ++s) {
            const int y0 = s * kStrip, rows = std::min(kStrip, height - y0);
            SwsContext* in = ThreadCache().For(ScalerKey{width, rows, format, AV_PIX_FMT_BGR24, SWS_POINT});
            SwsContext* out = ThreadCache().For(ScalerKey{width, rows, AV_PIX_FMT_BGR24, format, SWS_BILINEAR});
            if (!in || !out) {
                ok = false;
                return;
            }
            const PlaneSet from = RowsFrom(src, d, y0);
            const PlaneSet to = RowsFrom(dst, d, y0);
            sws_scale(in, from.data, from.stride, 0, rows, rgb.data, rgb.stride);
            edit(buffer.data(), stride, width, rows);
            sws_scale(out, rgb.data, rgb.stride, 0, rows, to.data, to.stride);
        }
    });
    return ok;
}

std::vector<uint8_t> GreyRoundTrip(AVPixelFormat format)
{
    // A ramp of every luma value in two rows (so 4:2:0 is whole), chroma at its middle.
    constexpr int kW = 256, kH = 2;
    std::vector<uint8_t> planes[3], rgb(size_t(kW) * 3 * kH);
    PlaneSet yuv, bgr;
    for (int p = 0; p < 3; ++p) {
        planes[p].assign(size_t(kW) * kH + 64, p ? 128 : 0);  // slack for vector code
        yuv.data[p] = planes[p].data();
        yuv.stride[p] = kW;
    }
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) planes[0][size_t(y) * kW + size_t(x)] = uint8_t(x);
    bgr.data[0] = rgb.data();
    bgr.stride[0] = kW * 3;
    av::SwsPtr in(sws_getContext(kW, kH, format, kW, kH, AV_PIX_FMT_BGR24, SWS_POINT, nullptr, nullptr, nullptr));
    av::SwsPtr out(sws_getContext(kW, kH, AV_PIX_FMT_BGR24, kW, kH, format, SWS_BILINEAR, nullptr, nullptr, nullptr));
    if (!in || !out) return {};
    sws_scale(in.get(), yuv.data, yuv.stride, 0, kH, bgr.data, bgr.stride);
    sws_scale(out.get(), bgr.data, bgr.stride, 0, kH, yuv.data, yuv.stride);
    return std::vector<uint8_t>(planes[0].begin(), planes[0].begin() + kW);
}

}  // namespace mediaeng::frame
