#pragma once
// The watermark editor's own view of the watermarks: a private conversion job
// used only as a container, whose format node holds one engine item per
// watermark of the attached list, and the renderer that draws those items
// onto the preview picture (the same drawing as the conversion's).
#include "engine/ConversionJob.h"
#include "engine/WatermarkEngine.h"
#include "platform/Unknown.h"
#include <vector>

class CWatermarksObj;

class CWatermarkEngineImpl {
public:
    CWatermarkEngineImpl() = default;
    virtual ~CWatermarkEngineImpl();
    CWatermarkEngineImpl(const CWatermarkEngineImpl&) = delete;
    CWatermarkEngineImpl& operator=(const CWatermarkEngineImpl&) = delete;

    void SetSource(CWatermarksObj* source) { m_pSource = source; }
    CWatermarksObj* GetSource() const { return m_pSource; }
    // Makes a new container job and loads the watermarks into it; without a
    // job nothing is drawn.
    HRESULT ResetList();
    // The job's format node that carries the "Watermarks" collection, or null.
    ComPtr<IUnknown> GetFormatNode() const;
    // Empties the container, makes an engine item for every watermark of the
    // list and hands the items to the renderer.
    void LoadWatermarks();
    // The renderer takes the items' current values again.
    void ResyncEngine();
    // One place toward the start (end) of the drawing order; false, and
    // nothing changed, for an item already first (last) or not held.
    bool MoveUp(IUnknown* item);
    bool MoveDown(IUnknown* item);

    // Draws every watermark onto a 24 or 32-bit RGB picture that is shown at
    // image (client pixels), scale source pixels per client pixel; the drawn
    // rectangles come back in client pixels from GetRecords.
    HRESULT DrawInto(DWORD* cbFormat, BYTE** pFormat, DWORD* cbData, BYTE** pData, const RECT& image, double scale);
    std::vector<WATERMARK_RECORD> GetRecords() const { return m_engine.GetRecords(); }
    CWatermarkEngine& Engine() { return m_engine; }

private:
    bool MoveBy(IUnknown* item, LONG step);

    CWatermarkEngine m_engine;
    CWatermarksObj* m_pSource = nullptr;
    ComPtr<IConversionJob> m_job;
};

// The node's "Watermarks" child as a collection, or null.
ComPtr<IEngineCollection> GetWatermarksCollection(IUnknown* node);
