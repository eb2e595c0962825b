#pragma once
// Applies the colour and image filters (and the watermarks of a conversion)
// to a frame record; the same code serves the preview and the conversion.
#include "engine/FrameFilterSettings.h"
#include "engine/FrameRecord.h"
#include "engine/PlanarView.h"
#include "engine/WatermarkEngine.h"
#include <memory>

class CGalleryItemBase;
namespace mediaeng::frame {
struct FrameIn;
}

class CMngFrameFilters {
public:
    CMngFrameFilters();
    ~CMngFrameFilters();
    CMngFrameFilters(const CMngFrameFilters&) = delete;
    CMngFrameFilters& operator=(const CMngFrameFilters&) = delete;

    // Takes a copy of the values of a frame-filter object (null: no filters).
    HRESULT SetFilters(IUnknown* settings);
    HRESULT SetFilterValues(const FrameFilterSettings& values);
    // Filters the record (24 or 32-bit RGB; other pictures are converted to 24
    // bits first), then draws the watermarks given to Watermarks() at the time
    // of the frame. width and height are the caller's idea of the size; the
    // header decides. Nothing is copied when there is nothing to do, and a
    // working copy made by another engine operation is changed where it is.
    HRESULT ConvertForItem(int width, int height, DWORD* cbFormat, BYTE** pFormat, DWORD* cbData, BYTE** pData,
                           CGalleryItemBase* item = nullptr, REFERENCE_TIME rtTime = 0,
                           REFERENCE_TIME rtDuration = 0);

    // Whether FilterPlanar can do the work: no filters, or only filters that
    // change each pixel on its own (one straight curve shared by every
    // channel as plane tables; other curves, the colour matrices and the
    // balance through RGB a strip of rows at a time). Deinterlacing,
    // softening, sharpening and auto levels look at neighbours or the whole
    // picture and are not done on planes.
    bool WorksOnPlanar() const;
    // The filters on a YUV picture: src filtered into dst (same size and
    // layout, or the same picture). E_NOTIMPL when WorksOnPlanar is false.
    HRESULT FilterPlanar(const PlanarView& src, const PlanarView& dst);
    // The watermarks drawn onto a YUV picture at the frame's time.
    HRESULT DrawMarksPlanar(const PlanarView& picture, REFERENCE_TIME rtTime = 0, REFERENCE_TIME rtDuration = 0);

    HRESULT StartExtraProcessing();
    HRESULT EndExtraProcessing();
    CWatermarkEngine& Watermarks() { return m_watermarks; }

private:
    HRESULT DrawMarks(DWORD* cbFormat, BYTE** pFormat, DWORD* cbData, BYTE** pData, const mediaeng::frame::FrameIn& in,
                      REFERENCE_TIME rtTime, REFERENCE_TIME rtDuration);

    struct Impl;
    std::unique_ptr<Impl> m_impl;
    int m_bExtraProcessing = 0;
    CWatermarkEngine m_watermarks;
};
