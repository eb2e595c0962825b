#pragma once
// The 40-byte bitmap header that opens every frame record the engine hands out
// (24-bit frames are bottom-up, rows padded to 4 bytes).
#include "platform/Types.h"

#pragma pack(push, 1)
struct BITMAPINFOHEADER {
    DWORD biSize = 40;
    LONG biWidth = 0;
    LONG biHeight = 0;  // positive: bottom-up rows
    WORD biPlanes = 1;
    WORD biBitCount = 24;
    DWORD biCompression = 0;  // BI_RGB
    DWORD biSizeImage = 0;
    LONG biXPelsPerMeter = 0;
    LONG biYPelsPerMeter = 0;
    DWORD biClrUsed = 0;
    DWORD biClrImportant = 0;
};
#pragma pack(pop)
static_assert(sizeof(BITMAPINFOHEADER) == 40);

constexpr DWORD BI_RGB = 0;

// One colour of a palette or a 32-bit pixel, in memory order.
struct RGBQUAD {
    BYTE rgbBlue = 0;
    BYTE rgbGreen = 0;
    BYTE rgbRed = 0;
    BYTE rgbReserved = 0;
};
static_assert(sizeof(RGBQUAD) == 4);

// Bytes in one row of a DIB of the given width and depth.
constexpr DWORD DibStride(LONG width, WORD bitCount)
{
    return ((static_cast<DWORD>(width) * bitCount + 31) / 32) * 4;
}
