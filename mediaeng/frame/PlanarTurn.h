#pragma once
// Quarter turns and flips of a planar YUV picture as a rearranged copy of each
// plane: no trip through RGB, so a turned clip costs a copy. The turn and the
// flips are those of the RGB rotation (turn clockwise first, then the flips of
// the turned picture).
#include "engine/PlanarView.h"
#include "mediaeng/frame/FrameBuffer.h"

namespace mediaeng::frame {

// Where pixel (x, y) of a turned and flipped picture comes from in a source
// of sw x sh: sx = ax*x + bx*y + cx, sy = ay*x + by*y + cy.
struct TurnMapping {
    int ax, bx, cx, ay, by, cy;
};
TurnMapping TurnMappingFor(int quarter, bool flipH, bool flipV, int sw, int sh);

// The luma size of src turned by quarter (clockwise quarter turns, 0..3).
void TurnedSize(int quarter, int width, int height, int& outWidth, int& outHeight);
// src turned and flipped into dst, which has the turned size and, for odd
// quarters, the chroma subsampling of src with its two directions swapped
// (a 4:2:0 picture stays 4:2:0; 4:2:2 would need 4:4:0, which the caller
// refuses). False when the two do not fit together.
bool TurnPlanar(const PlanarView& src, const PlanarView& dst, int quarter, bool flipH, bool flipV);
// A packed picture (3 or 4 bytes a pixel) rearranged into dst of the turned
// size, m mapping each pixel of dst to its source pixel.
void TurnPacked(const PixelView& src, const PixelView& dst, const TurnMapping& m);

}  // namespace mediaeng::frame
