#pragma once
// Joins sources, in order, into one re-encoded output: every picture brought
// to the first picture's size (fitted, with black bars) and to one frame
// rate, every sound to one sample format, still pictures shown for the join's
// picture time. At each seam sound and picture end together: the shorter is
// padded (the last picture held, or silence), so the next source starts in
// step. Reads and encodes on the calling thread.
#include "mediaeng/job/transcode/FileTranscoder.h"
#include "mediaeng/job/settings/JobSettings.h"
#include "mediaeng/job/transcode/RunControl.h"
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

namespace mediaeng::job {

class CJoinRunner {
public:
    using EditMaker = std::function<std::unique_ptr<IFrameEditStage>()>;

    CJoinRunner(const CJobOutput& output, const CJoinSettings& join, CRunControl& control, EditMaker makeEdit);

    // progress receives the share done, 0 to 1.
    CTranscodeResult Run(const std::vector<CJobSource>& sources, const std::filesystem::path& finalPath,
                         const std::function<void(double)>& progress = {});

private:
    const CJobOutput& m_output;
    CJoinSettings m_join;
    CRunControl& m_control;
    EditMaker m_makeEdit;
};

}  // namespace mediaeng::job
