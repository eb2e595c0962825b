#include "mediaeng/frame/ShownPicture.h"
#include "mediaeng/frame/EraseKinds.h"
#include "mediaeng/frame/Margins.h"
#include "mediaeng/frame/ParallelRows.h"
#include "mediaeng/frame/PlanarTurn.h"
#include <algorithm>
#include <cmath>
#include <cstring>
extern "C" {
#include <libswscale/swscale.h>
}

namespace mediaeng::frame {

namespace {

int QuarterOf(int degrees)
{
    const long q = std::lround(static_cast<double>(degrees) / 90.0);
    return static_cast<int>(((q % 4) + 4) % 4);
}

// Where pixel (x, y) of the turned picture lies in the source.
struct Mapper {
    TurnMapping m;
    int SrcX(int x, int y) const { return m.ax * x + m.bx * y + m.cx; }
    int SrcY(int x, int y) const { return m.ay * x + m.by * y + m.cy; }
};

// The source rectangle a rectangle of the turned picture comes from.
PixelRect SourceRect(const Mapper& map, const PixelRect& r)
{
    const int xs[2] = {r.left, r.right - 1}, ys[2] = {r.top, r.bottom - 1};
    PixelRect s{map.SrcX(r.left, r.top), map.SrcY(r.left, r.top), 0, 0};
    s.right = s.left;
    s.bottom = s.top;
    for (int x : xs)
        for (int y : ys) {
            s.left = std::min(s.left, map.SrcX(x, y));
            s.right = std::max(s.right, map.SrcX(x, y));
            s.top = std::min(s.top, map.SrcY(x, y));
            s.bottom = std::max(s.bottom, map.SrcY(x, y));
        }
    ++s.right;
    ++s.bottom;
    return s;
}

}  // namespace

// The one scale of a shown picture is most of its cost; it runs alone, on
// the paint, so it takes the row workers' number of threads.
CShownPicture::CShownPicture() { m_sws.UseThreads(RowWorkers()); }

HRESULT CShownPicture::Make(const FRAME_RECORD& source, const EditChain& chain, int width, int height,
                            FRAME_RECORD& out)
{
    DWORD cbFormat = source.cbFormat, cbData = source.cbData;
    BYTE* pFormat = source.pbFormat;
    BYTE* pData = source.pbData;
    FrameIn in;
    HRESULT hr = ReadRecord(&cbFormat, &pFormat, &cbData, &pData, in);
    if (FAILED(hr)) return hr;
    if (!in.hasData || width <= 0 || height <= 0 || !Handles(chain)) return E_INVALIDARG;
    hr = m_rgb.Make(in);
    if (FAILED(hr)) return hr;
    const PixelView src = in.View();
    if (src.bpp != 3) return E_INVALIDARG;

    // The turned picture, its crop, and the part of the source it keeps.
    const int quarter = QuarterOf(chain.rotateDegrees);
    const bool odd = (quarter & 1) != 0;
    int tw = 0, th = 0;
    TurnedSize(quarter, src.width, src.height, tw, th);
    Margins margins{chain.crop.left, chain.crop.top, chain.crop.right, chain.crop.bottom};
    ClampMargins(margins, tw, th);
    const PixelRect kept{margins.left, margins.top, tw - margins.right, th - margins.bottom};
    const Mapper turned{TurnMappingFor(quarter, chain.flipH != 0, chain.flipV != 0, src.width, src.height)};
    const PixelRect erase = chain.Erases() ? EraserRect(chain.eraser, kept.Width(), kept.Height()) : PixelRect{};
    if (odd) {
        // libswscale filters its two directions a little differently, so a
        // quarter turn comes first, of the kept part alone, as it does in the
        // conversion.
        TurnMapping m = turned.m;
        m.cx += m.ax * kept.left + m.bx * kept.top;
        m.cy += m.ay * kept.left + m.by * kept.top;
        const PixelView upright =
            m_scaled.Prepare(MakeRgbHeader(kept.Width(), kept.Height(), 3, true), true, nullptr);
        TurnPacked(src, upright, m);
        if (!erase.Empty()) EraseRect(chain.eraser, upright, erase);
        const RgbSlice whole{upright.top, upright.stride, upright.height};
        const PixelView shown = m_out.Prepare(MakeRgbHeader(width, height, 3, true), true, nullptr);
        hr = m_sws.ScaleSlices(&whole, 1, upright.width, shown, SWS_BILINEAR);
        if (FAILED(hr)) return hr;
        m_out.Publish(&out.cbFormat, &out.pbFormat, &out.cbData, &out.pbData);
        return S_OK;
    }
    const PixelRect from = SourceRect(turned, kept);
    const int sw = from.Width();
    RgbSlice slices[3] = {{src.At(from.left, from.top), src.stride, from.Height()}, {}, {}};
    int count = 1;

    // The eraser on a copy of the source rows under its rectangle and the
    // ring around it, erased in the turned picture's coordinates.
    if (!erase.Empty()) {
        const PixelRect ring{std::max(erase.left - 1, 0), std::max(erase.top - 1, 0),
                             std::min(erase.right + 1, kept.Width()), std::min(erase.bottom + 1, kept.Height())};
        const PixelRect ringInTurned{ring.left + kept.left, ring.top + kept.top, ring.right + kept.left,
                                     ring.bottom + kept.top};
        const PixelRect rows = SourceRect(turned, ringInTurned);
        const std::ptrdiff_t bandStride = static_cast<std::ptrdiff_t>(sw) * 3;
        m_band.resize(static_cast<size_t>(bandStride) * rows.Height());
        for (int y = rows.top; y < rows.bottom; ++y)
            std::memcpy(&m_band[static_cast<size_t>(y - rows.top) * bandStride], src.At(from.left, y),
                        static_cast<size_t>(bandStride));
        PixelView band{m_band.data(), bandStride, sw, rows.Height(), 3};
        PixelView region{nullptr, static_cast<std::ptrdiff_t>(ring.Width()) * 3, ring.Width(), ring.Height(), 3};
        m_region.resize(static_cast<size_t>(region.stride) * region.height);
        region.top = m_region.data();
        // Pixel (x, y) of the region is pixel (ring + x, y) of the kept picture.
        const auto bandPixel = [&](int x, int y) {
            const int tx = x + ringInTurned.left, ty = y + ringInTurned.top;
            return band.At(turned.SrcX(tx, ty) - from.left, turned.SrcY(tx, ty) - rows.top);
        };
        for (int y = 0; y < region.height; ++y)
            for (int x = 0; x < region.width; ++x) std::memcpy(region.At(x, y), bandPixel(x, y), 3);
        const PixelRect inRegion{erase.left - ring.left, erase.top - ring.top, erase.right - ring.left,
                                 erase.bottom - ring.top};
        EraseRect(chain.eraser, region, inRegion);
        for (int y = inRegion.top; y < inRegion.bottom; ++y)
            for (int x = inRegion.left; x < inRegion.right; ++x) std::memcpy(bandPixel(x, y), region.At(x, y), 3);
        slices[0].rows = rows.top - from.top;
        slices[1] = {band.top, band.stride, band.height};
        slices[2] = {src.At(from.left, rows.bottom), src.stride, from.bottom - rows.bottom};
        count = 3;
    }

    // One scale to the shown size in the source's orientation, then the
    // half turn or the flips.
    const bool turns = quarter != 0 || chain.flipH || chain.flipV;
    const int scaledW = width, scaledH = height;
    const PixelView scaled = (turns ? m_scaled : m_out).Prepare(MakeRgbHeader(scaledW, scaledH, 3, true), true, nullptr);
    hr = m_sws.ScaleSlices(slices, count, sw, scaled, SWS_BILINEAR);
    if (FAILED(hr)) return hr;
    if (turns) {
        const PixelView shown = m_out.Prepare(MakeRgbHeader(width, height, 3, true), true, nullptr);
        TurnPacked(scaled, shown, TurnMappingFor(quarter, chain.flipH != 0, chain.flipV != 0, scaledW, scaledH));
    }
    m_out.Publish(&out.cbFormat, &out.pbFormat, &out.cbData, &out.pbData);
    return S_OK;
}

}  // namespace mediaeng::frame
