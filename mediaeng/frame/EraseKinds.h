#pragma once
// The pixel work of the eraser kinds, on a rectangle already inside the view.
#include "engine/FrameEraser.h"
#include "mediaeng/frame/FrameBuffer.h"

namespace mediaeng::frame {

struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
};

// Three box passes of the radius within the rectangle (close to a Gaussian).
void BlurRect(const PixelView& v, const PixelRect& r, int radius);
// Cells of cell x cell pixels from the rectangle's corner, each its mean.
void PixelateRect(const PixelView& v, const PixelRect& r, int cell);
// Each pixel from the pixels just outside the four sides, weighted by the
// inverse distance (sides on the frame's edge take no part); a rectangle that
// covers the whole frame takes the mean of its border.
void FillRectFromSurroundings(const PixelView& v, const PixelRect& r);

// The eraser's rectangle clipped to a picture of w x h (empty when reversed).
PixelRect EraserRect(const tag_ERASEPARAM& p, int w, int h);
// The work of the kinds that keep the picture's size (blur, pixelate, fill)
// on r: they read r and, for fill, the ring of pixels just outside it.
void EraseRect(const tag_ERASEPARAM& p, const PixelView& v, const PixelRect& r);

}  // namespace mediaeng::frame
