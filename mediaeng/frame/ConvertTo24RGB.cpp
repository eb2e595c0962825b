#include "engine/FrameConvert.h"
#include "mediaeng/frame/FrameBuffer.h"
#include "mediaeng/frame/SwsScaler.h"
extern "C" {
#include <libswscale/swscale.h>
}

using namespace mediaeng::frame;

struct CConvertTo24RGB::Impl {
    CFrameOutput out;
    CSwsScaler sws;
};

CConvertTo24RGB::CConvertTo24RGB() : m_impl(std::make_unique<Impl>()) {}
CConvertTo24RGB::~CConvertTo24RGB() = default;

HRESULT CConvertTo24RGB::Convert24(DWORD* cbFormat, BYTE** pFormat, DWORD* cbData, BYTE** pData)
{
    FrameIn in;
    HRESULT hr = ReadRecord(cbFormat, pFormat, cbData, pData, in);
    if (FAILED(hr)) return hr;
    if (in.format == PixelFormat::Bgr24 && in.BottomUp()) return S_OK;
    const BITMAPINFOHEADER h = MakeRgbHeader(in.Width(), in.Height(), 3, true);
    const PixelView dst = m_impl->out.Prepare(h, in.hasData, in.data);
    if (in.hasData) {
        hr = m_impl->sws.Scale(in, nullptr, dst, SWS_POINT);
        if (FAILED(hr)) return hr;
    }
    m_impl->out.Publish(cbFormat, pFormat, cbData, pData);
    return S_OK;
}
