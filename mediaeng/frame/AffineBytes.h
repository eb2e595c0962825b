#pragma once
// A per-byte curve that is a straight line with clamping (brightness and
// contrast alone make one) evaluated many bytes at a time. Used only where it
// reproduces the curve's table exactly.
#include "platform/Types.h"
#include <array>

namespace mediaeng::frame {

struct AffineCurve {
    float a = 1.0f;
    float c = 0.0f;
};

// d[i] = the curve at s[i], rounded and clamped; bytes after the last full
// block of 16 come from the table.
void ApplyAffine(const BYTE* s, BYTE* d, int n, const AffineCurve& curve, const std::array<BYTE, 256>& table);
// A line through the curve's unclamped values that gives exactly the table;
// false when there is none.
bool FitAffine(const std::array<double, 256>& values, const std::array<BYTE, 256>& table, AffineCurve& out);

}  // namespace mediaeng::frame
