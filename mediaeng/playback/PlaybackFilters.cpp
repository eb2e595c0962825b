#include "mediaeng/playback/PlaybackFilters.h"
#include <cstdlib>
#include <cstring>

namespace mediaeng::playback {

namespace {
// {73646976-0000-0010-8000-00AA00389B71}: video, as media types name it.
constexpr GUID MEDIATYPE_Video{0x73646976, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
// {E436EB7D-524F-11CE-9F53-0020AF0BA770}: RGB24 subtype id as media types name it.
constexpr GUID kRgb24{0xE436EB7D, 0x524F, 0x11CE, {0x9F, 0x53, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};
}  // namespace

HRESULT MakeFrameMediaType(const BITMAPINFOHEADER& header, AM_MEDIA_TYPE* mt)
{
    if (!mt) return E_POINTER;
    if (header.biWidth <= 0 || header.biHeight <= 0) return E_FAIL;
    *mt = AM_MEDIA_TYPE{};
    mt->majortype = MEDIATYPE_Video;
    mt->subtype = kRgb24;
    mt->formattype = MEDIASUBTYPE_RGB24_DIB;
    mt->pbFormat = static_cast<BYTE*>(std::malloc(sizeof(BITMAPINFOHEADER)));
    if (!mt->pbFormat) return E_OUTOFMEMORY;
    std::memcpy(mt->pbFormat, &header, sizeof(BITMAPINFOHEADER));
    mt->cbFormat = sizeof(BITMAPINFOHEADER);
    return S_OK;
}

HRESULT CPictureFilter::GetName(const wchar_t** name)
{
    if (!name) return E_POINTER;
    *name = L"MainVideoFilter";
    return S_OK;
}

HRESULT CPictureFilter::GetPin(PIN_DIRECTION, int, IPin** pin)
{
    if (pin) *pin = nullptr;
    return E_FAIL;
}

HRESULT CPictureFilter::SetFrameDraw(IFrameDraw* sink)
{
    m_sinks->SetDraw(sink);
    return S_OK;
}

HRESULT CPictureFilter::SetFilterMode(int mode)
{
    // Only the preview's 24-bit delivery exists; other modes are refused.
    if (mode != 2) return E_INVALIDARG;
    m_mode = mode;
    return S_OK;
}

HRESULT CSoundFilter::GetName(const wchar_t** name)
{
    if (!name) return E_POINTER;
    *name = L"WaveCodec";
    return S_OK;
}

HRESULT CSoundFilter::GetPin(PIN_DIRECTION, int, IPin** pin)
{
    if (pin) *pin = nullptr;
    return E_FAIL;
}

HRESULT CSoundFilter::SetFrameDraw(IFrameDraw* sink)
{
    m_sinks->SetDraw(sink);
    return S_OK;
}

HRESULT CGrabberPin::ConnectionMediaType(AM_MEDIA_TYPE* mt) { return MakeFrameMediaType(m_header, mt); }

HRESULT CGrabberPin::QueryDirection(PIN_DIRECTION* dir)
{
    if (!dir) return E_POINTER;
    *dir = PINDIR_INPUT;
    return S_OK;
}

HRESULT CGrabberFilter::GetName(const wchar_t** name)
{
    if (!name) return E_POINTER;
    *name = L"Grabber";
    return S_OK;
}

HRESULT CGrabberFilter::GetPin(PIN_DIRECTION dir, int index, IPin** pin)
{
    if (!pin) return E_POINTER;
    *pin = nullptr;
    if (dir != PINDIR_INPUT || index != 0) return E_FAIL;
    *pin = MakeComObject<CGrabberPin>(m_header).Detach();
    return S_OK;
}

HRESULT CGrabberFilter::SetCallback(ISampleGrabberCB* cb, LONG which)
{
    if (which != 0 && which != 1) return E_INVALIDARG;
    m_sinks->SetGrabber(cb, which);
    return S_OK;
}

HRESULT CGrabberFilter::SetOneShot(BOOL oneShot)
{
    m_sinks->SetOneShot(oneShot != 0);
    return S_OK;
}

HRESULT CGrabberFilter::SetBufferSamples(BOOL buffer)
{
    // Frames go to the callback only; nothing is kept in the grabber.
    return buffer ? E_NOTIMPL : S_OK;
}

HRESULT CGrabberFilter::GetConnectedMediaType(AM_MEDIA_TYPE* mt) { return MakeFrameMediaType(m_header, mt); }

}  // namespace mediaeng::playback
