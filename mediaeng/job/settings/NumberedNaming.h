#pragma once
#include "mediaeng/job/settings/JobSettings.h"

namespace mediaeng::job {

// Naming settings whose pattern holds the numeric variable ("%n"): a pattern
// without it gets "_%n" before its extension, so parts never share a name.
CNamingSettings NumberedNaming(const CNamingSettings& naming);

}  // namespace mediaeng::job
