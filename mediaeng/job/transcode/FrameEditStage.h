#pragma once
// The edit step between decoding and encoding: crop, rotation, eraser, filters
// and watermarks of the format node. The conversion calls it once per decoded
// picture on its reading thread; an implementation may hand back a picture of
// another size or pixel format.
#include "mediaeng/av/AvHandles.h"
#include "platform/Types.h"

namespace mediaeng::job {

class IFrameEditStage {
public:
    virtual ~IFrameEditStage() = default;
    // Edits frame in place or replaces it; time is the picture's time in the
    // source in seconds (for timed watermarks).
    virtual HRESULT Process(av::FramePtr& frame, double time) = 0;
    // The size and pixel format pictures of the given input leave with,
    // known before the first picture (the encoder is opened from it).
    virtual void OutputFormat(int& width, int& height, AVPixelFormat& format) const = 0;
};

// No edits: the picture passes unchanged.
class CPassThroughEdit final : public IFrameEditStage {
public:
    HRESULT Process(av::FramePtr&, double) override { return S_OK; }
    void OutputFormat(int&, int&, AVPixelFormat&) const override {}
};

}  // namespace mediaeng::job
