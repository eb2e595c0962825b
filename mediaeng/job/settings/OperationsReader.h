#pragma once
// Reads the split, join, image and stream-copy settings of a job: split and
// join from the profile node that holds the format node, the picture sheet
// and start time from the format node, and the sources' display times kept by
// the gallery manager under the profile's "GalleryData". Called under the schema lock by the
// job tree reader.
#include "engine/ConversionJob.h"
#include "mediaeng/core/FormatTable.h"
#include "mediaeng/job/settings/JobSettings.h"

namespace mediaeng::job {

void ReadJobOperations(IConversionJob* job, IEngineNode* format, const mediaeng::FormatInfo& info,
                       CJobSettings& settings);

}  // namespace mediaeng::job
