#pragma once
// What the encoders are told of a source: the picture and sound formats its
// reader's decoders deliver. Shared by the conversion and the join.
#include "mediaeng/job/transcode/AudioEncoder.h"
#include "mediaeng/job/transcode/SourceReader.h"
#include "mediaeng/job/transcode/VideoEncoder.h"

namespace mediaeng::job {

// The pictures as the reader hands them on (upright).
CVideoInput VideoInputOf(const CSourceReader& reader);
// The sound as the reader hands it on; in's layout is replaced.
void AudioInputOf(const CSourceReader& reader, CAudioInput& in);

}  // namespace mediaeng::job
