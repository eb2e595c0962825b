#pragma once
// The named stages a graph offers to FindFilterByName: the picture stage
// ("MainVideoFilter"), the sound stage ("WaveCodec") and the sample grabber
// ("Grabber") with its input pin. They only register receivers; the graph's
// streaming thread does the work.
#include "engine/PlaybackGrabber.h"
#include "mediaeng/playback/PlaybackSinks.h"
#include "platform/Bitmap.h"
#include <memory>
#include <string>

namespace mediaeng::playback {

// {80DF5F86-F980-48DE-AF5C-9E3B4100D42B}: the subtype of 24-bit bottom-up frames.
constexpr GUID MEDIASUBTYPE_RGB24_DIB{0x80DF5F86, 0xF980, 0x48DE, {0xAF, 0x5C, 0x9E, 0x3B, 0x41, 0x00, 0xD4, 0x2B}};

class CPictureFilter : public CComObjectBase<IBaseFilter, IFrameDraw, IFilterMode> {
public:
    explicit CPictureFilter(std::shared_ptr<CPlaybackSinks> sinks) : m_sinks(std::move(sinks)) {}
    HRESULT GetName(const wchar_t** name) override;
    HRESULT GetPin(PIN_DIRECTION dir, int index, IPin** pin) override;
    HRESULT SetFrameDraw(IFrameDraw* sink) override;
    HRESULT DrawFrame(DWORD, BYTE*, DWORD, BYTE*, REFERENCE_TIME*, DWORD) override { return E_NOTIMPL; }
    HRESULT UpdatePosition(REFERENCE_TIME*, DWORD) override { return E_NOTIMPL; }
    HRESULT SetFilterMode(int mode) override;
    int Mode() const { return m_mode; }

private:
    std::shared_ptr<CPlaybackSinks> m_sinks;
    int m_mode = 2;
};

class CSoundFilter : public CComObjectBase<IBaseFilter, IFrameDraw> {
public:
    explicit CSoundFilter(std::shared_ptr<CPlaybackSinks> sinks) : m_sinks(std::move(sinks)) {}
    HRESULT GetName(const wchar_t** name) override;
    HRESULT GetPin(PIN_DIRECTION dir, int index, IPin** pin) override;
    HRESULT SetFrameDraw(IFrameDraw* sink) override;
    HRESULT DrawFrame(DWORD, BYTE*, DWORD, BYTE*, REFERENCE_TIME*, DWORD) override { return E_NOTIMPL; }
    HRESULT UpdatePosition(REFERENCE_TIME*, DWORD) override { return E_NOTIMPL; }

private:
    std::shared_ptr<CPlaybackSinks> m_sinks;
};

// Input pin of the grabber; its connection carries the frame format.
class CGrabberPin : public CComObjectBase<IPin> {
public:
    explicit CGrabberPin(const BITMAPINFOHEADER& header) : m_header(header) {}
    HRESULT ConnectionMediaType(AM_MEDIA_TYPE* mt) override;
    HRESULT QueryDirection(PIN_DIRECTION* dir) override;

private:
    BITMAPINFOHEADER m_header;
};

class CGrabberFilter : public CComObjectBase<IBaseFilter, ISampleGrabber> {
public:
    CGrabberFilter(std::shared_ptr<CPlaybackSinks> sinks, const BITMAPINFOHEADER& header)
        : m_sinks(std::move(sinks)), m_header(header) {}
    HRESULT GetName(const wchar_t** name) override;
    HRESULT GetPin(PIN_DIRECTION dir, int index, IPin** pin) override;
    HRESULT SetCallback(ISampleGrabberCB* cb, LONG which) override;
    HRESULT SetOneShot(BOOL oneShot) override;
    HRESULT SetBufferSamples(BOOL buffer) override;
    HRESULT GetConnectedMediaType(AM_MEDIA_TYPE* mt) override;

private:
    std::shared_ptr<CPlaybackSinks> m_sinks;
    BITMAPINFOHEADER m_header;
};

// Fills mt with the format of 24-bit frames of the header's size.
HRESULT MakeFrameMediaType(const BITMAPINFOHEADER& header, AM_MEDIA_TYPE* mt);

}  // namespace mediaeng::playback
