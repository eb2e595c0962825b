#pragma once
#include "mediaeng/job/settings/JobSettings.h"

namespace mediaeng::job {

// The length of a source in seconds: its probed one, else read from the file.
double SourceSeconds(const CJobSource& source);

}  // namespace mediaeng::job
