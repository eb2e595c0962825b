#pragma once
// The edit step of a turned or flipped picture: a decoder's YUV picture is
// turned plane by plane first (a rearranged copy, no trip through RGB), and
// the rest of the chain then runs on the turned picture as it would on an
// upright one, on its YUV route when its other edits allow. Pictures that
// cannot be turned so (packed or RGB, 4:2:2 whose turn would be 4:4:0) take
// the whole chain in RGB, as before.
#include "mediaeng/av/FramePool.h"
#include "mediaeng/job/transcode/FrameChainEdit.h"
#include <memory>

namespace mediaeng::job {

class CTurnFirstEdit final : public IFrameEditStage {
public:
    explicit CTurnFirstEdit(const CFrameChainSettings& settings);
    HRESULT Process(av::FramePtr& frame, double time) override;
    void OutputFormat(int& width, int& height, AVPixelFormat& format) const override;

private:
    int m_quarter = 0;
    bool m_flipH = false, m_flipV = false;
    std::unique_ptr<IFrameEditStage> m_rest;   // the chain after the turn
    std::unique_ptr<IFrameEditStage> m_whole;  // the whole chain in RGB
    av::CFramePool m_pool;
};

}  // namespace mediaeng::job
