#pragma once
// A rendered watermark: premultiplied 32-bit ARGB pixels (Cairo's layout),
// and where in it the watermark itself lies (shadows may reach outside).
#include "mediaeng/frame/FrameBuffer.h"
#include <cstdint>
#include <vector>

namespace mediaeng::watermark {

struct CSprite {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    RECT content{};  // the watermark's own box inside the sprite
    bool Empty() const { return width <= 0 || height <= 0; }
};

// Blends the sprite with its top-left at (x, y) onto a 24 or 32-bit view,
// scaled by alpha (0..255); whatever falls outside the view is skipped.
void BlendSprite(const mediaeng::frame::PixelView& dst, const CSprite& s, int x, int y, int alpha);

}  // namespace mediaeng::watermark
