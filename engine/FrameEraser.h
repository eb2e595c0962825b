#pragma once
// Removes one rectangle of the picture from sight: crops it away, blurs,
// fills it from its surroundings or pixelates it.
#include "engine/FrameRecord.h"
#include "engine/PlanarView.h"
#include <memory>

// The settings block as the eraser settings hold it: seven 32-bit words. The
// one declaration of it and of its defaults: the model's eraser settings, the
// job tree and the engine share it.
struct tag_ERASEPARAM {
    LONG nType = 0;  // ERASER_*
    LONG nLeft = 0;  // rectangle edges in source pixels from the left and top
    LONG nRight = 100;
    LONG nTop = 0;
    LONG nBottom = 100;
    LONG nStrength = 8;  // blur radius, 1..16
    LONG nCell = 8;      // pixelation cell, 1..16
    bool operator==(const tag_ERASEPARAM&) const = default;
};
static_assert(sizeof(LONG) == 4 && sizeof(tag_ERASEPARAM) == 28, "seven 32-bit words, no padding");

enum : LONG { ERASER_NONE = 0, ERASER_CROP = 1, ERASER_BLUR = 2, ERASER_FILL = 3, ERASER_PIXELATE = 4 };

class CEraserFilter {
public:
    CEraserFilter();
    ~CEraserFilter();
    CEraserFilter(const CEraserFilter&) = delete;
    CEraserFilter& operator=(const CEraserFilter&) = delete;

    // Copies the block; null switches the eraser off.
    HRESULT SetProperty(const tag_ERASEPARAM* param);
    // The rectangle is clipped to the frame; strength and cell are kept within
    // 1..16. The crop kind cuts away the side band that holds the rectangle and
    // keeps the largest picture; header-only when the record has no data.
    HRESULT Erase(DWORD* cbFormat, BYTE** pFormat, DWORD* cbData, BYTE** pData);
    // Whether ErasePlanar can do the work: every kind but crop, which changes
    // the picture's size.
    bool WorksOnPlanar() const;
    // Erases on each plane of a YUV picture in place (the rectangle scaled to
    // the chroma planes); E_NOTIMPL for the crop kind.
    HRESULT ErasePlanar(const PlanarView& picture);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
