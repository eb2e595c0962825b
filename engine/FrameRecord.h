#pragma once
// The frame record that every frame operation takes and hands back: a format
// block opening with a BITMAPINFOHEADER and a data block. The operations take
// the four fields by address and point them at their own output buffers, which
// stay valid until the same object's next call. Such a block is the engine's
// working copy: a later operation may change it where it is. A block the
// caller brings is never written.
#include "platform/Bitmap.h"

struct FRAME_RECORD {
    DWORD cbFormat = 0;
    BYTE* pbFormat = nullptr;
    DWORD cbData = 0;
    BYTE* pbData = nullptr;
};

constexpr DWORD MakeFourCC(char a, char b, char c, char d)
{
    return static_cast<DWORD>(static_cast<BYTE>(a)) | (static_cast<DWORD>(static_cast<BYTE>(b)) << 8) |
           (static_cast<DWORD>(static_cast<BYTE>(c)) << 16) | (static_cast<DWORD>(static_cast<BYTE>(d)) << 24);
}

// Pictures the converter reads besides BI_RGB 24 and 32 bit (B, G, R[, X]).
constexpr DWORD FOURCC_I420 = MakeFourCC('I', '4', '2', '0');
constexpr DWORD FOURCC_YV12 = MakeFourCC('Y', 'V', '1', '2');
constexpr DWORD FOURCC_NV12 = MakeFourCC('N', 'V', '1', '2');
constexpr DWORD FOURCC_YUY2 = MakeFourCC('Y', 'U', 'Y', '2');
constexpr DWORD FOURCC_UYVY = MakeFourCC('U', 'Y', 'V', 'Y');

// Largest side any operation accepts; a header beyond it is refused.
constexpr LONG kMaxFrameSide = 16384;
