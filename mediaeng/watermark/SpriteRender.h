#pragma once
// Renders watermark items into sprites with Cairo (and Pango for text), at a
// zoom of drawn pixels per source pixel.
#include "engine/WatermarkItem.h"
#include "mediaeng/watermark/MediaFrameSource.h"
#include "mediaeng/watermark/Sprite.h"

namespace mediaeng::watermark {

// Size from a "Resize" text: "N%" of the natural size, or "WxH"; anything
// else (or a size of 0) keeps the natural size. Kept within 1..16384.
void ResizeTarget(const std::wstring& text, double natW, double natH, double& w, double& h);

CSprite RenderText(const WatermarkItemDesc& d, double zoom);
// frameW, frameH: the picture's size in source pixels (for stretching).
CSprite RenderShape(const WatermarkItemDesc& d, double zoom, int frameW, int frameH);
CSprite RenderPicture(const BgraPicture& picture, const WatermarkItemDesc& d, double zoom);
// Turns the sprite by the item's angle (counter-clockwise) and adds its drop
// shadow; content is updated to the watermark's own box.
CSprite FinishSprite(CSprite s, const WatermarkItemDesc& d, double zoom);

}  // namespace mediaeng::watermark
