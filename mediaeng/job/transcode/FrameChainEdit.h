#pragma once
// The frame operations of the format node as the conversion's edit step:
// rotate and flip, crop, eraser, then the colour filters and watermarks, run
// by the engine's chain code that the preview runs too, so a converted file
// shows what the preview showed. The chain is read once on the caller's
// thread; each file gets a stage of its own.
#include "engine/EditChain.h"
#include "mediaeng/job/transcode/FrameEditStage.h"
#include <memory>

struct IEngineNode;

namespace mediaeng::job {

// The edits of a format node ("Rotate", "FlipH", "FlipV", "Crop_*",
// "Eraser*", its "Filters" item and "Watermarks"); no edits when null.
EditChain ReadEditChain(IEngineNode* format);
// A stage for one file (a pass-through one when nothing is to be done).
std::unique_ptr<IFrameEditStage> MakeEditStage(const EditChain& chain);

class CFrameChainEdit final : public IFrameEditStage {
public:
    explicit CFrameChainEdit(const EditChain& chain);
    ~CFrameChainEdit() override;
    HRESULT Process(av::FramePtr& frame, double time) override;
    void OutputFormat(int& width, int& height, AVPixelFormat& format) const override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace mediaeng::job
