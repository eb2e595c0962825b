#pragma once
// A picture's edits as one value, in the order they are applied: the turn and
// flips, the crop, the eraser, the colour and image filters, then the
// watermarks with their timing. The conversion reads it from its job tree,
// the program builds it from an output's settings; the engine's chain code
// (EditChainRunner.h) runs it for both, so the preview shows what the
// conversion writes.
#include "engine/FrameEraser.h"
#include "engine/FrameFilterSettings.h"
#include "engine/WatermarkEngine.h"
#include <vector>

struct EditChain {
    int rotateDegrees = 0;  // clockwise, a multiple of 90
    int flipH = 0, flipV = 0;
    RECT crop{};  // margins in source pixels
    tag_ERASEPARAM eraser{};
    FrameFilterSettings filters;
    std::vector<WatermarkEntry> watermarks;  // drawing order: the last is topmost

    bool Turns() const { return rotateDegrees % 360 != 0 || flipH || flipV; }
    bool HasCrop() const { return crop.left > 0 || crop.top > 0 || crop.right > 0 || crop.bottom > 0; }
    bool Erases() const { return eraser.nType != ERASER_NONE; }
    // True when the chain changes no pixel.
    bool IsIdentity() const;
    // The same edits: every value and every watermark's values, whatever
    // identity (engine item, key) the watermarks carry.
    bool operator==(const EditChain& other) const;
    // The same edits and the same watermark keys, in the same order.
    bool SameAs(const EditChain& other) const;
};
