#pragma once
// A rendered watermark: premultiplied 32-bit ARGB pixels (Cairo's layout),
// and where in it the watermark itself lies (shadows may reach outside).
#include "mediaeng/frame/FrameBuffer.h"
#include "engine/PlanarView.h"
#include <cstdint>
#include <vector>

namespace mediaeng::watermark {

// A sprite pixel as premultiplied BT.601 Y, Cb, Cr with its alpha: what
// blending it onto black gives, offsets included.
struct YuvaPixel {
    uint8_t y = 0, u = 0, v = 0, a = 0;
};

struct CSpriteYuva {
    bool fullRange = false;
    std::vector<YuvaPixel> pixels;  // empty until made
};

struct CSprite {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    RECT content{};  // the watermark's own box inside the sprite
    CSpriteYuva yuva;  // the pixels for planar pictures, made once for all frames
    bool Empty() const { return width <= 0 || height <= 0; }
    bool HasYuva(bool fullRange) const
    {
        return !pixels.empty() && yuva.fullRange == fullRange && yuva.pixels.size() == pixels.size();
    }
};

// Blends the sprite with its top-left at (x, y) onto a 24 or 32-bit view,
// scaled by alpha (0..255); whatever falls outside the view is skipped.
void BlendSprite(const mediaeng::frame::PixelView& dst, const CSprite& s, int x, int y, int alpha);

// Makes s.yuva for the range unless it holds it already.
void PrepareYuva(CSprite& s, bool fullRange);
// The premultiplied YUVA of the sprite's pixels in the range.
CSpriteYuva ToYuva(const CSprite& s, bool fullRange);

// Whether the picture has its three planes, 4:2:0, 4:2:2 or 4:4:4, within the
// frame size limits and with rows long enough.
bool CanBlendPlanar(const PlanarView& pic);
// BlendSprite onto the planes of a 4:2:0, 4:2:2 or 4:4:4 picture in its range,
// giving what an RGB blend converted with libswscale's defaults gives. A chroma
// sample takes the mean over the luma pixels it covers inside the picture.
// Uses s.yuva when it was prepared for the picture's range.
void BlendSpritePlanar(const PlanarView& pic, const CSprite& s, int x, int y, int alpha);

}  // namespace mediaeng::watermark
