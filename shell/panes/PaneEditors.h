#pragma once
// The windows the panes edit in, and the one place where each is chosen.
//
// The eraser editor (CEraserPreviewCtrl) and the watermark editor
// (CWatermarkCtrl) are used through small adapters that give them the calls
// the panes make; the timeline ruler and the range list are used as they are.
#include "controls/editors/CropEditCtrl.h"
#include "controls/editors/EraserPreviewCtrl.h"
#include "controls/editors/WatermarkCtrl.h"
#include "controls/preview/PreviewPlayerCtrl.h"
#include "controls/timeline/TimelineCtrl.h"
#include "controls/timeline/TimelinesCtrl.h"
#include "model/edit/WatermarkObj.h"

class CKMFile;
class CWatermarksObj;
class IWatermarkPropertiesCallback;

// The eraser editor as the pane drives it: the edit flag 1 shows the frame
// unerased with the rectangle to drag, 0 the erased result.
class CEraserEditorAdapter : public CEraserPreviewCtrl {
public:
    int EraserEdit() const { return m_nEraserEdit; }
    void SetEraserEdit(int edit);
    // The record the rectangle edits and the picture is erased with (null: none).
    void SetEraserRecord(CEraserObj* eraser);

private:
    int m_nEraserEdit = 1;
    CEraserObj* m_pRecord = nullptr;
};

// The watermark editor as the pane drives it: a file and a list together,
// the selection as a watermark of the list, and a selection made by the pane
// told to the callback as a click's would be.
class CWatermarkEditorAdapter : public CWatermarkCtrl {
public:
    void SetItem(CKMFile* entry, CWatermarksObj* list);
    void SetCallback(::IWatermarkPropertiesCallback* callback);
    CWatermarksObj* List() const { return GetWatermarks(); }
    // The selected watermark of the list, or null.
    CWatermarkObj* Selected() const;
    // Selects the watermark (null: none) and tells the callback.
    void SelectWatermark(CWatermarkObj* watermark);
    void ClearSelection() { SetSelection(kNoWatermarkId); }

private:
    using CWatermarkCtrl::SetItem;
    ::IWatermarkPropertiesCallback* m_pPaneCallback = nullptr;
};

using CEraserEditorWnd = CEraserEditorAdapter;
using CWatermarkEditorWnd = CWatermarkEditorAdapter;
using CTimelineRulerWnd = CTimelineCtrl;
using CTimelineListWnd = CTimelinesCtrl;
