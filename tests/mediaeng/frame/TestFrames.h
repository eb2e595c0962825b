#pragma once
// Small frame records for the frame operation tests: pixels given top row
// first as 0xRRGGBB, stored as a 24 or 32-bit DIB in either row order.
#include "engine/FrameRecord.h"
#include <cstdint>
#include <cstring>
#include <vector>

struct TestFrame {
    BITMAPINFOHEADER hdr;
    std::vector<BYTE> data;
    FRAME_RECORD rec;

    TestFrame(int w, int h, const std::vector<uint32_t>& rgbTopDown, int bpp = 3, bool bottomUp = true)
    {
        hdr.biWidth = w;
        hdr.biHeight = bottomUp ? h : -h;
        hdr.biBitCount = static_cast<WORD>(bpp * 8);
        const DWORD stride = DibStride(w, hdr.biBitCount);
        data.assign(static_cast<size_t>(stride) * h, 0);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const uint32_t c = rgbTopDown[static_cast<size_t>(y) * w + x];
                BYTE* p = &data[(bottomUp ? h - 1 - y : y) * stride + x * bpp];
                p[0] = c & 0xFF;
                p[1] = (c >> 8) & 0xFF;
                p[2] = (c >> 16) & 0xFF;
                if (bpp == 4) p[3] = 0xFF;
            }
        Reset();
    }
    // Points the record back at this frame's own blocks.
    void Reset()
    {
        rec.cbFormat = sizeof(hdr);
        rec.pbFormat = reinterpret_cast<BYTE*>(&hdr);
        rec.cbData = static_cast<DWORD>(data.size());
        rec.pbData = data.data();
    }
    DWORD* F() { return &rec.cbFormat; }
    BYTE** PF() { return &rec.pbFormat; }
    DWORD* D() { return &rec.cbData; }
    BYTE** PD() { return &rec.pbData; }
};

inline const BITMAPINFOHEADER& HeaderOf(const FRAME_RECORD& r)
{
    return *reinterpret_cast<const BITMAPINFOHEADER*>(r.pbFormat);
}
inline int WidthOf(const FRAME_RECORD& r) { return HeaderOf(r).biWidth; }
inline int HeightOf(const FRAME_RECORD& r)
{
    const LONG h = HeaderOf(r).biHeight;
    return h < 0 ? -h : h;
}

// 0xRRGGBB of the pixel at (x, y), y counted from the top.
inline uint32_t PixelAt(const FRAME_RECORD& r, int x, int y)
{
    const BITMAPINFOHEADER& h = HeaderOf(r);
    const int height = HeightOf(r);
    const int bpp = h.biBitCount / 8;
    const DWORD stride = DibStride(h.biWidth, h.biBitCount);
    const BYTE* p = r.pbData + (h.biHeight > 0 ? height - 1 - y : y) * stride + x * bpp;
    return (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
}

// Every pixel, top row first.
inline std::vector<uint32_t> Pixels(const FRAME_RECORD& r)
{
    std::vector<uint32_t> v;
    for (int y = 0; y < HeightOf(r); ++y)
        for (int x = 0; x < WidthOf(r); ++x) v.push_back(PixelAt(r, x, y));
    return v;
}

// A w x h frame whose pixel (x, y) is 0x10 * y + x in red, distinct for small frames.
inline std::vector<uint32_t> NumberedPixels(int w, int h)
{
    std::vector<uint32_t> v;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) v.push_back(static_cast<uint32_t>((0x10 * y + x) << 16 | 0x0101 * (y * w + x)));
    return v;
}

inline std::vector<uint32_t> Uniform(int w, int h, uint32_t c) { return std::vector<uint32_t>(size_t(w) * h, c); }
