#pragma once
// Where a watermark of a given drawn size lies inside the image, from its
// anchor (0..8, row-major from top-left) and its offsets in source pixels.
#include "platform/Types.h"

namespace mediaeng::watermark {

// Nearest whole number, halves toward zero (as the placement editor rounds).
double RoundNearest(double v);

// image: the picture's rectangle; w, h: drawn size; zoom: drawn pixels per
// source pixel. Offsets from the left/top edge, from the centred place
// (positive: left of / above the centre) or from the right/bottom edge.
RECT PlaceWatermark(const RECT& image, int w, int h, int posType, int posX, int posY, double zoom);

}  // namespace mediaeng::watermark
