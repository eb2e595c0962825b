#pragma once
// Per-frame hook between the engine's playback filters and the preview player:
// a filter registers the player's sink and hands it every shown frame.
#include "platform/Unknown.h"

// {E1C5F359-579F-4D94-B238-789128269FE6}
constexpr GUID IID_IFrameDraw{0xE1C5F359, 0x579F, 0x4D94, {0xB2, 0x38, 0x78, 0x91, 0x28, 0x26, 0x9F, 0xE6}};

struct IFrameDraw : IUnknown {
    static constexpr const GUID& kIID = IID_IFrameDraw;
    // Filters: registers the sink that receives their frames (null removes it).
    // A sink itself answers E_NOTIMPL.
    virtual HRESULT SetFrameDraw(IFrameDraw* sink) = 0;
    // One frame at its presentation time, on the engine's streaming thread. The
    // format block opens with a BITMAPINFOHEADER (24-bit, bottom-up); *time is
    // the sample time in 100-ns units counted from the last seek. Both blocks
    // are valid only during the call.
    virtual HRESULT DrawFrame(DWORD formatSize, BYTE* format, DWORD dataSize, BYTE* data, REFERENCE_TIME* time,
                              DWORD reserved) = 0;
    // The playing position of a source without pictures, same time base.
    virtual HRESULT UpdatePosition(REFERENCE_TIME* time, DWORD reserved) = 0;
};
