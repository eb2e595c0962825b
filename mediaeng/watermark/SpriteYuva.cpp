#include "mediaeng/watermark/Sprite.h"
#include <algorithm>

namespace mediaeng::watermark {

namespace {

// BT.601, the matrix libswscale takes when none is set, in 16.16 fixed point.
// Green takes what rounding left over so that grey has no chroma and white
// reaches the top of the range exactly.
struct Matrix {
    int32_t yr, yg, yb, ur, ug, ub, vr, vg, vb;
    int yOffset;
};

constexpr int32_t Fixed(double k) { return static_cast<int32_t>(k * 65536 + (k < 0 ? -0.5 : 0.5)); }

constexpr Matrix MakeMatrix(double lumaScale, double chromaScale, int yOffset)
{
    const double kr = 0.299, kb = 0.114;
    const int32_t yr = Fixed(kr * lumaScale), yb = Fixed(kb * lumaScale);
    const int32_t ur = Fixed(-kr / (2 * (1 - kb)) * chromaScale), ub = Fixed(0.5 * chromaScale);
    const int32_t vr = Fixed(0.5 * chromaScale), vb = Fixed(-kb / (2 * (1 - kr)) * chromaScale);
    return {yr, Fixed(lumaScale) - yr - yb, yb, ur, -ur - ub, ub, vr, -vr - vb, vb, yOffset};
}

constexpr Matrix kLimited = MakeMatrix(219.0 / 255, 224.0 / 255, 16);
constexpr Matrix kFull = MakeMatrix(1.0, 1.0, 0);

// One channel of a premultiplied pixel: the matrix row plus the offset
// scaled by the pixel's alpha, so that a transparent pixel adds nothing.
uint8_t Channel(int32_t kr, int32_t kg, int32_t kb, int offset, uint32_t r, uint32_t g, uint32_t b, uint32_t a)
{
    const int64_t lin = int64_t(kr) * r + int64_t(kg) * g + int64_t(kb) * b;
    const int64_t num = lin * 255 + int64_t(offset) * 65536 * a;
    const int64_t den = int64_t(255) * 65536;
    const int64_t v = (num + den / 2) / den;
    return static_cast<uint8_t>(std::clamp<int64_t>(v, 0, 255));
}

YuvaPixel ToYuvaPixel(uint32_t p, const Matrix& m)
{
    const uint32_t a = p >> 24, r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    YuvaPixel out;
    if (a == 0) return out;
    out.y = Channel(m.yr, m.yg, m.yb, m.yOffset, r, g, b, a);
    out.u = Channel(m.ur, m.ug, m.ub, 128, r, g, b, a);
    out.v = Channel(m.vr, m.vg, m.vb, 128, r, g, b, a);
    out.a = static_cast<uint8_t>(a);
    return out;
}

}  // namespace

CSpriteYuva ToYuva(const CSprite& s, bool fullRange)
{
    const Matrix& m = fullRange ? kFull : kLimited;
    CSpriteYuva out;
    out.fullRange = fullRange;
    out.pixels.reserve(s.pixels.size());
    for (const uint32_t p : s.pixels) out.pixels.push_back(ToYuvaPixel(p, m));
    return out;
}

void PrepareYuva(CSprite& s, bool fullRange)
{
    if (!s.HasYuva(fullRange)) s.yuva = ToYuva(s, fullRange);
}

}  // namespace mediaeng::watermark
