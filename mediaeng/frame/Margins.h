#pragma once
// Margins cut from the four edges of a picture, kept so that one pixel remains.
#include "platform/Types.h"
#include <algorithm>

namespace mediaeng::frame {

struct Margins {
    LONG left = 0, top = 0, right = 0, bottom = 0;
};

inline void ClampPair(LONG& a, LONG& b, LONG size)
{
    a = std::clamp<LONG>(a, 0, size - 1);
    b = std::clamp<LONG>(b, 0, size - 1 - a);
}

inline void ClampMargins(Margins& m, LONG width, LONG height)
{
    ClampPair(m.left, m.right, width);
    ClampPair(m.top, m.bottom, height);
}

}  // namespace mediaeng::frame
