#include "mediaeng/frame/FilterProgram.h"
#include "mediaeng/frame/AffineBytes.h"
#include "mediaeng/frame/AutoLevels.h"
#include "mediaeng/frame/ParallelRows.h"
#include "mediaeng/frame/SpatialFilters.h"
#include "mediaeng/frame/WideVectors.h"
#include <algorithm>
#include <cmath>

namespace mediaeng::frame {

namespace {

BYTE ToByte(double v) { return static_cast<BYTE>(std::lround(ClampChannel(v))); }

bool HasLevels(const FrameFilterSettings& s, int c)
{
    return s.levelMax[c] > s.levelMin[c] &&
           (s.levelMin[c] != 0 || s.levelMax[c] != 255 || s.levelMiddle[c] != 1.0);
}

bool HasPerChannelCurves(const FrameFilterSettings& s)
{
    return HasLevels(s, 0) || HasLevels(s, 1) || HasLevels(s, 2) || s.brightness || s.contrast || s.gamma ||
           s.red || s.green || s.blue || s.y || s.u || s.v || s.cmykC || s.cmykM || s.cmykY || s.cmykK ||
           s.luminosity || s.negative;
}

// Picture channel order is B, G, R; the settings speak of R, G, B.
constexpr int kRgbOfPicture[3] = {2, 1, 0};

// Rows [y0, y1) of src through the tables into dst (src may be dst).
void LutRows(const PixelView& src, const PixelView& dst, const std::array<ChannelLut, 3>& lut, int y0, int y1)
{
    const int w = src.width;
    const int bpp = src.bpp;
    if (bpp == 3 && lut[0] == lut[1] && lut[1] == lut[2]) {
        // One curve for all channels: a row is just bytes.
        const BYTE* t = lut[0].data();
        const int n = w * 3;
        for (int y = y0; y < y1; ++y) {
            const BYTE* s = src.Row(y);
            BYTE* d = dst.Row(y);
            for (int i = 0; i < n; ++i) d[i] = t[s[i]];
        }
        return;
    }
    const BYTE* lb = lut[0].data();
    const BYTE* lg = lut[1].data();
    const BYTE* lr = lut[2].data();
    for (int y = y0; y < y1; ++y) {
        const BYTE* s = src.Row(y);
        BYTE* d = dst.Row(y);
        for (int x = 0; x < w; ++x, s += bpp, d += bpp) {
            d[0] = lb[s[0]];
            d[1] = lg[s[1]];
            d[2] = lr[s[2]];
            if (bpp == 4) d[3] = s[3];
        }
    }
}

// The matrix in fixed point 16.16 on R, G, B.
struct FixedMatrix {
    int k[3][3];
    bool grey;
    explicit FixedMatrix(const Matrix3& m)
    {
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) k[i][j] = static_cast<int>(std::lround(m[i][j] * 65536.0));
        grey = std::equal(k[0], k[0] + 3, k[1]) && std::equal(k[0], k[0] + 3, k[2]);
    }
};

// Inlined into both builds below. The coefficients are copied to locals:
// the picture's bytes may alias anything, which would keep the compiler from
// vectorizing a loop that reads them through the matrix.
template <int Bpp>
__attribute__((always_inline)) inline void MatrixRowsOf(const PixelView& src, const PixelView& dst,
                                                        const FixedMatrix& m, int y0, int y1)
{
    // Picture bytes are B, G, R.
    const int k00 = m.k[0][0], k01 = m.k[0][1], k02 = m.k[0][2];
    const int k10 = m.k[1][0], k11 = m.k[1][1], k12 = m.k[1][2];
    const int k20 = m.k[2][0], k21 = m.k[2][1], k22 = m.k[2][2];
    const int w = src.width;
    const bool grey = m.grey;
    for (int y = y0; y < y1; ++y) {
        const BYTE* s = src.Row(y);
        BYTE* d = dst.Row(y);
        if (grey) {
            // Every row of the matrix alike (greyscale): one sum a pixel.
            for (int x = 0; x < w; ++x) {
                const int v = (k00 * s[x * Bpp + 2] + k01 * s[x * Bpp + 1] + k02 * s[x * Bpp] + 32768) >> 16;
                const BYTE g = static_cast<BYTE>(std::clamp(v, 0, 255));
                if (Bpp == 4) d[x * Bpp + 3] = s[x * Bpp + 3];
                d[x * Bpp] = d[x * Bpp + 1] = d[x * Bpp + 2] = g;
            }
            continue;
        }
        for (int x = 0; x < w; ++x) {
            const int r = s[x * Bpp + 2], g = s[x * Bpp + 1], b = s[x * Bpp];
            const int nr = (k00 * r + k01 * g + k02 * b + 32768) >> 16;
            const int ng = (k10 * r + k11 * g + k12 * b + 32768) >> 16;
            const int nb = (k20 * r + k21 * g + k22 * b + 32768) >> 16;
            if (Bpp == 4) d[x * Bpp + 3] = s[x * Bpp + 3];
            d[x * Bpp] = static_cast<BYTE>(std::clamp(nb, 0, 255));
            d[x * Bpp + 1] = static_cast<BYTE>(std::clamp(ng, 0, 255));
            d[x * Bpp + 2] = static_cast<BYTE>(std::clamp(nr, 0, 255));
        }
    }
}

__attribute__((always_inline)) inline void MatrixRowsBody(const PixelView& src, const PixelView& dst,
                                                          const FixedMatrix& m, int y0, int y1)
{
    if (src.bpp == 4)
        MatrixRowsOf<4>(src, dst, m, y0, y1);
    else
        MatrixRowsOf<3>(src, dst, m, y0, y1);
}

KM_TARGET_AVX2 void MatrixRowsWide(const PixelView& src, const PixelView& dst, const FixedMatrix& m, int y0, int y1)
{
    MatrixRowsBody(src, dst, m, y0, y1);
}

void MatrixRows(const PixelView& src, const PixelView& dst, const FixedMatrix& m, int y0, int y1)
{
    if (UseWideVectors())
        MatrixRowsWide(src, dst, m, y0, y1);
    else
        MatrixRowsBody(src, dst, m, y0, y1);
}

void BalanceRows(const PixelView& src, const PixelView& dst, const std::array<ChannelLut, 3>& lut, bool keepLuma,
                 int y0, int y1)
{
    const int w = src.width, bpp = src.bpp;
    for (int y = y0; y < y1; ++y) {
        const BYTE* s = src.Row(y);
        BYTE* d = dst.Row(y);
        for (int x = 0; x < w; ++x, s += bpp, d += bpp) {
            int b = lut[0][s[0]], g = lut[1][s[1]], r = lut[2][s[2]];
            if (keepLuma) {
                // Integer BT.601 weights (x 1024) so both paths agree bit for bit.
                const int before = 306 * s[2] + 601 * s[1] + 117 * s[0];
                const int after = 306 * r + 601 * g + 117 * b;
                const int delta = (before - after + (before >= after ? 512 : -512)) / 1024;
                r = std::clamp(r + delta, 0, 255);
                g = std::clamp(g + delta, 0, 255);
                b = std::clamp(b + delta, 0, 255);
            }
            d[0] = static_cast<BYTE>(b);
            d[1] = static_cast<BYTE>(g);
            d[2] = static_cast<BYTE>(r);
            if (bpp == 4) d[3] = s[3];
        }
    }
}

// A row pass over the whole picture on the row workers.
template <class Rows>
void OnWorkers(const PixelView& src, Rows rows)
{
    ParallelRows(src.height, static_cast<long long>(src.width) * src.height, rows);
}

}  // namespace

void CFilterProgram::Compile(const FrameFilterSettings& s)
{
    m_s = s;
    m_lut = HasPerChannelCurves(s) || NeedsAnalysis();
    Matrix3 m = IdentityMatrix();
    if (s.lmsL || s.lmsM || s.lmsS) m = Multiply(LmsMatrix(s.lmsL, s.lmsM, s.lmsS), m);
    if (s.hue) m = Multiply(HueMatrix(s.hue), m);
    if (s.saturation) m = Multiply(SaturationMatrix(s.saturation), m);
    if (s.grayscale) m = Multiply(GrayscaleMatrix(), m);
    m_mat = m;
    m_matrix = !mediaeng::frame::IsIdentity(m);
    m_balance = s.balanceRed || s.balanceGreen || s.balanceBlue;
    if (m_balance) {
        const int amounts[3] = {s.balanceRed, s.balanceGreen, s.balanceBlue};
        for (int i = 0; i < 3; ++i)
            for (int x = 0; x < 256; ++x)
                m_balanceLuts[i][x] = ToByte(BalanceCurve(x, amounts[kRgbOfPicture[i]], s.range));
    }
    m_affine = false;
    if (m_lut && !NeedsAnalysis()) {
        const int low[3] = {0, 0, 0}, high[3] = {255, 255, 255};
        const std::array<CurveValues, 3> values = BuildCurves(low, high, 1.0);
        m_staticLuts = BuildLuts(low, high, 1.0);
        // One straight curve for every channel runs many bytes at a time.
        m_affine = values[0] == values[1] && values[1] == values[2] &&
                   FitAffine(values[0], m_staticLuts[0], m_affineCurve);
    }
    m_identity = !m_lut && !m_matrix && !m_balance && !s.deinterlace && !s.soften && !s.sharpen;
}

std::array<ChannelLut, 3> CFilterProgram::BuildLuts(const int low[3], const int high[3], double midGamma) const
{
    const std::array<CurveValues, 3> values = BuildCurves(low, high, midGamma);
    std::array<ChannelLut, 3> luts{};
    for (int i = 0; i < 3; ++i)
        for (int x = 0; x < 256; ++x) luts[i][x] = ToByte(values[i][x]);
    return luts;
}

std::array<CurveValues, 3> CFilterProgram::BuildCurves(const int low[3], const int high[3], double midGamma) const
{
    const FrameFilterSettings& s = m_s;
    const std::array<double, 3> yuv = YuvOffsets(s.y, s.u, s.v);
    const int rgb[3] = {s.red, s.green, s.blue};
    const int ink[3] = {s.cmykC, s.cmykM, s.cmykY};
    std::array<CurveValues, 3> luts{};
    for (int i = 0; i < 3; ++i) {
        const int c = kRgbOfPicture[i];
        for (int x = 0; x < 256; ++x) {
            double v = x;
            v = ClampChannel(StretchCurve(v, low[c], high[c]));
            v = ClampChannel(MidtoneGammaCurve(v, midGamma));
            v = ClampChannel(LevelsCurve(v, s.levelMin[c], s.levelMax[c], s.levelMiddle[c]));
            if (s.brightness) v = ClampChannel(BrightnessCurve(v, s.brightness));
            if (s.contrast) v = ClampChannel(ContrastCurve(v, s.contrast));
            if (s.gamma) v = ClampChannel(GammaCurve(v, s.gamma));
            if (rgb[c]) v = ClampChannel(OffsetCurve(v, std::clamp(rgb[c], -255, 255)));
            if (s.y || s.u || s.v) v = ClampChannel(OffsetCurve(v, yuv[c]));
            if (ink[c] || s.cmykK) v = ClampChannel(CmykCurve(v, ink[c], s.cmykK));
            if (s.luminosity) v = ClampChannel(LuminosityCurve(v, s.luminosity));
            if (s.negative) v = NegativeCurve(v);
            luts[i][x] = v;
        }
    }
    return luts;
}

void PlaneCurve::Apply(const BYTE* s, BYTE* d, int n) const
{
    if (straight) {
        ApplyAffine(s, d, n, line, table);
        return;
    }
    for (int i = 0; i < n; ++i) d[i] = table[s[i]];
}

namespace {

void MakePlaneCurve(const CurveValues& values, PlaneCurve& out)
{
    for (int x = 0; x < 256; ++x) out.table[x] = static_cast<BYTE>(std::lround(std::clamp(values[x], 0.0, 255.0)));
    out.straight = FitAffine(values, out.table, out.line);
}

}  // namespace

bool CFilterProgram::PlanarLuts(bool fullRange, const std::vector<uint8_t>& greyTrip, PlaneCurve& luma,
                                PlaneCurve& chroma) const
{
    if ((m_lut && !m_affine) || m_balance || m_s.deinterlace || m_s.soften || m_s.sharpen) return false;
    // Saturation and greyscale keep luma and scale (or flatten) chroma around
    // its middle; hue and the cone responses mix the chroma planes. After a
    // curve, RGB clamps each channel before the matrix sees it, which no
    // table of one plane can follow.
    // Greyscale too: where the decoder's colours leave RGB's range, RGB
    // clamps them before taking their luma, which a luma table cannot follow
    // closely enough.
    if (m_matrix && (m_lut || m_s.grayscale || m_s.hue || m_s.lmsL || m_s.lmsM || m_s.lmsS || greyTrip.size() != 256))
        return false;
    if (!m_lut && !m_matrix) return false;
    const double saturation = 1.0 + std::clamp(m_s.saturation, -100, 100) / 100.0;
    const double a = m_lut ? m_affineCurve.a : 1.0, c = m_lut ? m_affineCurve.c : 0.0;
    // No clamping but to bytes: a channel pushed past white comes back from
    // YUV as the RGB table would have clamped it, and a luma clamped to its
    // nominal range would tint bright colours.
    const double lo = fullRange ? 0 : 16, span = fullRange ? 255 : 219;
    CurveValues y{}, uv{};
    for (int x = 0; x < 256; ++x) {
        y[x] = lo + (a * (x - lo) * 255.0 / span + c) * span / 255.0;
        uv[x] = 128.0 + a * saturation * (x - 128);
        // The matrices run in RGB on the RGB route, whose trip there and back
        // moves luma a little: the same move here, so both give one picture.
        if (m_matrix) y[x] = greyTrip[static_cast<size_t>(std::lround(std::clamp(y[x], 0.0, 255.0)))];
    }
    MakePlaneCurve(y, luma);
    MakePlaneCurve(uv, chroma);
    return true;
}

bool CFilterProgram::WorksOnPlanar() const
{
    return !m_s.deinterlace && !m_s.soften && !m_s.sharpen && !NeedsAnalysis();
}

void CFilterProgram::RunPixelRows(const PixelView& v) const
{
    if (m_lut) LutRows(v, v, m_staticLuts, 0, v.height);
    if (m_matrix) MatrixRows(v, v, FixedMatrix(m_mat), 0, v.height);
    if (m_balance) BalanceRows(v, v, m_balanceLuts, m_s.preserveLuminosity != 0, 0, v.height);
}

PixelView CFilterProgram::Run(const PixelView& src, const PixelView& a, const PixelView& b) const
{
    PixelView cur = src;
    const PixelView* next = &a;
    auto advance = [&] {
        cur = *next;
        next = (next == &a) ? &b : &a;
    };
    if (m_s.deinterlace) {
        DeinterlaceInto(cur, *next);
        advance();
    }
    if (m_lut) {
        if (NeedsAnalysis()) {
            const AutoLevels al = AnalyseAutoLevels(cur, m_s.autoLevel != 0, m_s.autoEnhance != 0);
            const std::array<ChannelLut, 3> luts = BuildLuts(al.low, al.high, al.midGamma);
            OnWorkers(cur, [&](int y0, int y1) { LutRows(cur, *next, luts, y0, y1); });
        } else if (m_affine && cur.bpp == 3) {
            const PixelView from = cur, to = *next;
            ParallelRows(from.height, static_cast<long long>(from.width) * from.height, [&](int y0, int y1) {
                for (int y = y0; y < y1; ++y)
                    ApplyAffine(from.Row(y), to.Row(y), from.width * 3, m_affineCurve, m_staticLuts[0]);
            });
        } else {
            OnWorkers(cur, [&](int y0, int y1) { LutRows(cur, *next, m_staticLuts, y0, y1); });
        }
        advance();
    }
    if (m_matrix) {
        const FixedMatrix fixed(m_mat);
        OnWorkers(cur, [&](int y0, int y1) { MatrixRows(cur, *next, fixed, y0, y1); });
        advance();
    }
    if (m_balance) {
        OnWorkers(cur, [&](int y0, int y1) {
            BalanceRows(cur, *next, m_balanceLuts, m_s.preserveLuminosity != 0, y0, y1);
        });
        advance();
    }
    if (m_s.soften) {
        SoftenInto(cur, *next);
        advance();
    }
    if (m_s.sharpen) {
        SharpenInto(cur, *next);
        advance();
    }
    return cur;
}

}  // namespace mediaeng::frame
