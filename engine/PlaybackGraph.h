#pragma once
// The graph of a media source as the preview player drives it: a playback graph
// (frames to an IFrameDraw sink, sound to the audio device) or a grab graph
// (frames to a sample grabber), with control, seeking and an event queue.
// Media sources build them (IMediaSourceGraph); mediaeng/playback implements them.
#include "platform/Unknown.h"

using LONG_PTR = intptr_t;

// Graph event codes.
enum : LONG {
    EC_COMPLETE = 1,      // playback reached the stop time or the end of the source
    EC_USERABORT = 2,     // the graph was stopped before it completed
    EC_ERRORABORT = 3,    // param1: the failure code
    EC_ENGINE_FAILED = 1000,  // the engine's filters failed (param1: the failure code)
};

// Seeking flags of IMediaSeeking::SetPositions.
enum : DWORD {
    AM_SEEKING_NoPositioning = 0,
    AM_SEEKING_AbsolutePositioning = 1,
};

// Graph states of IMediaControl::GetState.
enum : LONG {
    State_Stopped = 0,
    State_Paused = 1,
    State_Running = 2,
};

enum PIN_DIRECTION { PINDIR_INPUT = 0, PINDIR_OUTPUT = 1 };

// {872D04BC-22F8-4E39-827F-93FFF23C71AA}
constexpr GUID IID_IMediaControl{0x872D04BC, 0x22F8, 0x4E39, {0x82, 0x7F, 0x93, 0xFF, 0xF2, 0x3C, 0x71, 0xAA}};
// {B4922CD1-B916-4FF9-8D04-87BC09927299}
constexpr GUID IID_IMediaSeeking{0xB4922CD1, 0xB916, 0x4FF9, {0x8D, 0x04, 0x87, 0xBC, 0x09, 0x92, 0x72, 0x99}};
// {5B5B8DA9-07BB-4DC1-B802-A875016ADF1A}
constexpr GUID IID_IMediaEventEx{0x5B5B8DA9, 0x07BB, 0x4DC1, {0xB8, 0x02, 0xA8, 0x75, 0x01, 0x6A, 0xDF, 0x1A}};
// {2BBFA282-422A-4817-83AD-67EB579F760B}
constexpr GUID IID_IMediaEventSink{0x2BBFA282, 0x422A, 0x4817, {0x83, 0xAD, 0x67, 0xEB, 0x57, 0x9F, 0x76, 0x0B}};
// {3DD7E17D-6F6B-4069-89EC-C54BE6E43334}
constexpr GUID IID_IGraphBuilder{0x3DD7E17D, 0x6F6B, 0x4069, {0x89, 0xEC, 0xC5, 0x4B, 0xE6, 0xE4, 0x33, 0x34}};
// {1160A0B8-1ABB-4CD0-A79E-CEAF4AC0B0F4}
constexpr GUID IID_IBaseFilter{0x1160A0B8, 0x1ABB, 0x4CD0, {0xA7, 0x9E, 0xCE, 0xAF, 0x4A, 0xC0, 0xB0, 0xF4}};
// {79163112-56F8-4574-BA06-76CDA771ECC3}
constexpr GUID IID_IPin{0x79163112, 0x56F8, 0x4574, {0xBA, 0x06, 0x76, 0xCD, 0xA7, 0x71, 0xEC, 0xC3}};
// {E7DC46A2-4CD2-4E4E-8605-DF609BA97185}
constexpr GUID IID_IBasicVideo{0xE7DC46A2, 0x4CD2, 0x4E4E, {0x86, 0x05, 0xDF, 0x60, 0x9B, 0xA9, 0x71, 0x85}};
// {BC5F4E19-8747-4886-AF1B-A2C664956711}
constexpr GUID IID_IVideoWindow{0xBC5F4E19, 0x8747, 0x4886, {0xAF, 0x1B, 0xA2, 0xC6, 0x64, 0x95, 0x67, 0x11}};
// {F20939FC-4E1B-489B-A93C-DB11FE8E6BD4}
constexpr GUID IID_IGraphNotify{0xF20939FC, 0x4E1B, 0x489B, {0xA9, 0x3C, 0xDB, 0x11, 0xFE, 0x8E, 0x6B, 0xD4}};
// {8F3DD3B9-7C81-4A33-A1E9-B3D9ADDD9132}
constexpr GUID IID_IFilterMode{0x8F3DD3B9, 0x7C81, 0x4A33, {0xA1, 0xE9, 0xB3, 0xD9, 0xAD, 0xDD, 0x91, 0x32}};

// Format of a pin's connection. pbFormat (cbFormat bytes) opens with a
// BITMAPINFOHEADER for video; release it with FreeMediaType.
struct AM_MEDIA_TYPE {
    GUID majortype{};
    GUID subtype{};
    GUID formattype{};
    DWORD cbFormat = 0;
    BYTE* pbFormat = nullptr;
};
void FreeMediaType(AM_MEDIA_TYPE& mt);

struct IPin : IUnknown {
    static constexpr const GUID& kIID = IID_IPin;
    // A copy of the connection's format (VFW_E_NOT_CONNECTED-like E_FAIL when none).
    virtual HRESULT ConnectionMediaType(AM_MEDIA_TYPE* mt) = 0;
    virtual HRESULT QueryDirection(PIN_DIRECTION* dir) = 0;
};

// A named stage of a graph: "MainVideoFilter" (pictures; IFrameDraw, IFilterMode),
// "WaveCodec" (sound; IFrameDraw for the position of audio-only sources),
// "Grabber" (grab graphs; ISampleGrabber).
struct IBaseFilter : IUnknown {
    static constexpr const GUID& kIID = IID_IBaseFilter;
    virtual HRESULT GetName(const wchar_t** name) = 0;
    // Pin by direction and index; E_FAIL when there is none.
    virtual HRESULT GetPin(PIN_DIRECTION dir, int index, IPin** pin) = 0;
};

// Mode of the picture stage; 2 delivers 24-bit bottom-up frames (the preview's).
struct IFilterMode : IUnknown {
    static constexpr const GUID& kIID = IID_IFilterMode;
    virtual HRESULT SetFilterMode(int mode) = 0;
};

// Receives a graph's "event queued" note on an engine thread; the receiver
// posts it to its own thread (it must not block) and drains with GetEvent.
struct IGraphNotify : IUnknown {
    static constexpr const GUID& kIID = IID_IGraphNotify;
    virtual void OnGraphNotify(LONG msg, LONG_PTR instance) = 0;
};

struct IGraphBuilder : IUnknown {
    static constexpr const GUID& kIID = IID_IGraphBuilder;
    virtual HRESULT FindFilterByName(const wchar_t* name, IBaseFilter** filter) = 0;
    // Restores the clock (audio when the source has sound); a no-op kept for callers.
    virtual HRESULT SetDefaultSyncSource() = 0;
};

// Run, pause and stop never wait for the streaming thread: a pause of a stopped
// graph returns S_FALSE and shows the frame at the position when it is ready.
struct IMediaControl : IUnknown {
    static constexpr const GUID& kIID = IID_IMediaControl;
    virtual HRESULT Run() = 0;
    virtual HRESULT Pause() = 0;
    virtual HRESULT Stop() = 0;
    virtual HRESULT GetState(LONG msTimeout, LONG* state) = 0;
};

// Times in 100-ns units from the start of the source. Seeking is frame-accurate:
// the first frame shown after SetPositions is the one on screen at that time.
struct IMediaSeeking : IUnknown {
    static constexpr const GUID& kIID = IID_IMediaSeeking;
    virtual HRESULT SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop, DWORD stopFlags) = 0;
    virtual HRESULT GetCurrentPosition(LONGLONG* current) = 0;
    virtual HRESULT GetStopPosition(LONGLONG* stop) = 0;
    virtual HRESULT GetDuration(LONGLONG* duration) = 0;
    virtual HRESULT SetRate(double rate) = 0;
    virtual HRESULT GetRate(double* rate) = 0;
};

struct IMediaEventEx : IUnknown {
    static constexpr const GUID& kIID = IID_IMediaEventEx;
    // Next queued event; E_ABORT when none came within msTimeout (0: don't wait).
    virtual HRESULT GetEvent(LONG* code, LONG_PTR* param1, LONG_PTR* param2, LONG msTimeout) = 0;
    virtual HRESULT FreeEventParams(LONG code, LONG_PTR param1, LONG_PTR param2) = 0;
    // Each queued event calls notify->OnGraphNotify(msg, instance); null stops it.
    virtual HRESULT SetNotifyWindow(IGraphNotify* notify, LONG msg, LONG_PTR instance) = 0;
};

struct IMediaEventSink : IUnknown {
    static constexpr const GUID& kIID = IID_IMediaEventSink;
    // Queues an event as if a filter had raised it.
    virtual HRESULT Notify(LONG code, LONG_PTR param1, LONG_PTR param2) = 0;
};

// Picture facts of a graph with video.
struct IBasicVideo : IUnknown {
    static constexpr const GUID& kIID = IID_IBasicVideo;
    virtual HRESULT GetVideoSize(LONG* width, LONG* height) = 0;
    virtual HRESULT get_AvgTimePerFrame(REFERENCE_TIME* time) = 0;
};

// The graph's own video window. Every frame reaches the screen through
// IFrameDraw, so this window never shows; its settings are accepted and kept.
struct IVideoWindow : IUnknown {
    static constexpr const GUID& kIID = IID_IVideoWindow;
    virtual HRESULT put_Owner(LONG_PTR owner) = 0;
    virtual HRESULT put_MessageDrain(LONG_PTR drain) = 0;
    virtual HRESULT put_WindowStyle(LONG style) = 0;
    virtual HRESULT SetWindowPosition(LONG left, LONG top, LONG width, LONG height) = 0;
    virtual HRESULT put_Visible(LONG visible) = 0;
    virtual HRESULT SetWindowForeground(LONG focus) = 0;
};
