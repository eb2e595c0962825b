#include "mediaeng/watermark/Sprite.h"
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace mediaeng::watermark {

namespace {


// The mean of 1 << k premultiplied samples (sum p, alpha sum a) scaled by g
// over dst: (p g 255 + (255 255 n - a g) dst) / (255 255 n), rounded.
// Sums stay within 255 n, so the numerator fits in 32 bits for n <= 4.
inline BYTE Mix(uint32_t p, uint32_t a, uint32_t g, uint32_t dst, int k)
{
    const uint32_t num = p * g * 255 + ((65025u << k) - a * g) * dst;
    return static_cast<BYTE>(std::min<uint32_t>(255, ((num + (32512u << k)) >> k) / 65025));
}

// The part of the sprite inside the picture, in picture pixels.
struct Clip {
    int x0, y0, x1, y1;
    bool Empty() const { return x0 >= x1 || y0 >= y1; }
};

// Where a sprite starting at start ends inside size; placements far away must not overflow.
int End(int start, int length, int size)
{
    return static_cast<int>(std::min<long long>(static_cast<long long>(start) + length, size));
}

void BlendLuma(const PlanarView& pic, const CSpriteYuva& yuva, int width, int x, int y, const Clip& c, uint32_t g)
{
    for (int row = c.y0; row < c.y1; ++row) {
        const YuvaPixel* sp = &yuva.pixels[static_cast<size_t>(row - y) * width + (c.x0 - x)];
        BYTE* d = pic.Row(0, row) + c.x0;
        // Mix is exact for clear and for opaque pixels, so the loop needs no
        // branches and vectorizes.
        for (int i = 0; i < c.x1 - c.x0; ++i) d[i] = Mix(sp[i].y, sp[i].a, g, d[i], 0);
    }
}

// Premultiplied chroma and alpha summed per luma column, then per chroma
// sample, of one chroma row; columns outside the sprite add nothing.
struct ChromaSums {
    std::vector<uint16_t> u, v, a;
    explicit ChromaSums(size_t n) : u(n), v(n), a(n) {}
    void Clear()
    {
        std::fill(u.begin(), u.end(), uint16_t(0));
        std::fill(v.begin(), v.end(), uint16_t(0));
        std::fill(a.begin(), a.end(), uint16_t(0));
    }
};

// Adds sprite row `row` (picture row) over the clip to the column sums, whose
// first entry is picture column first.
void AddRow(const CSpriteYuva& yuva, int width, int x, int y, const Clip& c, int row, int first, ChromaSums& cols)
{
    const YuvaPixel* sp = &yuva.pixels[static_cast<size_t>(row - y) * width + (c.x0 - x)];
    const size_t at = static_cast<size_t>(c.x0 - first);
    for (int i = 0; i < c.x1 - c.x0; ++i) {
        cols.u[at + i] = static_cast<uint16_t>(cols.u[at + i] + sp[i].u);
        cols.v[at + i] = static_cast<uint16_t>(cols.v[at + i] + sp[i].v);
        cols.a[at + i] = static_cast<uint16_t>(cols.a[at + i] + sp[i].a);
    }
}

// Mixes the samples [from, to) of a chroma row; each covers 1 << k pixels.
void MixRow(BYTE* du, BYTE* dv, const ChromaSums& sums, int from, int to, uint32_t g, int k)
{
    for (int i = from; i < to; ++i) {
        du[i] = Mix(sums.u[static_cast<size_t>(i)], sums.a[static_cast<size_t>(i)], g, du[i], k);
        dv[i] = Mix(sums.v[static_cast<size_t>(i)], sums.a[static_cast<size_t>(i)], g, dv[i], k);
    }
}

void BlendChroma(const PlanarView& pic, const CSpriteYuva& yuva, int width, int x, int y, const Clip& c, uint32_t g)
{
    const int sx = pic.chromaShiftX, sy = pic.chromaShiftY;
    const int cx0 = c.x0 >> sx, cx1 = ((c.x1 - 1) >> sx) + 1;
    const int cy0 = c.y0 >> sy, cy1 = ((c.y1 - 1) >> sy) + 1;
    const int count = cx1 - cx0, first = cx0 << sx;
    // A sample past an odd edge of the picture covers half as many pixels.
    const bool cutRight = (cx1 << sx) > pic.width;
    ChromaSums cols(static_cast<size_t>(count) << sx), samples(static_cast<size_t>(count));
    for (int cy = cy0; cy < cy1; ++cy) {
        const int top = cy << sy, bottom = std::min(top + (1 << sy), pic.height);
        cols.Clear();
        for (int row = std::max(top, c.y0); row < std::min(bottom, c.y1); ++row)
            AddRow(yuva, width, x, y, c, row, first, cols);
        for (size_t i = 0; i < samples.u.size(); ++i) {
            const size_t j = i << sx, last = j + (sx ? 1 : 0);
            samples.u[i] = static_cast<uint16_t>(cols.u[j] + (sx ? cols.u[last] : 0));
            samples.v[i] = static_cast<uint16_t>(cols.v[j] + (sx ? cols.v[last] : 0));
            samples.a[i] = static_cast<uint16_t>(cols.a[j] + (sx ? cols.a[last] : 0));
        }
        const int ky = bottom - top > 1 ? 1 : 0;
        BYTE* du = pic.Row(1, cy) + cx0;
        BYTE* dv = pic.Row(2, cy) + cx0;
        const int whole = cutRight ? count - 1 : count;
        MixRow(du, dv, samples, 0, whole, g, ky + sx);
        MixRow(du, dv, samples, whole, count, g, ky);
    }
}

}  // namespace

bool CanBlendPlanar(const PlanarView& pic)
{
    if (!pic.data[0] || !pic.data[1] || !pic.data[2]) return false;
    if (pic.width <= 0 || pic.height <= 0 || pic.width > kMaxFrameSide || pic.height > kMaxFrameSide) return false;
    if (pic.chromaShiftX < 0 || pic.chromaShiftX > 1 || pic.chromaShiftY < 0 || pic.chromaShiftY > 1) return false;
    for (int p = 0; p < 3; ++p)
        if (std::abs(pic.stride[p]) < pic.PlaneWidth(p)) return false;
    return true;
}

void BlendSpritePlanar(const PlanarView& pic, const CSprite& s, int x, int y, int alpha)
{
    if (s.Empty() || alpha <= 0 || !CanBlendPlanar(pic)) return;
    const Clip c{std::max(x, 0), std::max(y, 0), End(x, s.width, pic.width), End(y, s.height, pic.height)};
    if (c.Empty()) return;
    const bool cached = s.HasYuva(pic.fullRange);
    const CSpriteYuva converted = cached ? CSpriteYuva{} : ToYuva(s, pic.fullRange);
    const CSpriteYuva& yuva = cached ? s.yuva : converted;
    const uint32_t g = static_cast<uint32_t>(std::min(alpha, 255));
    BlendLuma(pic, yuva, s.width, x, y, c, g);
    BlendChroma(pic, yuva, s.width, x, y, c, g);
}

}  // namespace mediaeng::watermark
