#pragma once
// Writes the parts of one split source: the parts of the plan by time or
// count, or by size part by part, each weighed on disk once written and made
// again shorter when it came out over the limit.
#include "mediaeng/job/transcode/FileTranscoder.h"
#include "mediaeng/job/operations/SplitPlan.h"
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace mediaeng::job {

// Writes one part (the source cut to one range) to target.
using PartWriter = std::function<CTranscodeResult(const CJobSource& part, const std::filesystem::path& target)>;

struct CSplitOutcome {
    std::vector<std::filesystem::path> written;
    std::vector<std::wstring> warnings;
    std::string error;  // why the split ended early
    bool stopped = false;
    bool sourceEndedEarly = false;  // a part's source broke off before the part's end
};

class CSplitRunner {
public:
    // bytesPerSecond: the expected growth of the output (sizes only; 0 unknown).
    CSplitRunner(const CSplitSettings& settings, PartWriter writer, double bytesPerSecond)
        : m_settings(settings), m_writer(std::move(writer)), m_rate(bytesPerSecond)
    {
    }
    // Part bounds fall on this grid (a frame's length), so no picture is shown
    // in two parts; 0 leaves them as planned.
    void SetFrameGrid(double seconds) { m_grid = seconds; }
    // nextName gives the path of each new part.
    CSplitOutcome Run(const CJobSource& source, double duration,
                      const std::function<std::filesystem::path()>& nextName);

private:
    bool WritePart(const CJobSource& source, const CPart& part, const std::filesystem::path& target,
                   CSplitOutcome& outcome);
    CSplitOutcome RunBySize(const CJobSource& source, double duration,
                            const std::function<std::filesystem::path()>& nextName);

    CSplitSettings m_settings;
    PartWriter m_writer;
    double m_rate;
    double m_grid = 0;
};

}  // namespace mediaeng::job
