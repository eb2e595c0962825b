#pragma once
// Filters that look at neighbouring pixels; src and dst are distinct views of
// one size and depth.
#include "mediaeng/frame/FrameBuffer.h"

namespace mediaeng::frame {

void SoftenInto(const PixelView& src, const PixelView& dst);   // 3x3 [1 2 1] blur
void SharpenInto(const PixelView& src, const PixelView& dst);  // 3x3 cross, centre 5
// Each second line (the later field) rebuilt from the lines above and below.
void DeinterlaceInto(const PixelView& src, const PixelView& dst);

}  // namespace mediaeng::frame
