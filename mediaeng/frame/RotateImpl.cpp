#include "engine/FrameRotate.h"
#include "mediaeng/frame/FrameBuffer.h"
#include "mediaeng/frame/RgbInput.h"
#include <cmath>
#include <cstring>

using namespace mediaeng::frame;

struct CRotateImpl::Impl {
    int quarter = 0;  // clockwise quarter turns, 0..3
    bool flipH = false;
    bool flipV = false;
    CRgbInput rgb;
    CFrameOutput out;
};

CRotateImpl::CRotateImpl() : m_impl(std::make_unique<Impl>()) {}
CRotateImpl::~CRotateImpl() = default;

HRESULT CRotateImpl::SetAngle(int degrees)
{
    const long q = std::lround(static_cast<double>(degrees) / 90.0);
    m_impl->quarter = static_cast<int>(((q % 4) + 4) % 4);
    return S_OK;
}

HRESULT CRotateImpl::SetFlip(int flipH, int flipV)
{
    m_impl->flipH = flipH != 0;
    m_impl->flipV = flipV != 0;
    return S_OK;
}

namespace {

// Source pixel of a destination pixel, as sx = ax*x + bx*y + cx and likewise
// for sy, x and y being the destination's coordinates.
struct Mapping {
    int ax, bx, cx, ay, by, cy;
};

Mapping MappingFor(int quarter, bool flipH, bool flipV, int sw, int sh)
{
    const int dw = (quarter & 1) ? sh : sw;
    const int dh = (quarter & 1) ? sw : sh;
    // First undo the flips: x -> fx*x + ox, y -> fy*y + oy.
    const int fx = flipH ? -1 : 1, ox = flipH ? dw - 1 : 0;
    const int fy = flipV ? -1 : 1, oy = flipV ? dh - 1 : 0;
    // Then undo the turn on (u, v) = (fx*x + ox, fy*y + oy).
    int au = 0, av = 0, c0 = 0, bu = 0, bv = 0, c1 = 0;  // sx = au*u + av*v + c0; sy = bu*u + bv*v + c1
    switch (quarter) {
    case 0: au = 1; bv = 1; break;
    case 1: av = 1; bu = -1; c1 = sh - 1; break;             // sx = v, sy = sh-1-u
    case 2: au = -1; c0 = sw - 1; bv = -1; c1 = sh - 1; break;
    default: av = -1; c0 = sw - 1; bu = 1; break;            // sx = sw-1-v, sy = u
    }
    Mapping m;
    m.ax = au * fx;
    m.bx = av * fy;
    m.cx = au * ox + av * oy + c0;
    m.ay = bu * fx;
    m.by = bv * fy;
    m.cy = bu * ox + bv * oy + c1;
    return m;
}

void Remap(const PixelView& src, const PixelView& dst, const Mapping& m)
{
    const int bpp = src.bpp;
    const std::ptrdiff_t step = m.ax * bpp + m.ay * src.stride;
    for (int y = 0; y < dst.height; ++y) {
        const BYTE* s = src.At(m.bx * y + m.cx, m.by * y + m.cy);
        BYTE* d = dst.Row(y);
        if (bpp == 3) {
            for (int x = 0; x < dst.width; ++x, s += step, d += 3) {
                d[0] = s[0];
                d[1] = s[1];
                d[2] = s[2];
            }
        } else {
            for (int x = 0; x < dst.width; ++x, s += step, d += 4) std::memcpy(d, s, 4);
        }
    }
}

}  // namespace

HRESULT CRotateImpl::Rotate(DWORD* cbFormat, BYTE** pFormat, DWORD* cbData, BYTE** pData)
{
    FrameIn in;
    HRESULT hr = ReadRecord(cbFormat, pFormat, cbData, pData, in);
    if (FAILED(hr)) return hr;
    Impl& s = *m_impl;
    if (s.quarter == 0 && !s.flipH && !s.flipV) return S_OK;
    hr = s.rgb.Make(in);
    if (FAILED(hr)) return hr;
    const int sw = in.Width(), sh = in.Height();
    const bool odd = (s.quarter & 1) != 0;
    const BITMAPINFOHEADER h = MakeRgbHeader(odd ? sh : sw, odd ? sw : sh, in.hdr.biBitCount / 8, in.BottomUp());
    const PixelView dst = s.out.Prepare(h, in.hasData, in.data);
    if (in.hasData) Remap(in.View(), dst, MappingFor(s.quarter, s.flipH, s.flipV, sw, sh));
    s.out.Publish(cbFormat, pFormat, cbData, pData);
    return S_OK;
}
