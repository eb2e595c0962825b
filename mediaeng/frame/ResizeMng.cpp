#include "engine/FrameResize.h"
#include "mediaeng/frame/FrameBuffer.h"
#include "mediaeng/frame/RgbInput.h"
#include "mediaeng/frame/SwsScaler.h"
#include <algorithm>
#include <cmath>
extern "C" {
#include <libswscale/swscale.h>
}

using namespace km::frame;

namespace {

struct ResizeValues {
    int type = RESIZE_STRETCH;
    int resampling = RESAMPLE_BICUBIC;
    int letterbox = 0;
    COLORREF color = 0;
};

int SwsFlagsOf(int resampling)
{
    static const int kFlags[RESAMPLE_COUNT] = {SWS_BICUBIC, SWS_BILINEAR, SWS_POINT, SWS_AREA, SWS_LANCZOS, SWS_SPLINE};
    return (resampling >= 0 && resampling < RESAMPLE_COUNT) ? kFlags[resampling] : SWS_BICUBIC;
}

// Where the scaled picture goes and which part of the source it shows.
struct ResizePlan {
    int outW = 0, outH = 0;   // size of the result
    RECT dst{};               // picture inside the result (bars around it)
    RECT src{};               // part of the source scaled
};

ResizePlan PlanResize(int sw, int sh, int tw, int th, const ResizeValues& v)
{
    ResizePlan p;
    p.outW = tw;
    p.outH = th;
    p.dst = {0, 0, tw, th};
    p.src = {0, 0, sw, sh};
    const double srcAspect = static_cast<double>(sw) / sh;
    const double dstAspect = static_cast<double>(tw) / th;
    auto fit = [&](int& w, int& h) {
        if (srcAspect > dstAspect) {
            w = tw;
            h = std::max(1, static_cast<int>(std::lround(tw / srcAspect)));
        } else {
            h = th;
            w = std::max(1, static_cast<int>(std::lround(th * srcAspect)));
        }
    };
    switch (v.type) {
    case RESIZE_FIT:
    case RESIZE_KEEP_ASPECT: {
        int w = tw, h = th;
        fit(w, h);
        if (v.type == RESIZE_KEEP_ASPECT && v.letterbox) {
            p.dst = {(tw - w) / 2, (th - h) / 2, (tw - w) / 2 + w, (th - h) / 2 + h};
        } else {
            p.outW = w;
            p.outH = h;
            p.dst = {0, 0, w, h};
        }
        break;
    }
    case RESIZE_CROP_FILL:
        if (srcAspect > dstAspect) {
            const int cw = std::max(1, static_cast<int>(std::lround(sh * dstAspect)));
            p.src = {(sw - cw) / 2, 0, (sw - cw) / 2 + cw, sh};
        } else {
            const int ch = std::max(1, static_cast<int>(std::lround(sw / dstAspect)));
            p.src = {0, (sh - ch) / 2, sw, (sh - ch) / 2 + ch};
        }
        break;
    default: break;
    }
    return p;
}

void FillBars(const PixelView& v, const RECT& picture, COLORREF color)
{
    const BYTE px[4] = {GetBValue(color), GetGValue(color), GetRValue(color), 0};
    for (int y = 0; y < v.height; ++y) {
        const bool inRows = y >= picture.top && y < picture.bottom;
        for (int x = 0; x < v.width; ++x) {
            if (inRows && x >= picture.left && x < picture.right) {
                x = picture.right - 1;
                continue;
            }
            std::copy_n(px, v.bpp, v.At(x, y));
        }
    }
}

}  // namespace

struct CResizeMng::Impl {
    ResizeValues kept;
    CRgbInput rgb;
    CFrameOutput out;
    CSwsScaler sws;
};

CResizeMng::CResizeMng() : m_impl(std::make_unique<Impl>()) {}
CResizeMng::~CResizeMng() = default;

HRESULT CResizeMng::SetValue(int resizeType, int resampling, int letterbox, COLORREF letterboxColor)
{
    m_impl->kept = {resizeType, resampling, letterbox, letterboxColor};
    return S_OK;
}

HRESULT CResizeMng::Resize(int width, int height, DWORD* cbFormat, BYTE** pFormat, DWORD* cbData, BYTE** pData,
                           int bExplicit, int resizeType, int resampling, int letterbox, COLORREF letterboxColor)
{
    FrameIn in;
    HRESULT hr = ReadRecord(cbFormat, pFormat, cbData, pData, in);
    if (FAILED(hr)) return hr;
    Impl& s = *m_impl;
    const ResizeValues v = bExplicit ? ResizeValues{resizeType, resampling, letterbox, letterboxColor} : s.kept;
    const int tw = width > 0 ? std::min<int>(width, kMaxFrameSide) : in.Width();
    const int th = height > 0 ? std::min<int>(height, kMaxFrameSide) : in.Height();
    const ResizePlan plan = PlanResize(in.Width(), in.Height(), tw, th, v);
    if (plan.outW == in.Width() && plan.outH == in.Height() && plan.src.right - plan.src.left == in.Width() &&
        plan.src.bottom - plan.src.top == in.Height())
        return S_OK;
    hr = s.rgb.Make(in);
    if (FAILED(hr)) return hr;
    const BITMAPINFOHEADER h = MakeRgbHeader(plan.outW, plan.outH, in.hdr.biBitCount / 8, in.BottomUp());
    const PixelView dst = s.out.Prepare(h, in.hasData, in.data);
    if (in.hasData) {
        PixelView inner = dst;
        inner.top = dst.At(plan.dst.left, plan.dst.top);
        inner.width = plan.dst.right - plan.dst.left;
        inner.height = plan.dst.bottom - plan.dst.top;
        if (inner.width != dst.width || inner.height != dst.height) FillBars(dst, plan.dst, v.color);
        hr = s.sws.Scale(in, &plan.src, inner, SwsFlagsOf(v.resampling));
        if (FAILED(hr)) return hr;
    }
    s.out.Publish(cbFormat, pFormat, cbData, pData);
    return S_OK;
}
