#pragma once
// Analysis behind auto level (each channel stretched on its own), auto
// contrast (all channels stretched alike, hues kept) and auto enhance (auto
// contrast plus a midtone gamma that brings the mean toward mid-grey).
#include "mediaeng/frame/FrameBuffer.h"

namespace mediaeng::frame {

struct AutoLevels {
    int low[3] = {0, 0, 0};  // R, G, B
    int high[3] = {255, 255, 255};
    double midGamma = 1.0;
};

AutoLevels AnalyseAutoLevels(const PixelView& v, bool perChannel, bool enhance);

}  // namespace mediaeng::frame
