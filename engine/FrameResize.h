#pragma once
// Resizes a frame record through libswscale, with the engine's resize types
// and resampling methods.
#include "engine/FrameRecord.h"
#include <memory>

// Values of "ResizeType" (the engine's resize type list, with the letterbox
// choice folded in by the job transfer).
enum : int {
    RESIZE_STRETCH = 0,       // fill the size, aspect not kept
    RESIZE_CROP_FILL = 1,     // keep the aspect; the overflow is cut away
    RESIZE_KEEP_ASPECT = 2,   // keep the aspect; bars of the colour with a letterbox,
                              // else the picture takes the fitted size
    RESIZE_BLURRED_BARS = 3,  // keep the aspect; the bars show the picture blurred
};

// Values of "Resampling", in the order of the engine's resampling list.
enum : int {
    RESAMPLE_BILINEAR = 0,
    RESAMPLE_BICUBIC = 1,
    RESAMPLE_NEAREST = 2,
    RESAMPLE_LANCZOS = 3,
    RESAMPLE_COUNT = 4,
};

class CResizeMng {
public:
    CResizeMng();
    ~CResizeMng();
    CResizeMng(const CResizeMng&) = delete;
    CResizeMng& operator=(const CResizeMng&) = delete;

    // Kept settings for Resize calls that do not pass their own.
    HRESULT SetValue(int resizeType, int resampling, int letterbox, COLORREF letterboxColor);
    // Resizes to width x height (0 or less keeps that side). With bExplicit 1
    // the four values that follow are used, else those of SetValue. The result
    // keeps the input's depth and row order; RGB only after conversion (other
    // pictures are converted to 24-bit first).
    HRESULT Resize(int width, int height, DWORD* cbFormat, BYTE** pFormat, DWORD* cbData, BYTE** pData,
                   int bExplicit = 1, int resizeType = RESIZE_STRETCH, int resampling = RESAMPLE_BILINEAR,
                   int letterbox = 0, COLORREF letterboxColor = 0);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
