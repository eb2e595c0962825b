#include "mediaeng/frame/EraseKinds.h"
#include <algorithm>
#include <cstdint>
#include <vector>

namespace mediaeng::frame {

namespace {

// One box pass along a line of n pixels (channels interleaved), src and dst
// distinct; ext is scratch for the line with its ends repeated.
void BoxLine(const BYTE* src, std::ptrdiff_t step, BYTE* dst, std::ptrdiff_t dstep, int n, int ch, int radius,
             std::vector<int>& ext)
{
    const int win = 2 * radius + 1;
    // floor(v / win) as a multiply, exact for the sums that occur here (< 2^24).
    const uint64_t inv = ((uint64_t{1} << 32) + win - 1) / win;
    ext.resize(static_cast<size_t>(n + 2 * radius) * ch);
    for (int i = -radius; i < n + radius; ++i) {
        const BYTE* p = src + std::clamp(i, 0, n - 1) * step;
        for (int c = 0; c < ch; ++c) ext[static_cast<size_t>(i + radius) * ch + c] = p[c];
    }
    for (int c = 0; c < ch; ++c) {
        const int* e = ext.data() + c;
        int sum = 0;
        for (int k = 0; k < win; ++k) sum += e[k * ch];
        for (int i = 0; i < n; ++i) {
            dst[i * dstep + c] = static_cast<BYTE>((static_cast<uint64_t>(sum + win / 2) * inv) >> 32);
            if (i + 1 < n) sum += e[(i + win) * ch] - e[i * ch];
        }
    }
}

// The same pass down every column of a block at once, row by row: the
// block's rows are read in order instead of one column at a time, and the
// sums of a row add as plain arrays. src and dst distinct; sum is scratch.
void BoxColumns(const BYTE* src, BYTE* dst, std::ptrdiff_t row, int h, int radius, std::vector<int>& sum)
{
    const int win = 2 * radius + 1;
    const uint64_t inv = ((uint64_t{1} << 32) + win - 1) / win;
    const size_t n = static_cast<size_t>(row);
    auto line = [&](int y) { return src + std::clamp(y, 0, h - 1) * row; };
    sum.assign(n, 0);
    for (int k = -radius; k <= radius; ++k) {
        const BYTE* p = line(k);
        for (size_t x = 0; x < n; ++x) sum[x] += p[x];
    }
    int* acc = sum.data();
    for (int i = 0; i < h; ++i) {
        BYTE* d = dst + i * row;
        for (size_t x = 0; x < n; ++x)
            d[x] = static_cast<BYTE>((static_cast<uint64_t>(acc[x] + win / 2) * inv) >> 32);
        if (i + 1 == h) break;
        const BYTE* add = line(i + radius + 1);
        const BYTE* sub = line(i - radius);
        for (size_t x = 0; x < n; ++x) acc[x] += add[x] - sub[x];
    }
}

}  // namespace

void BlurRect(const PixelView& v, const PixelRect& r, int radius)
{
    if (r.Empty() || radius < 1) return;
    const int w = r.Width(), h = r.Height(), ch = v.bpp;
    std::vector<BYTE> a(static_cast<size_t>(w) * h * ch), b(a.size());
    for (int y = 0; y < h; ++y) std::copy_n(v.At(r.left, r.top + y), static_cast<size_t>(w) * ch, &a[size_t(y) * w * ch]);
    const std::ptrdiff_t row = static_cast<std::ptrdiff_t>(w) * ch;
    std::vector<int> ext;
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < h; ++y) BoxLine(&a[y * row], ch, &b[y * row], ch, w, ch, radius, ext);
        BoxColumns(b.data(), a.data(), row, h, radius, ext);
    }
    for (int y = 0; y < h; ++y) std::copy_n(&a[y * row], static_cast<size_t>(row), v.At(r.left, r.top + y));
}

void PixelateRect(const PixelView& v, const PixelRect& r, int cell)
{
    if (r.Empty() || cell < 2) return;
    const int ch = v.bpp;
    for (int cy = r.top; cy < r.bottom; cy += cell) {
        const int ey = std::min(cy + cell, r.bottom);
        for (int cx = r.left; cx < r.right; cx += cell) {
            const int ex = std::min(cx + cell, r.right);
            uint32_t sum[4] = {};
            for (int y = cy; y < ey; ++y)
                for (int x = cx; x < ex; ++x)
                    for (int c = 0; c < ch; ++c) sum[c] += v.At(x, y)[c];
            const uint32_t n = static_cast<uint32_t>((ey - cy) * (ex - cx));
            BYTE mean[4];
            for (int c = 0; c < ch; ++c) mean[c] = static_cast<BYTE>((sum[c] + n / 2) / n);
            for (int y = cy; y < ey; ++y)
                for (int x = cx; x < ex; ++x) std::copy_n(mean, ch, v.At(x, y));
        }
    }
}

void FillRectFromSurroundings(const PixelView& v, const PixelRect& r)
{
    if (r.Empty()) return;
    const int ch = v.bpp;
    const bool hasL = r.left > 0, hasR = r.right < v.width, hasT = r.top > 0, hasB = r.bottom < v.height;
    if (!hasL && !hasR && !hasT && !hasB) {
        uint64_t sum[4] = {};
        uint64_t n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                if (y != r.top && y != r.bottom - 1 && x != r.left && x != r.right - 1) continue;
                for (int c = 0; c < ch; ++c) sum[c] += v.At(x, y)[c];
                ++n;
            }
        BYTE mean[4];
        for (int c = 0; c < ch; ++c) mean[c] = static_cast<BYTE>((sum[c] + n / 2) / n);
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) std::copy_n(mean, ch, v.At(x, y));
        return;
    }
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            double acc[4] = {}, wsum = 0;
            auto add = [&](const BYTE* p, int dist) {
                const double w = 1.0 / dist;
                for (int c = 0; c < ch; ++c) acc[c] += w * p[c];
                wsum += w;
            };
            if (hasL) add(v.At(r.left - 1, y), x - r.left + 1);
            if (hasR) add(v.At(r.right, y), r.right - x);
            if (hasT) add(v.At(x, r.top - 1), y - r.top + 1);
            if (hasB) add(v.At(x, r.bottom), r.bottom - y);
            BYTE* d = v.At(x, y);
            for (int c = 0; c < ch; ++c) d[c] = static_cast<BYTE>(acc[c] / wsum + 0.5);
        }
    }
}

PixelRect EraserRect(const tag_ERASEPARAM& p, int w, int h)
{
    PixelRect r;
    if (p.nLeft > p.nRight || p.nTop > p.nBottom) return r;  // empty
    r.left = std::clamp<LONG>(p.nLeft, 0, w);
    r.right = std::clamp<LONG>(p.nRight, 0, w);
    r.top = std::clamp<LONG>(p.nTop, 0, h);
    r.bottom = std::clamp<LONG>(p.nBottom, 0, h);
    return r;
}

void EraseRect(const tag_ERASEPARAM& p, const PixelView& v, const PixelRect& r)
{
    switch (p.nType) {
    case ERASER_BLUR: BlurRect(v, r, std::clamp<LONG>(p.nStrength, 1, 16)); break;
    case ERASER_PIXELATE: PixelateRect(v, r, std::clamp<LONG>(p.nCell, 1, 16)); break;
    case ERASER_FILL: FillRectFromSurroundings(v, r); break;
    default: break;
    }
}

}  // namespace mediaeng::frame
