#pragma once
// "Same as source": the chosen video and audio streams copied packet by packet,
// without decoding, into a container of the source's own kind. A kept range
// starts at the keyframe at or before its start (a copy cannot begin between
// keyframes; the log says where it begins) and ends at its end. Several
// sources or ranges follow one another in one output when their streams are
// alike, so a trim or a join of a long file takes seconds.
#include "mediaeng/job/transcode/FileTranscoder.h"
#include "mediaeng/job/settings/JobSettings.h"
#include "mediaeng/job/transcode/RunControl.h"
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace mediaeng::job {

class CStreamCopy {
public:
    explicit CStreamCopy(CRunControl& control) : m_control(control) {}

    // Copies every segment (a source with its ranges; none: the whole file) in
    // order into finalPath. Warnings carry the keyframe cuts.
    CTranscodeResult Run(const std::vector<CJobSource>& segments, const std::filesystem::path& finalPath,
                         const std::function<void(double)>& progress = {});

    // The muxer and extension (no dot) of a source's own container; empty
    // muxer when no muxer writes it.
    static void ContainerOf(const std::wstring& sourcePath, std::string& muxer, std::wstring& extension);

private:
    struct Impl;
    CRunControl& m_control;
};

}  // namespace mediaeng::job
