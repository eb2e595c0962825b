#include "engine/FrameCrop.h"
#include "mediaeng/frame/FrameBuffer.h"
#include "mediaeng/frame/Margins.h"
#include "mediaeng/frame/RgbInput.h"
#include "mediaeng/frame/SwsScaler.h"
#include <cmath>

using namespace mediaeng::frame;

struct CCropMng::Impl {
    CRgbInput rgb;
    CFrameOutput out;
};

CCropMng::CCropMng() : m_impl(std::make_unique<Impl>()) {}
CCropMng::~CCropMng() = default;

namespace {

LONG Scaled(LONG margin, double factor)
{
    const double v = std::round(static_cast<double>(margin) * factor);
    if (!(v > 0)) return 0;  // also NaN
    return v > kMaxFrameSide ? kMaxFrameSide : static_cast<LONG>(v);
}

}  // namespace

HRESULT CCropMng::Crop(DWORD* cbFormat, BYTE** pFormat, DWORD* cbData, BYTE** pData, CGalleryItemBase*,
                       double factor)
{
    FrameIn in;
    HRESULT hr = ReadRecord(cbFormat, pFormat, cbData, pData, in);
    if (FAILED(hr)) return hr;
    if (!(factor > 0) || !std::isfinite(factor)) factor = 1.0;
    Margins m{Scaled(m_rcCrop.left, factor), Scaled(m_rcCrop.top, factor), Scaled(m_rcCrop.right, factor),
              Scaled(m_rcCrop.bottom, factor)};
    ClampMargins(m, in.Width(), in.Height());
    if (m.left == 0 && m.top == 0 && m.right == 0 && m.bottom == 0) return S_OK;
    Impl& s = *m_impl;
    hr = s.rgb.Make(in);
    if (FAILED(hr)) return hr;
    const int w = in.Width() - m.left - m.right;
    const int h = in.Height() - m.top - m.bottom;
    const BITMAPINFOHEADER hdr = MakeRgbHeader(w, h, in.hdr.biBitCount / 8, in.BottomUp());
    const PixelView dst = s.out.Prepare(hdr, in.hasData, in.data);
    if (in.hasData) CopyRect(in.View(), m.left, m.top, dst);
    s.out.Publish(cbFormat, pFormat, cbData, pData);
    return S_OK;
}
