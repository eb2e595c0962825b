#pragma once
// Runs an edit chain on frame records with the engine's frame classes, for
// the conversion (each picture at its source size, watermarks at the frame's
// time) and for the preview (turn, crop and eraser at the source size, the
// filters and watermarks on the picture as shown, at the shown scale).
#include "engine/EditChain.h"
#include "engine/FrameConvert.h"
#include "engine/FrameCrop.h"
#include "engine/FrameEraser.h"
#include "engine/FrameFilters.h"
#include "engine/FrameResize.h"
#include "engine/FrameRotate.h"
#include "engine/WatermarkEngine.h"
#include <memory>
#include <vector>

class CEditChainRunner {
public:
    enum class Use { Conversion, Preview };
    explicit CEditChainRunner(Use use);
    ~CEditChainRunner();
    CEditChainRunner(const CEditChainRunner&) = delete;
    CEditChainRunner& operator=(const CEditChainRunner&) = delete;

    // Takes the chain. Watermarks keep what was rendered for them while the
    // chain's watermarks stay the same, so a caller may hand the same chain
    // with every picture.
    void SetChain(const EditChain& chain);
    const EditChain& Chain() const { return m_chain; }

    // The turn, the crop (left out when the picture came cut already) and
    // the eraser; on a header alone when the record has no data.
    HRESULT Reshape(FRAME_RECORD& record, bool cropped = false);
    // The conversion's last steps: the filters, then the watermarks at the
    // frame's time (100 ns).
    HRESULT Finish(FRAME_RECORD& record, REFERENCE_TIME time);
    // The preview's picture at its shown size: 24-bit RGB, stretched.
    HRESULT ToShownSize(FRAME_RECORD& record, int width, int height);
    // Reshape then ToShownSize on a source that is never written, made in
    // the order that costs least: the crop read in place and one scale from
    // the source's size, the eraser on the rows it touches, the turn at the
    // shown size (the same pixels within the scaler's rounding). out points
    // at the picture until the next call.
    HRESULT ShowSized(const FRAME_RECORD& source, int width, int height, FRAME_RECORD& out);
    // The preview's last steps on the picture as shown: the filters, then the
    // watermarks placed as the conversion places them, without their timing.
    // image is where the picture lies in client pixels, scale the source
    // pixels per client pixel; the drawn rectangles come back from MarkRecords.
    HRESULT FinishShown(FRAME_RECORD& record, const RECT& image, double scale);
    std::vector<WATERMARK_RECORD> MarkRecords() const;

    // The steps one by one, for a caller that works on YUV pictures.
    CEraserFilter& Eraser() { return m_eraser; }
    const CEraserFilter& Eraser() const { return m_eraser; }
    CMngFrameFilters& Filters() { return m_filters; }
    const CMngFrameFilters& Filters() const { return m_filters; }

private:
    CWatermarkEngine& Marks();

    Use m_use;
    bool m_set = false;
    EditChain m_chain;
    CRotateImpl m_rotate;
    CCropMng m_crop;
    CEraserFilter m_eraser;
    CMngFrameFilters m_filters;
    CConvertTo24RGB m_convert24;
    CResizeMng m_resize;
    CWatermarkEngine m_shownMarks;  // the preview's: drawn after the filters, at the shown scale
    struct Shown;                    // the engine's route for ShowSized
    std::unique_ptr<Shown> m_shown;  // made at the first ShowSized
};
