#include "mediaeng/frame/BandedScaler.h"
#include "mediaeng/av/AvHandles.h"
#include "mediaeng/frame/ParallelRows.h"
#include <array>
#include <atomic>
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
    static constexpr size_t kSlots = 6;
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

}  // namespace mediaeng::frame
