#pragma once
// When a watermark shows and how strongly: its time range (from its
// "Timelines" element) and its fades.
#include "engine/WatermarkItem.h"

namespace mediaeng::watermark {

struct VisibleSpan {
    double start = 0;    // seconds
    double end = -1;     // seconds; below 0 = to the end, whenever that is
};

// duration is the source's length in seconds, 0 or less when unknown.
VisibleSpan SpanOf(const WatermarkItemDesc& d, double duration);
// Strength 0..1 at time t (seconds), fades included; transparency not.
double TimingAlpha(const WatermarkItemDesc& d, double t, double duration);

}  // namespace mediaeng::watermark
