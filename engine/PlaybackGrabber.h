#pragma once
// The sample grabber of a grab graph: it hands each 24-bit frame that reaches
// it to a callback (the player's frame grabber) on the engine's streaming thread.
#include "engine/PlaybackGraph.h"

// {6B652FFF-11FE-4FCE-92AD-0266B5D7C78F}
constexpr GUID IID_ISampleGrabber{0x6B652FFF, 0x11FE, 0x4FCE, {0x92, 0xAD, 0x02, 0x66, 0xB5, 0xD7, 0xC7, 0x8F}};
// {0579154A-2B53-4994-B0D0-E773148EFF85}
constexpr GUID IID_ISampleGrabberCB{0x0579154A, 0x2B53, 0x4994, {0xB0, 0xD0, 0xE7, 0x73, 0x14, 0x8E, 0xFF, 0x85}};
// {622CC276-6018-42C9-A01A-1F39791AA0A3}
constexpr GUID IID_IMediaSample{0x622CC276, 0x6018, 0x42C9, {0xA0, 0x1A, 0x1F, 0x39, 0x79, 0x1A, 0xA0, 0xA3}};

// One frame as the grabber holds it (valid only during SampleCB).
struct IMediaSample : IUnknown {
    static constexpr const GUID& kIID = IID_IMediaSample;
    virtual HRESULT GetPointer(BYTE** buffer) = 0;
    virtual LONG GetActualDataLength() = 0;
};

struct ISampleGrabberCB : IUnknown {
    static constexpr const GUID& kIID = IID_ISampleGrabberCB;
    // time: seconds from the last seek.
    virtual HRESULT SampleCB(double time, IMediaSample* sample) = 0;
    virtual HRESULT BufferCB(double time, BYTE* buffer, LONG length) = 0;
};

struct ISampleGrabber : IUnknown {
    static constexpr const GUID& kIID = IID_ISampleGrabber;
    // which 0: SampleCB, 1: BufferCB. The grabber holds a reference to cb.
    virtual HRESULT SetCallback(ISampleGrabberCB* cb, LONG which) = 0;
    // One-shot grabbers end the graph (EC_COMPLETE) after the first sample.
    virtual HRESULT SetOneShot(BOOL oneShot) = 0;
    virtual HRESULT SetBufferSamples(BOOL buffer) = 0;
    virtual HRESULT GetConnectedMediaType(AM_MEDIA_TYPE* mt) = 0;
};
