#pragma once
// Every colour curve and colour matrix of the frame filters, each written
// once. Curves map a channel value 0..255 (as a double) to a new value, not
// yet clamped; matrices act on (R, G, B).
#include <array>

namespace mediaeng::frame {

using Matrix3 = std::array<std::array<double, 3>, 3>;

double ClampChannel(double v);

// Levels: black and white points and the midtone gamma of one channel. A range
// with white not above black, or a gamma that is not a positive number, does
// nothing.
double LevelsCurve(double x, int black, int white, double gamma);
double BrightnessCurve(double x, int amount);  // -100..100: about -128..+128
double ContrastCurve(double x, int amount);    // -100 flat grey .. 100 threshold
double GammaCurve(double x, int amount);       // -100..100: gamma 1/4..4
double OffsetCurve(double x, double offset);
double NegativeCurve(double x);
double LuminosityCurve(double x, int amount);  // toward white or black
// More ink of the channel's opposite colour (cyan for red, ...) takes it away;
// key darkens (or, below 0, lightens) every channel.
double CmykCurve(double x, int inkAmount, int keyAmount);
// Colour balance of one channel for the tonal range 0 shadows, 1 midtones,
// 2 highlights: positive moves toward the channel's colour.
double BalanceCurve(double x, int amount, int range);
// Stretch from [low, high] to [0, 255] (auto levels and contrast).
double StretchCurve(double x, int low, int high);
double MidtoneGammaCurve(double x, double gamma);

// The channel offsets that moving Y, U and V by these amounts (-100..100) gives.
std::array<double, 3> YuvOffsets(int y, int u, int v);  // R, G, B

Matrix3 IdentityMatrix();
Matrix3 Multiply(const Matrix3& a, const Matrix3& b);
Matrix3 GrayscaleMatrix();
Matrix3 SaturationMatrix(int amount);  // -100 grey .. 100 double saturation
Matrix3 HueMatrix(int degrees);        // turn of the hue around the grey axis
Matrix3 LmsMatrix(int l, int m, int s);  // scale the cone responses
bool IsIdentity(const Matrix3& m);

// BT.601 luma of a pixel.
inline double Luma(double r, double g, double b) { return 0.299 * r + 0.587 * g + 0.114 * b; }

}  // namespace mediaeng::frame
