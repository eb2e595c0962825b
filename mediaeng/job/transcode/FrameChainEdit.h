#pragma once
// The frame operations of the format node as the conversion's edit step:
// rotate and flip, crop, eraser, then the colour filters and watermarks, the
// same engine classes and order the preview uses, so a converted file shows
// what the preview showed. The settings are read once on the caller's thread;
// each file gets a stage of its own.
#include "engine/FrameEraser.h"
#include "engine/FrameFilterSettings.h"
#include "engine/WatermarkEngine.h"
#include "mediaeng/job/transcode/FrameEditStage.h"
#include <memory>
#include <vector>

struct IEngineNode;

namespace mediaeng::job {

struct CFrameChainSettings {
    int rotateDegrees = 0;
    int flipH = 0, flipV = 0;
    RECT crop{};
    tag_ERASEPARAM eraser{};
    FrameFilterSettings filters;
    std::vector<WatermarkEntry> watermarks;

    // The values of a format node ("Rotate", "FlipH", "FlipV", "Crop_*",
    // "Eraser*", its "Filters" item and "Watermarks"); defaults when null.
    static CFrameChainSettings Read(IEngineNode* format);
    bool IsIdentity() const;
    // A stage for one file (a pass-through one when nothing is to be done).
    std::unique_ptr<IFrameEditStage> MakeStage() const;
};

class CFrameChainEdit final : public IFrameEditStage {
public:
    explicit CFrameChainEdit(const CFrameChainSettings& settings);
    ~CFrameChainEdit() override;
    HRESULT Process(av::FramePtr& frame, double time) override;
    void OutputFormat(int& width, int& height, AVPixelFormat& format) const override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace mediaeng::job
