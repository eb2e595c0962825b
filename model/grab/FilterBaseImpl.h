#pragma once
// Colour maths of the engine's frame filters: rounding, clamping and the
// conversions between RGB and hue, lightness, saturation (all 0 to 1).
#include "platform/Bitmap.h"

class CFilterBaseImpl {
public:
    // Halves round away from zero.
    static int FRound(double x);
    static double FClamp0255(double v);
    // Channels 0..1, truncated (not rounded) to bytes; reserved byte 255.
    static RGBQUAD __DoubleRGB_to_RGB(double r, double g, double b);
    static void RGBtoHLS(RGBQUAD colour, double* hue, double* lightness, double* saturation);
    static RGBQUAD HLStoRGB(double hue, double lightness, double saturation);
    // h in sixths of a turn.
    static double __HLS_Value(double m1, double m2, double h);
};
