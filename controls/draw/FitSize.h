#pragma once
// The size a picture is shown at inside a box, keeping its shape.
#include <cstdint>

struct FitSize {
    int width = 0;
    int height = 0;
    bool operator==(const FitSize&) const = default;
};

// w x h: the picture; maxW x maxH: the box; aspect: display width to height,
// 0 for the picture's own. A picture smaller than the box keeps its height
// and is shown at its display width (its stored width for square pixels).
// Empty pictures or boxes and impossible aspects give (0, 0); results never
// go negative nor overflow.
FitSize FitSizeKeepAspect(int w, int h, int maxW, int maxH, double aspect);

// Truncation toward zero that saturates at the int range (NaN gives 0).
int TruncToInt(double v);
