#pragma once
// Checked access to a frame record and the double output buffer each frame
// operation owns (its result must not overwrite its own previous output,
// which may be the input of this call).
#include "engine/FrameRecord.h"
#include <cstddef>
#include <vector>

namespace mediaeng::frame {

enum class PixelFormat { Unknown, Bgr24, Bgr32, I420, YV12, NV12, YUY2, UYVY };

// A picture seen top row first whatever its order in memory.
struct PixelView {
    BYTE* top = nullptr;
    std::ptrdiff_t stride = 0;  // negative for bottom-up pictures
    int width = 0;
    int height = 0;
    int bpp = 0;  // bytes per pixel, 3 or 4
    BYTE* Row(int y) const { return top + y * stride; }
    BYTE* At(int x, int y) const { return Row(y) + x * bpp; }
};

PixelFormat FormatOf(const BITMAPINFOHEADER& h);
bool IsRgb(PixelFormat f);
// Bytes a picture of the header needs; 0 for an unknown format or bad size.
size_t PictureBytes(const BITMAPINFOHEADER& h);
// The view of a packed RGB picture held in data.
PixelView ViewOf(const BITMAPINFOHEADER& h, BYTE* data);
BITMAPINFOHEADER MakeRgbHeader(int width, int height, int bpp, bool bottomUp);

// A frame record after its header was checked (sizes within limits, a data
// block large enough when present).
struct FrameIn {
    BITMAPINFOHEADER hdr;
    PixelFormat format = PixelFormat::Unknown;
    bool hasData = false;
    BYTE* data = nullptr;
    DWORD cbData = 0;
    int Width() const { return hdr.biWidth; }
    int Height() const { return hdr.biHeight < 0 ? -hdr.biHeight : hdr.biHeight; }
    bool BottomUp() const { return hdr.biHeight > 0; }
    PixelView View() const { return ViewOf(hdr, data); }
};

// E_POINTER without a format, E_INVALIDARG for a header or data block that
// cannot be trusted. Header-only when the data pointers are null or empty.
HRESULT ReadRecord(DWORD* cbFormat, BYTE** pFormat, DWORD* cbData, BYTE** pData, FrameIn& out);

// Whether the block is a working copy that an engine operation made (these
// may be edited in place by the next operation; blocks from elsewhere never are).
bool IsEngineBlock(const BYTE* data);

class CFrameOutput {
public:
    CFrameOutput() = default;
    ~CFrameOutput();
    CFrameOutput(const CFrameOutput&) = delete;
    CFrameOutput& operator=(const CFrameOutput&) = delete;

    // Makes room for a picture of hdr (no pixels when withData is false) in the
    // buffer that does not hold `avoid`; returns its view (empty without data).
    PixelView Prepare(const BITMAPINFOHEADER& hdr, bool withData, const BYTE* avoid);
    // Points the record at the prepared header and picture.
    void Publish(DWORD* cbFormat, BYTE** pFormat, DWORD* cbData, BYTE** pData);
    BYTE* Data() { return m_data[m_cur].data(); }

private:
    BITMAPINFOHEADER m_hdr[2];
    std::vector<BYTE> m_data[2];
    bool m_withData = false;
    int m_cur = 0;
};

}  // namespace mediaeng::frame
