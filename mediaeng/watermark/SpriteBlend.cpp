#include "mediaeng/watermark/Sprite.h"
#include <algorithm>

namespace mediaeng::watermark {

namespace {

inline uint32_t Div255(uint32_t x)
{
    x += 128;
    return (x + (x >> 8)) >> 8;
}

}  // namespace

void BlendSprite(const mediaeng::frame::PixelView& dst, const CSprite& s, int x, int y, int alpha)
{
    if (s.Empty() || alpha <= 0 || !dst.top) return;
    const uint32_t g = static_cast<uint32_t>(std::min(alpha, 255));
    const int x0 = std::max(x, 0), y0 = std::max(y, 0);
    const int x1 = std::min(x + s.width, dst.width), y1 = std::min(y + s.height, dst.height);
    for (int row = y0; row < y1; ++row) {
        const uint32_t* sp = &s.pixels[static_cast<size_t>(row - y) * s.width + (x0 - x)];
        BYTE* d = dst.At(x0, row);
        for (int col = x0; col < x1; ++col, ++sp, d += dst.bpp) {
            const uint32_t p = *sp;
            uint32_t a = p >> 24;
            if (a == 0) continue;
            uint32_t r = (p >> 16) & 0xFF, gr = (p >> 8) & 0xFF, b = p & 0xFF;
            if (g != 255) {
                a = Div255(a * g);
                r = Div255(r * g);
                gr = Div255(gr * g);
                b = Div255(b * g);
            }
            const uint32_t inv = 255 - a;
            d[0] = static_cast<BYTE>(std::min<uint32_t>(255, b + Div255(d[0] * inv)));
            d[1] = static_cast<BYTE>(std::min<uint32_t>(255, gr + Div255(d[1] * inv)));
            d[2] = static_cast<BYTE>(std::min<uint32_t>(255, r + Div255(d[2] * inv)));
        }
    }
}

}  // namespace mediaeng::watermark
