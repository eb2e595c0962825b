#pragma once
// Converts one source into one output file. Two threads share the work: a
// reading thread demuxes, decodes, trims and edits; the calling thread turns
// the pictures into a constant frame rate, encodes and muxes. A bounded queue
// between them keeps memory flat whatever the length of the source.
// Lock order: the queue's lock and the run control's lock are never held
// together, and neither is held while encoding or calling out.
#include "mediaeng/job/transcode/FrameEditStage.h"
#include "mediaeng/job/settings/JobSettings.h"
#include "mediaeng/job/transcode/RunControl.h"
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace mediaeng::job {

// A warning about one source of an output (a join has several).
struct CSourceWarning {
    std::wstring source;  // its path
    std::wstring text;
};

struct CTranscodeResult {
    bool ok = false;
    bool stopped = false;
    std::string error;                  // why it failed
    std::vector<std::wstring> warnings; // settings replaced by what the encoders take
    std::vector<CSourceWarning> sourceWarnings;  // a source that ends early
};

class CFileTranscoder {
public:
    CFileTranscoder(const CJobSource& source, const CJobOutput& output, IFrameEditStage& edit, CRunControl& control);

    // progress receives the share of this file done, 0 to 1.
    CTranscodeResult Run(const std::filesystem::path& finalPath, const std::function<void(double)>& progress);

    // Whether a real second pass is made for the output's video encoder.
    static bool SupportsTwoPass(const std::string& encoderName, const std::string& muxer);

private:
    bool RunPass(int pass, int passes, const std::filesystem::path& finalPath, const std::function<void(double)>& progress,
                 CTranscodeResult& result);

    const CJobSource& m_source;
    const CJobOutput& m_output;
    IFrameEditStage& m_edit;
    CRunControl& m_control;
    std::string m_stats;      // first-pass statistics
    std::string m_statsFile;  // libx264 keeps its own statistics file
};

}  // namespace mediaeng::job
