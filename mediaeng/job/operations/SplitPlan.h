#pragma once
// Where the parts of a split output begin and end: by time (parts of a given
// number of seconds, the short last part kept or dropped), or into a number
// of equal parts, both after the start offset. Splits by size are measured
// part by part as they are written (see CSplitRunner).
#include "mediaeng/job/settings/JobOperations.h"
#include <vector>

namespace mediaeng::job {

struct CPart {
    double start = 0, end = 0;  // seconds of the source
};

// Parts of a source of duration seconds; empty when nothing is left after
// the start offset. A source shorter than one step gives one whole part even
// when the short last part is dropped, so a split never loses a whole file.
std::vector<CPart> PlanSplit(const CSplitSettings& settings, double duration);

// Seconds of the next part when parts may weigh limitBytes and the output
// grows by bytesPerSecond, with a margin for the container's overhead.
double SizePartSeconds(double limitBytes, double bytesPerSecond);

}  // namespace mediaeng::job
