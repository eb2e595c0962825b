#include "mediaeng/frame/SpatialFilters.h"
#include "mediaeng/frame/ParallelRows.h"
#include <algorithm>
#include <cstring>

namespace mediaeng::frame {

namespace {

// One row's inner bytes, each neighbour one channel step away. Everything
// arrives by value and the rows cannot overlap: a byte store may alias any
// memory, so a length read through a reference would keep this loop scalar.
template <class Kernel>
void ConvolveInner(const BYTE* __restrict up, const BYTE* __restrict mid, const BYTE* __restrict dn,
                   BYTE* __restrict d, int ch, int end, Kernel k)
{
    for (int i = ch; i < end; ++i)
        d[i] = k(up[i - ch], up[i], up[i + ch], mid[i - ch], mid[i], mid[i + ch], dn[i - ch], dn[i], dn[i + ch]);
}

// The 3x3 kernel k over every channel; a row's two end pixels with the edge
// repeated.
template <class Kernel>
void Convolve(const PixelView& src, const PixelView& dst, Kernel k)
{
    const int w = src.width, h = src.height, ch = src.bpp;
    ParallelRows(h, static_cast<long long>(w) * h, [src, dst, w, h, ch, k](int y0, int y1) {
        for (int y = y0; y < y1; ++y) {
            const BYTE* up = src.Row(std::max(y - 1, 0));
            const BYTE* mid = src.Row(y);
            const BYTE* dn = src.Row(std::min(y + 1, h - 1));
            BYTE* d = dst.Row(y);
            const auto pixel = [&](int x) {
                const int l = std::max(x - 1, 0) * ch, c = x * ch, r = std::min(x + 1, w - 1) * ch;
                for (int i = 0; i < ch; ++i)
                    d[c + i] = k(up[l + i], up[c + i], up[r + i], mid[l + i], mid[c + i], mid[r + i], dn[l + i],
                                 dn[c + i], dn[r + i]);
            };
            pixel(0);
            ConvolveInner(up, mid, dn, d, ch, (w - 1) * ch, k);
            if (w > 1) pixel(w - 1);
        }
    });
}

void AverageRows(const BYTE* __restrict a, const BYTE* __restrict b, BYTE* __restrict d, size_t bytes)
{
    for (size_t i = 0; i < bytes; ++i) d[i] = static_cast<BYTE>((a[i] + b[i] + 1) >> 1);
}

BYTE Clamp255(int v) { return static_cast<BYTE>(std::clamp(v, 0, 255)); }

}  // namespace

void SoftenInto(const PixelView& src, const PixelView& dst)
{
    Convolve(src, dst, [](int a, int b, int c, int d, int e, int f, int g, int h, int i) {
        return static_cast<BYTE>((a + 2 * b + c + 2 * d + 4 * e + 2 * f + g + 2 * h + i + 8) >> 4);
    });
}

void SharpenInto(const PixelView& src, const PixelView& dst)
{
    Convolve(src, dst, [](int, int b, int, int d, int e, int f, int, int h, int) {
        return Clamp255(5 * e - b - d - f - h);
    });
}

void DeinterlaceInto(const PixelView& src, const PixelView& dst)
{
    const size_t bytes = static_cast<size_t>(src.width) * src.bpp;
    ParallelRows(src.height, static_cast<long long>(src.width) * src.height, [&](int y0, int y1) {
        for (int y = y0; y < y1; ++y) {
            BYTE* d = dst.Row(y);
            if (y % 2 == 0) {
                std::memcpy(d, src.Row(y), bytes);
            } else if (y + 1 < src.height) {
                AverageRows(src.Row(y - 1), src.Row(y + 1), d, bytes);
            } else {
                std::memcpy(d, src.Row(y - 1), bytes);
            }
        }
    });
}

}  // namespace mediaeng::frame
