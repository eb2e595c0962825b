#pragma once
// libswscale behind one call: any picture the engine reads, or a rectangle of
// an RGB picture, scaled and converted into a packed BGR view.
#include "mediaeng/av/AvHandles.h"
#include "mediaeng/frame/FrameBuffer.h"
#include <cstdint>
#include <vector>


namespace mediaeng::frame {

// A run of rows of a packed 24-bit picture, its top row first.
struct RgbSlice {
    const BYTE* top = nullptr;
    std::ptrdiff_t stride = 0;
    int rows = 0;
};

class CSwsScaler {
public:
    CSwsScaler() = default;
    ~CSwsScaler();
    CSwsScaler(const CSwsScaler&) = delete;
    CSwsScaler& operator=(const CSwsScaler&) = delete;

    // srcRect (RGB sources only) limits the source; null takes it whole.
    // swsFlags are libswscale's SWS_* scaler flags.
    HRESULT Scale(const FrameIn& in, const RECT* srcRect, const PixelView& dst, int swsFlags);

    // A 24-bit picture sw wide handed as slices, top to bottom, scaled into
    // the 24-bit dst: the pixels of one Scale of the picture those rows make,
    // so a caller can hand a few edited rows from a buffer of its own.
    // libswscale's planar RGB output gives the same pixels as its packed
    // output in far less time; the planes are packed on the row workers.
    HRESULT ScaleSlices(const RgbSlice* slices, int count, int sw, const PixelView& dst, int swsFlags);

    // ScaleSlices runs libswscale's own slice threads (the same pixels as
    // one thread); for a scaler that runs alone, as the preview's does.
    void UseThreads(int threads) { m_threads = threads; }

private:
    HRESULT ScalePlanes(const RgbSlice* slices, int count, int sw, int sh, uint8_t* const planes[3], int planeStride,
                        const PixelView& dst, int swsFlags);
    HRESULT ScaleThreaded(const RgbSlice* slices, int count, int sw, int sh, uint8_t* const planes[3],
                          int planeStride, const PixelView& dst, int swsFlags);

    // The threaded context and what it was made for.
    struct Threaded {
        av::SwsPtr ctx;
        int sw = 0, sh = 0, dw = 0, dh = 0, flags = 0, threads = 0;
    };

    SwsContext* m_ctx = nullptr;
    Threaded m_threaded;
    int m_threads = 1;
    std::vector<uint8_t> m_planes;
    std::vector<uint8_t> m_joined;  // the slices as one picture, for the threads
};

// Copies the RGB source rectangle into dst of the same size (no scaling).
void CopyRect(const PixelView& src, int x, int y, const PixelView& dst);

}  // namespace mediaeng::frame
