#pragma once
// The text form of an output frame size: "max: N", "W x H", "N%" or "N"
// (a percentage of the source frame). Pure; no window needed.
#include <string_view>

struct FrameSizeText {
    enum Kind { Unknown, Max, Size, Percent };
    Kind kind = Unknown;
    int width = 640;   // the size for Size; 640 x 480 otherwise
    int height = 480;
    int value = 0;     // the number of "max: N" or the percentage
};

// Anything that is none of the forms (also a negative percentage, a zero or
// negative width or height, or a number too large for an int) gives Unknown
// with 640 x 480. Text after the last number is ignored.
FrameSizeText ParseFrameSizeText(std::wstring_view text);
