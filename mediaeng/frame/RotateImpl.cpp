#include "engine/FrameRotate.h"
#include "mediaeng/frame/FrameBuffer.h"
#include "mediaeng/frame/PlanarTurn.h"
#include "mediaeng/frame/RgbInput.h"
#include <cmath>

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
    if (in.hasData) TurnPacked(in.View(), dst, TurnMappingFor(s.quarter, s.flipH, s.flipV, sw, sh));
    s.out.Publish(cbFormat, pFormat, cbData, pData);
    return S_OK;
}
