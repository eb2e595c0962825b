#include "engine/FrameEraser.h"
#include "mediaeng/frame/EraseKinds.h"
#include "mediaeng/frame/FrameBuffer.h"
#include "mediaeng/frame/RgbInput.h"
#include "mediaeng/frame/SwsScaler.h"
#include <algorithm>

using namespace mediaeng::frame;

struct CEraserFilter::Impl {
    tag_ERASEPARAM param{};
    CRgbInput rgb;
    CFrameOutput out;
};

CEraserFilter::CEraserFilter() : m_impl(std::make_unique<Impl>()) { m_impl->param.nType = ERASER_NONE; }
CEraserFilter::~CEraserFilter() = default;

HRESULT CEraserFilter::SetProperty(const tag_ERASEPARAM* param)
{
    m_impl->param = param ? *param : tag_ERASEPARAM{};
    if (!param) m_impl->param.nType = ERASER_NONE;
    return S_OK;
}

namespace {

// The side band without the rectangle that keeps the most picture; empty when
// the rectangle leaves no band.
PixelRect KeptBand(const PixelRect& r, int w, int h)
{
    const PixelRect bands[4] = {{0, 0, r.left, h}, {r.right, 0, w, h}, {0, 0, w, r.top}, {0, r.bottom, w, h}};
    PixelRect best;
    long bestArea = 0;
    for (const PixelRect& b : bands) {
        const long area = b.Empty() ? 0 : static_cast<long>(b.Width()) * b.Height();
        if (area > bestArea) {
            bestArea = area;
            best = b;
        }
    }
    return best;
}

}  // namespace

HRESULT CEraserFilter::Erase(DWORD* cbFormat, BYTE** pFormat, DWORD* cbData, BYTE** pData)
{
    FrameIn in;
    HRESULT hr = ReadRecord(cbFormat, pFormat, cbData, pData, in);
    if (FAILED(hr)) return hr;
    Impl& s = *m_impl;
    const tag_ERASEPARAM p = s.param;
    if (p.nType < ERASER_CROP || p.nType > ERASER_PIXELATE) return S_OK;
    const PixelRect r = EraserRect(p, in.Width(), in.Height());
    if (r.Empty()) return S_OK;
    PixelRect keep{0, 0, in.Width(), in.Height()};
    if (p.nType == ERASER_CROP) {
        keep = KeptBand(r, in.Width(), in.Height());
        if (keep.Empty()) return S_OK;
    }
    if (p.nType != ERASER_CROP && in.hasData && IsRgb(in.format) && IsEngineBlock(in.data)) {
        // A working copy of an earlier operation: no need for another one.
        EraseRect(p, in.View(), r);
        return S_OK;
    }
    hr = s.rgb.Make(in);
    if (FAILED(hr)) return hr;
    const BITMAPINFOHEADER h = MakeRgbHeader(keep.Width(), keep.Height(), in.hdr.biBitCount / 8, in.BottomUp());
    const PixelView dst = s.out.Prepare(h, in.hasData, in.data);
    if (in.hasData) {
        CopyRect(in.View(), keep.left, keep.top, dst);
        EraseRect(p, dst, r);
    }
    s.out.Publish(cbFormat, pFormat, cbData, pData);
    return S_OK;
}

bool CEraserFilter::WorksOnPlanar() const { return m_impl->param.nType != ERASER_CROP; }

HRESULT CEraserFilter::ErasePlanar(const PlanarView& pic)
{
    tag_ERASEPARAM p = m_impl->param;
    if (p.nType == ERASER_CROP) return E_NOTIMPL;
    if (p.nType < ERASER_BLUR || p.nType > ERASER_PIXELATE) return S_OK;
    if (!pic.data[0] || pic.width <= 0 || pic.height <= 0) return E_INVALIDARG;
    const PixelRect luma = EraserRect(p, pic.width, pic.height);
    if (luma.Empty()) return S_OK;
    for (int plane = 0; plane < 3; ++plane) {
        const int sx = plane ? pic.chromaShiftX : 0, sy = plane ? pic.chromaShiftY : 0;
        // Chroma takes the samples the luma rectangle touches, and a radius and
        // cell of the same size on the picture.
        const PixelRect r{luma.left >> sx, luma.top >> sy, -((-luma.right) >> sx), -((-luma.bottom) >> sy)};
        tag_ERASEPARAM q = p;
        q.nStrength = std::max<LONG>(1, std::clamp<LONG>(p.nStrength, 1, 16) >> sx);
        q.nCell = std::max<LONG>(1, std::clamp<LONG>(p.nCell, 1, 16) >> sx);
        PixelView v;
        v.top = pic.data[plane];
        v.stride = pic.stride[plane];
        v.width = pic.PlaneWidth(plane);
        v.height = pic.PlaneHeight(plane);
        v.bpp = 1;
        EraseRect(q, v, r);
    }
    return S_OK;
}
