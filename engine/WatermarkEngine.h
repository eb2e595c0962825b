#pragma once
// Draws the watermarks of an output onto pictures, for the preview (in the
// editor's client coordinates, keeping the rectangle of every drawn item) and
// for the conversion (onto each frame at its time).
#include "engine/FrameRecord.h"
#include "engine/PlanarView.h"
#include "engine/WatermarkItem.h"
#include "platform/Unknown.h"
#include <cstdint>
#include <memory>
#include <vector>

// How a Draw call maps watermarks onto its picture.
struct tag_DRAW_WATERMARK_INFO {
    LONG nOriginX = 0;              // client point of the picture's top-left pixel
    LONG nOriginY = 0;
    LONG nReserved = 0;
    REFERENCE_TIME rtTime = 0;      // time of the frame in the source, 100 ns
    REFERENCE_TIME rtDuration = 0;  // length of the source; 0 when unknown
    LONG bIgnoreTiming = 1;         // 1: fades and time ranges are not applied
    double dZoom = 1.0;             // client pixels per source pixel
    LONG nReserved2 = 0;
};

// One watermark as last drawn: its rectangle in client pixels and its item.
struct WATERMARK_RECORD {
    RECT rc{};
    IUnknown* pItem = nullptr;  // identity of the item; not a reference
    int kind = 0;
    uint64_t key = 0;  // the entry's key
};

// An item to draw: its identity (an engine item, kept referenced, or a key
// of the caller's that outlives rebuilt items) and its values.
struct WatermarkEntry {
    ComPtr<IUnknown> item;
    WatermarkItemDesc desc;
    uint64_t key = 0;
};

class CWatermarkEngine {
public:
    CWatermarkEngine();
    ~CWatermarkEngine();
    CWatermarkEngine(const CWatermarkEngine&) = delete;
    CWatermarkEngine& operator=(const CWatermarkEngine&) = delete;

    // Replaces the items, in drawing order (the last is topmost).
    HRESULT SetItems(std::vector<WatermarkEntry> items);
    // Takes the items of the node's "Watermarks" collection (an engine format
    // node, or any node with such a collection); a null node clears them.
    HRESULT SetProperty(IUnknown* node, IUnknown* reserved1 = nullptr, IUnknown* reserved2 = nullptr,
                        IUnknown* reserved3 = nullptr, int bReload = 1);
    // The image rectangle in client pixels, source pixels per client pixel,
    // and the image size in client pixels.
    HRESULT SetImageSize(const RECT& image, double scale, SIZE size);
    // Draws every item onto a 24 or 32-bit RGB picture, in place; rebuilds the
    // list of drawn records.
    HRESULT Draw(DWORD* cbFormat, BYTE** pFormat, DWORD* cbData, BYTE** pData, const tag_DRAW_WATERMARK_INFO* info);
    // Draw onto a planar 8-bit YUV picture (4:2:0, 4:2:2 or 4:4:4) in place,
    // with the colours an RGB Draw converted by libswscale would give.
    // E_POINTER without its three planes, E_INVALIDARG for another layout.
    HRESULT DrawPlanar(const PlanarView& pic, const tag_DRAW_WATERMARK_INFO* info);
    // Forgets the items, their pictures and the drawn records.
    HRESULT FreeAll();
    // Makes every item render its picture again at the next Draw.
    HRESULT SetDirtyAll();
    bool IsEmpty() const;
    // A copy of the records of the last Draw, in drawing order.
    std::vector<WATERMARK_RECORD> GetRecords() const;
    // Holds a copy of size bytes and points data at it.
    HRESULT CopyBuffer(BYTE** data, DWORD size);
    HRESULT StartExtraProcessing();
    HRESULT EndExtraProcessing();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
