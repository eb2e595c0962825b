#pragma once
// The frame filters compiled from their settings into a few passes: line
// deinterlacing, one table per channel for every per-channel curve (levels,
// auto levels, brightness, contrast, gamma, RGB, YUV, CMYK, luminosity,
// negative), one colour matrix (LMS, hue, saturation, greyscale), the colour
// balance with its luminosity kept, then softening and sharpening.
#include "engine/FrameFilterSettings.h"
#include "mediaeng/frame/AffineBytes.h"
#include "mediaeng/frame/FilterCurves.h"
#include "mediaeng/frame/FrameBuffer.h"
#include <array>
#include <cstdint>
#include <vector>

namespace mediaeng::frame {

using ChannelLut = std::array<BYTE, 256>;
using CurveValues = std::array<double, 256>;

// A byte table, and the straight line that gives it exactly where there is
// one (so that many bytes go at a time).
struct PlaneCurve {
    ChannelLut table{};
    bool straight = false;
    AffineCurve line;
    void Apply(const BYTE* s, BYTE* d, int n) const;
};

class CFilterProgram {
public:
    void Compile(const FrameFilterSettings& s);
    bool IsIdentity() const { return m_identity; }
    // True when every pass works pixel by pixel, so source and result may be one picture.
    bool WorksInPlace() const { return !m_s.deinterlace && !m_s.soften && !m_s.sharpen; }
    // How many passes Run makes (each writes a whole picture).
    int PassCount() const
    {
        return int(m_s.deinterlace != 0) + int(m_lut) + int(m_matrix) + int(m_balance) + int(m_s.soften != 0) +
               int(m_s.sharpen != 0);
    }
    // The program as one table for the luma plane and one for both chroma
    // planes of a YUV picture (limited or full range): only for one straight
    // curve shared by every channel (brightness, contrast, negative, levels
    // without a midtone), which moves luma along the curve and scales chroma
    // by its slope; or saturation alone, which scales chroma and moves luma
    // as greyTrip says (what the RGB route's trip through libswscale makes
    // of each grey). False otherwise.
    bool PlanarLuts(bool fullRange, const std::vector<uint8_t>& greyTrip, PlaneCurve& luma,
                    PlaneCurve& chroma) const;
    // True when every pass works on one pixel at a time without looking at
    // the whole picture first (no deinterlacing, softening, sharpening or
    // auto levels): a YUV picture can then go through RGB a few rows at a time.
    bool WorksOnPlanar() const;
    // The per-pixel passes on v where it is, on the calling thread (v is a
    // strip of a picture that a row worker holds).
    void RunPixelRows(const PixelView& v) const;
    // Runs the passes from src; the result lands in a or b (both prepared with
    // src's header and distinct from it) and its view is returned.
    PixelView Run(const PixelView& src, const PixelView& a, const PixelView& b) const;

    // The per-channel table (B, G, R order of the picture) for a picture whose
    // auto-level analysis gave these stretch points; for tests and the runner.
    std::array<ChannelLut, 3> BuildLuts(const int low[3], const int high[3], double midGamma) const;

private:
    // The unrounded curve of each channel, clamped to 0..255.
    std::array<CurveValues, 3> BuildCurves(const int low[3], const int high[3], double midGamma) const;
    bool NeedsAnalysis() const { return m_s.autoLevel || m_s.autoContrast || m_s.autoEnhance; }

    FrameFilterSettings m_s;
    bool m_identity = true;
    bool m_lut = false;
    bool m_matrix = false;
    bool m_balance = false;
    Matrix3 m_mat = IdentityMatrix();
    std::array<ChannelLut, 3> m_staticLuts{};  // when no analysis is needed
    std::array<ChannelLut, 3> m_balanceLuts{};
    bool m_affine = false;
    AffineCurve m_affineCurve;
};

}  // namespace mediaeng::frame
