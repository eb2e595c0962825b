#include "mediaeng/frame/FilterCurves.h"
#include <algorithm>
#include <cmath>

namespace mediaeng::frame {

namespace {
constexpr double kPi = 3.14159265358979323846;
}

double ClampChannel(double v) { return std::clamp(v, 0.0, 255.0); }

double LevelsCurve(double x, int black, int white, double gamma)
{
    if (white <= black) return x;
    if (!(gamma > 0) || !std::isfinite(gamma)) gamma = 1.0;
    gamma = std::clamp(gamma, 0.1, 10.0);
    const double t = std::clamp((x - black) / (white - black), 0.0, 1.0);
    return 255.0 * std::pow(t, 1.0 / gamma);
}

double BrightnessCurve(double x, int amount) { return x + std::clamp(amount, -100, 100) * 1.28; }

double ContrastCurve(double x, int amount)
{
    amount = std::clamp(amount, -100, 100);
    const double f = amount >= 100 ? 255.0 : amount >= 0 ? 100.0 / (100.0 - amount) : (100.0 + amount) / 100.0;
    return (x - 127.5) * f + 127.5;
}

double GammaCurve(double x, int amount)
{
    const double g = std::pow(2.0, std::clamp(amount, -100, 100) / 50.0);
    return 255.0 * std::pow(ClampChannel(x) / 255.0, 1.0 / g);
}

double OffsetCurve(double x, double offset) { return x + offset; }

double NegativeCurve(double x) { return 255.0 - x; }

double LuminosityCurve(double x, int amount)
{
    const double k = std::clamp(amount, -100, 100) / 100.0;
    return k >= 0 ? x + (255.0 - x) * k : x * (1.0 + k);
}

double CmykCurve(double x, int inkAmount, int keyAmount)
{
    const double v = ClampChannel(x - std::clamp(inkAmount, -100, 100) * 2.55);
    return LuminosityCurve(v, -std::clamp(keyAmount, -100, 100));
}

double BalanceCurve(double x, int amount, int range)
{
    double w;
    switch (range) {
    case 0: w = 1.0 - x / 170.0; break;                      // shadows
    case 2: w = (x - 85.0) / 170.0; break;                   // highlights
    default: w = 1.0 - std::abs(x - 127.5) / 127.5; break;   // midtones
    }
    return x + std::clamp(amount, -100, 100) * 1.28 * std::clamp(w, 0.0, 1.0);
}

double StretchCurve(double x, int low, int high)
{
    if (high <= low) return x;
    return (x - low) * 255.0 / (high - low);
}

double MidtoneGammaCurve(double x, double gamma)
{
    if (!(gamma > 0) || gamma == 1.0) return x;
    return 255.0 * std::pow(ClampChannel(x) / 255.0, 1.0 / gamma);
}

std::array<double, 3> YuvOffsets(int y, int u, int v)
{
    const double dy = std::clamp(y, -100, 100) * 1.28;
    const double du = std::clamp(u, -100, 100) * 1.28;
    const double dv = std::clamp(v, -100, 100) * 1.28;
    return {dy + 1.402 * dv, dy - 0.344136 * du - 0.714136 * dv, dy + 1.772 * du};
}

Matrix3 IdentityMatrix() { return {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}}; }

Matrix3 Multiply(const Matrix3& a, const Matrix3& b)
{
    Matrix3 r{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k) r[i][j] += a[i][k] * b[k][j];
    return r;
}

Matrix3 GrayscaleMatrix()
{
    const std::array<double, 3> l{0.299, 0.587, 0.114};
    return {{l, l, l}};
}

Matrix3 SaturationMatrix(int amount)
{
    const double f = 1.0 + std::clamp(amount, -100, 100) / 100.0;
    const Matrix3 g = GrayscaleMatrix();
    const Matrix3 id = IdentityMatrix();
    Matrix3 r{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) r[i][j] = (1.0 - f) * g[i][j] + f * id[i][j];
    return r;
}

Matrix3 HueMatrix(int degrees)
{
    // Rotation about the grey axis with luma weights kept (the usual hue-rotate matrix).
    const double a = std::clamp(degrees, -180, 180) * kPi / 180.0;
    const double c = std::cos(a), s = std::sin(a);
    return {{{0.213 + c * 0.787 - s * 0.213, 0.715 - c * 0.715 - s * 0.715, 0.072 - c * 0.072 + s * 0.928},
             {0.213 - c * 0.213 + s * 0.143, 0.715 + c * 0.285 + s * 0.140, 0.072 - c * 0.072 - s * 0.283},
             {0.213 - c * 0.213 - s * 0.787, 0.715 - c * 0.715 + s * 0.715, 0.072 + c * 0.928 + s * 0.072}}};
}

namespace {

Matrix3 Inverse(const Matrix3& m)
{
    const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                       m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                       m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    Matrix3 r{};
    r[0][0] = (m[1][1] * m[2][2] - m[1][2] * m[2][1]) / det;
    r[0][1] = (m[0][2] * m[2][1] - m[0][1] * m[2][2]) / det;
    r[0][2] = (m[0][1] * m[1][2] - m[0][2] * m[1][1]) / det;
    r[1][0] = (m[1][2] * m[2][0] - m[1][0] * m[2][2]) / det;
    r[1][1] = (m[0][0] * m[2][2] - m[0][2] * m[2][0]) / det;
    r[1][2] = (m[0][2] * m[1][0] - m[0][0] * m[1][2]) / det;
    r[2][0] = (m[1][0] * m[2][1] - m[1][1] * m[2][0]) / det;
    r[2][1] = (m[0][1] * m[2][0] - m[0][0] * m[2][1]) / det;
    r[2][2] = (m[0][0] * m[1][1] - m[0][1] * m[1][0]) / det;
    return r;
}

}  // namespace

Matrix3 LmsMatrix(int l, int m, int s)
{
    // RGB to LMS cone space (the matrix common in colour-vision simulation).
    const Matrix3 toLms{{{17.8824, 43.5161, 4.11935}, {3.45565, 27.1554, 3.86714}, {0.0299566, 0.184309, 1.46709}}};
    Matrix3 scale{};
    scale[0][0] = 1.0 + std::clamp(l, -100, 100) / 100.0;
    scale[1][1] = 1.0 + std::clamp(m, -100, 100) / 100.0;
    scale[2][2] = 1.0 + std::clamp(s, -100, 100) / 100.0;
    return Multiply(Inverse(toLms), Multiply(scale, toLms));
}

bool IsIdentity(const Matrix3& m)
{
    const Matrix3 id = IdentityMatrix();
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            if (std::abs(m[i][j] - id[i][j]) > 1e-9) return false;
    return true;
}

}  // namespace mediaeng::frame
