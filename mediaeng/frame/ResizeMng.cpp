#include "engine/FrameResize.h"
#include "mediaeng/frame/FrameBuffer.h"
#include "mediaeng/frame/RgbInput.h"
#include "mediaeng/frame/SwsScaler.h"
#include <algorithm>
#include <cmath>
#include <vector>
extern "C" {
#include <libswscale/swscale.h>
}

using namespace mediaeng::frame;

namespace {

struct ResizeValues {
    int type = RESIZE_STRETCH;
    int resampling = RESAMPLE_BILINEAR;
    int letterbox = 0;
    COLORREF color = 0;
};

int SwsFlagsOf(int resampling)
{
    static const int kFlags[RESAMPLE_COUNT] = {SWS_BILINEAR, SWS_BICUBIC, SWS_POINT, SWS_LANCZOS};
    return (resampling >= 0 && resampling < RESAMPLE_COUNT) ? kFlags[resampling] : SWS_BILINEAR;
}

// Where the scaled picture goes and which part of the source it shows.
struct ResizePlan {
    int outW = 0, outH = 0;  // size of the result
    RECT dst{};              // picture inside the result (bars around it)
    RECT src{};              // part of the source scaled
    bool bars = false;       // colour bars around dst
    bool blurredBars = false;
};

// The largest rectangle of the source's aspect inside tw x th, centred.
RECT FitInside(int sw, int sh, int tw, int th)
{
    int w = tw, h = th;
    if (static_cast<long long>(sw) * th > static_cast<long long>(tw) * sh)
        h = std::max(1, static_cast<int>(std::lround(static_cast<double>(tw) * sh / sw)));
    else
        w = std::max(1, static_cast<int>(std::lround(static_cast<double>(th) * sw / sh)));
    return {(tw - w) / 2, (th - h) / 2, (tw - w) / 2 + w, (th - h) / 2 + h};
}

ResizePlan PlanResize(int sw, int sh, int tw, int th, const ResizeValues& v)
{
    ResizePlan p;
    p.outW = tw;
    p.outH = th;
    p.dst = {0, 0, tw, th};
    p.src = {0, 0, sw, sh};
    switch (v.type) {
    case RESIZE_KEEP_ASPECT:
    case RESIZE_BLURRED_BARS: {
        const RECT fit = FitInside(sw, sh, tw, th);
        if (v.type == RESIZE_BLURRED_BARS) {
            p.dst = fit;
            p.blurredBars = true;
        } else if (v.letterbox) {
            p.dst = fit;
            p.bars = true;
        } else {
            p.outW = fit.right - fit.left;
            p.outH = fit.bottom - fit.top;
            p.dst = {0, 0, p.outW, p.outH};
        }
        break;
    }
    case RESIZE_CROP_FILL: {
        const RECT keep = FitInside(tw, th, sw, sh);  // the target's aspect inside the source
        p.src = keep;
        break;
    }
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
    CSwsScaler swsSmall;
    CSwsScaler swsBack;
    std::vector<BYTE> small;
};

namespace {

// The whole picture cut to the result's aspect, shrunk to a few pixels and
// grown back: a soft, cheap blur behind the fitted picture.
HRESULT BlurredBackground(CSwsScaler& down, CSwsScaler& up, std::vector<BYTE>& small, const FrameIn& in,
                          const PixelView& dst)
{
    const int sw = std::max(1, dst.width / 24), sh = std::max(1, dst.height / 24);
    const BITMAPINFOHEADER smallHdr = MakeRgbHeader(sw, sh, dst.bpp, false);
    small.resize(PictureBytes(smallHdr));
    const PixelView smallView = ViewOf(smallHdr, small.data());
    const RECT keep = FitInside(dst.width, dst.height, in.Width(), in.Height());
    HRESULT hr = down.Scale(in, &keep, smallView, SWS_AREA);
    if (FAILED(hr)) return hr;
    FrameIn smallIn;
    smallIn.hdr = smallHdr;
    smallIn.format = dst.bpp == 4 ? PixelFormat::Bgr32 : PixelFormat::Bgr24;
    smallIn.hasData = true;
    smallIn.data = small.data();
    smallIn.cbData = static_cast<DWORD>(small.size());
    return up.Scale(smallIn, nullptr, dst, SWS_BILINEAR);
}

}  // namespace

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
        if (plan.bars) FillBars(dst, plan.dst, v.color);
        if (plan.blurredBars) {
            hr = BlurredBackground(s.swsSmall, s.swsBack, s.small, in, dst);
            if (FAILED(hr)) return hr;
        }
        hr = s.sws.Scale(in, &plan.src, inner, SwsFlagsOf(v.resampling));
        if (FAILED(hr)) return hr;
    }
    s.out.Publish(cbFormat, pFormat, cbData, pData);
    return S_OK;
}
