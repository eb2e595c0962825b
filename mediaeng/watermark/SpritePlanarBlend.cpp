#include "mediaeng/watermark/Sprite.h"
#include <algorithm>
#include <cstdlib>

namespace km::watermark {

namespace {

using km::frame::PlanarView;

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
        for (int col = c.x0; col < c.x1; ++col, ++sp, ++d) {
            if (sp->a == 0) continue;
            *d = (sp->a == 255 && g == 255) ? sp->y : Mix(sp->y, sp->a, g, *d, 0);
        }
    }
}

// The luma pixels [first, last) a chroma sample covers, cut at the picture's
// edge; 1 or 2 of them, as the shift is 0 or 1.
struct Span {
    int first, last;
    int Log2Count() const { return last - first > 1 ? 1 : 0; }
};

Span Covered(int sample, int shift, int size)
{
    const int first = sample << shift;
    return {first, std::min(first + (1 << shift), size)};
}

void BlendChroma(const PlanarView& pic, const CSpriteYuva& yuva, int width, int x, int y, const Clip& c, uint32_t g)
{
    const int sx = pic.chromaShiftX, sy = pic.chromaShiftY;
    const int cx0 = c.x0 >> sx, cx1 = ((c.x1 - 1) >> sx) + 1;
    const int cy0 = c.y0 >> sy, cy1 = ((c.y1 - 1) >> sy) + 1;
    for (int cy = cy0; cy < cy1; ++cy) {
        const Span rows = Covered(cy, sy, pic.height);
        const int r0 = std::max(rows.first, c.y0), r1 = std::min(rows.last, c.y1);
        BYTE* du = pic.Row(1, cy);
        BYTE* dv = pic.Row(2, cy);
        for (int cx = cx0; cx < cx1; ++cx) {
            const Span cols = Covered(cx, sx, pic.width);
            const int q0 = std::max(cols.first, c.x0), q1 = std::min(cols.last, c.x1);
            uint32_t su = 0, sv = 0, sa = 0;
            for (int row = r0; row < r1; ++row) {
                const YuvaPixel* sp = &yuva.pixels[static_cast<size_t>(row - y) * width + (q0 - x)];
                for (int col = q0; col < q1; ++col, ++sp) {
                    su += sp->u;
                    sv += sp->v;
                    sa += sp->a;
                }
            }
            if (sa == 0) continue;
            const int k = rows.Log2Count() + cols.Log2Count();
            du[cx] = Mix(su, sa, g, du[cx], k);
            dv[cx] = Mix(sv, sa, g, dv[cx], k);
        }
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

}  // namespace km::watermark
