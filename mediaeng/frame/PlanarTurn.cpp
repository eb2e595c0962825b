#include "mediaeng/frame/PlanarTurn.h"
#include "mediaeng/frame/ParallelRows.h"
#include <algorithm>
#include <cstdint>
#include <cstring>

namespace mediaeng::frame {

namespace {

// Rows [y0, y1) of one plane. A turn reads down a column of the source for
// each row it writes; tiles of 32 rows keep those columns in the cache.
void RemapRows(const BYTE* src, std::ptrdiff_t srcStride, BYTE* dst, std::ptrdiff_t dstStride, int dw,
               const TurnMapping& m, int y0, int y1)
{
    const std::ptrdiff_t step = m.ax + m.ay * srcStride;
    if (step == 1) {
        for (int y = y0; y < y1; ++y)
            std::memcpy(dst + y * dstStride, src + (m.by * y + m.cy) * srcStride + m.bx * y + m.cx, size_t(dw));
        return;
    }
    if (step == -1) {  // a half turn or a mirror: each row read backwards
        for (int y = y0; y < y1; ++y) {
            const BYTE* s = src + (m.by * y + m.cy) * srcStride + m.bx * y + m.cx;
            BYTE* d = dst + y * dstStride;
            for (int x = 0; x < dw; ++x) d[x] = s[-x];
        }
        return;
    }
    constexpr int kTile = 32;
    for (int ty = y0; ty < y1; ty += kTile) {
        const int te = ty + kTile < y1 ? ty + kTile : y1;
        for (int tx = 0; tx < dw; tx += kTile) {
            const int xe = tx + kTile < dw ? tx + kTile : dw;
            for (int y = ty; y < te; ++y) {
                const BYTE* s = src + (m.ay * tx + m.by * y + m.cy) * srcStride + m.ax * tx + m.bx * y + m.cx;
                BYTE* d = dst + y * dstStride;
                for (int x = tx; x < xe; ++x, s += step) d[x] = *s;
            }
        }
    }
}

}  // namespace

// Undo the flips of the turned picture, then the turn.
TurnMapping TurnMappingFor(int quarter, bool flipH, bool flipV, int sw, int sh)
{
    const int dw = (quarter & 1) ? sh : sw;
    const int dh = (quarter & 1) ? sw : sh;
    const int fx = flipH ? -1 : 1, ox = flipH ? dw - 1 : 0;
    const int fy = flipV ? -1 : 1, oy = flipV ? dh - 1 : 0;
    // sx = au*u + av*v + c0; sy = bu*u + bv*v + c1 on (u, v) = (fx*x + ox, fy*y + oy).
    int au = 0, av = 0, c0 = 0, bu = 0, bv = 0, c1 = 0;
    switch (quarter) {
    case 0: au = 1; bv = 1; break;
    case 1: av = 1; bu = -1; c1 = sh - 1; break;             // sx = v, sy = sh-1-u
    case 2: au = -1; c0 = sw - 1; bv = -1; c1 = sh - 1; break;
    default: av = -1; c0 = sw - 1; bu = 1; break;            // sx = sw-1-v, sy = u
    }
    return TurnMapping{au * fx, av * fy, au * ox + av * oy + c0, bu * fx, bv * fy, bu * ox + bv * oy + c1};
}

void TurnedSize(int quarter, int width, int height, int& outWidth, int& outHeight)
{
    const bool odd = (quarter & 1) != 0;
    outWidth = odd ? height : width;
    outHeight = odd ? width : height;
}

bool TurnPlanar(const PlanarView& src, const PlanarView& dst, int quarter, bool flipH, bool flipV)
{
    quarter &= 3;
    const bool odd = (quarter & 1) != 0;
    int w = 0, h = 0;
    TurnedSize(quarter, src.width, src.height, w, h);
    const int sx = odd ? src.chromaShiftY : src.chromaShiftX, sy = odd ? src.chromaShiftX : src.chromaShiftY;
    if (!src.data[0] || !dst.data[0] || dst.width != w || dst.height != h || dst.chromaShiftX != sx ||
        dst.chromaShiftY != sy)
        return false;
    TurnMapping maps[3];
    for (int p = 0; p < 3; ++p) maps[p] = TurnMappingFor(quarter, flipH, flipV, src.PlaneWidth(p), src.PlaneHeight(p));
    // Each worker takes its luma rows and the chroma rows they cover.
    ParallelRows(h, static_cast<long long>(w) * h, [&](int y0, int y1) {
        for (int p = 0; p < 3; ++p) {
            const int shift = p ? sy : 0, round = (1 << shift) - 1;
            RemapRows(src.data[p], src.stride[p], dst.data[p], dst.stride[p], dst.PlaneWidth(p), maps[p],
                      (y0 + round) >> shift, (y1 + round) >> shift);
        }
    });
    return true;
}

namespace {

// A row of pixels read step bytes apart. Three-byte pixels move as one
// four-byte word whose last byte the next pixel overwrites; the row's last
// pixel, and any pixel whose fourth byte may lie past the picture, move as
// three bytes.
void TurnRow(const BYTE* s, std::ptrdiff_t step, BYTE* __restrict d, int count, int bpp, const BYTE* lastPixel)
{
    if (bpp == 4) {
        for (int x = 0; x < count; ++x, s += step, d += 4) std::memcpy(d, s, 4);
        return;
    }
    int x = 0;
    const BYTE* wideEnd = s + step * (count - 1);
    const bool wide = step > 0 ? (lastPixel < s || lastPixel >= wideEnd) : (lastPixel > s || lastPixel <= wideEnd);
    if (wide) {
        for (; x + 1 < count; ++x, s += step, d += 3) {
            std::uint32_t word;
            std::memcpy(&word, s, 4);
            std::memcpy(d, &word, 4);
        }
    }
    for (; x < count; ++x, s += step, d += 3) {
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
    }
}

}  // namespace

void TurnPacked(const PixelView& src, const PixelView& dst, const TurnMapping& m)
{
    if (src.width <= 0 || src.height <= 0) return;
    const int bpp = src.bpp;
    const std::ptrdiff_t step = m.ax * bpp + m.ay * src.stride;
    const BYTE* lastPixel = src.At(src.width - 1, src.stride > 0 ? src.height - 1 : 0);
    // Tiles of 64 x 64 pixels keep the source columns a quarter turn reads
    // down in the cache (32 x 32 ran at half the speed: each row of a tile
    // then reads too little of each cache line it brings in).
    constexpr int kTile = 64;
    const auto rows = [src, dst, m, bpp, step, lastPixel](int y0, int y1) {
        for (int ty = y0; ty < y1; ty += kTile) {
            const int te = std::min(ty + kTile, y1);
            for (int tx = 0; tx < dst.width; tx += kTile) {
                const int count = std::min(tx + kTile, dst.width) - tx;
                for (int y = ty; y < te; ++y)
                    TurnRow(src.At(m.ax * tx + m.bx * y + m.cx, m.ay * tx + m.by * y + m.cy), step, dst.At(tx, y),
                            count, bpp, lastPixel);
            }
        }
    };
    ParallelRows(dst.height, static_cast<long long>(dst.width) * dst.height, rows);
}

}  // namespace mediaeng::frame
