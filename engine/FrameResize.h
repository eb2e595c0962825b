#pragma once
// Resizes a frame record through libswscale, with the engine's resize types
// and resampling methods.
#include "engine/FrameRecord.h"
#include <memory>

// Values of "ResizeType".
enum : int {
    RESIZE_STRETCH = 0,      // fill the size, aspect not kept
    RESIZE_FIT = 1,          // keep the aspect; the picture gets the fitted size
    RESIZE_KEEP_ASPECT = 2,  // keep the aspect; bars fill the size when letterboxing
    RESIZE_CROP_FILL = 3,    // keep the aspect; the overflow is cut away
};

// Values of "Resampling", in the order of the engine's list.
enum : int {
    RESAMPLE_BICUBIC = 0,
    RESAMPLE_BILINEAR = 1,
    RESAMPLE_NEAREST = 2,
    RESAMPLE_AREA = 3,
    RESAMPLE_LANCZOS = 4,
    RESAMPLE_SPLINE = 5,
    RESAMPLE_COUNT = 6,
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
                   int bExplicit = 1, int resizeType = RESIZE_STRETCH, int resampling = RESAMPLE_BICUBIC,
                   int letterbox = 0, COLORREF letterboxColor = 0);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
