#pragma once
// A planar 8-bit YUV picture as a decoder hands it (4:2:0, 4:2:2 or 4:4:4),
// seen top row first. The conversion edits such pictures where they are when
// no step needs RGB.
#include "platform/Types.h"
#include <cstddef>

struct PlanarView {
    BYTE* data[3] = {};                // Y, U (Cb), V (Cr)
    std::ptrdiff_t stride[3] = {};
    int width = 0;                     // of the luma plane
    int height = 0;
    int chromaShiftX = 1;              // log2 of the chroma subsampling
    int chromaShiftY = 1;
    bool fullRange = false;            // JPEG range (0..255) instead of 16..235

    int PlaneWidth(int plane) const { return plane == 0 ? width : -((-width) >> chromaShiftX); }
    int PlaneHeight(int plane) const { return plane == 0 ? height : -((-height) >> chromaShiftY); }
    BYTE* Row(int plane, int y) const { return data[plane] + y * stride[plane]; }
};
