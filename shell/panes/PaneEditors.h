#pragma once
// The windows the panes edit in, and the one place where each is chosen.
//
// The eraser editor (CEraserPreviewCtrl) and the watermark editor
// (CWatermarkCtrl) are used through small adapters that give them the calls
// the panes make. CONNECT HERE: the timeline ruler (CTimelineCtrl) and the
// range list (CTimelinesCtrl) take the places of the two stand-ins below:
// change the two aliases and, where their calls differ, the few lines of the
// timeline pane that use them. Until then the ruler stand-in draws the ranges
// and keeps a zoom index, the list stand-in shows the ranges.
#include "controls/editors/CropEditCtrl.h"
#include "controls/editors/EraserPreviewCtrl.h"
#include "controls/editors/WatermarkCtrl.h"
#include "controls/preview/PreviewPlayerCtrl.h"
#include "model/edit/WatermarkObj.h"
#include <wx/listctrl.h>

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

// The ruler: the file's ranges over its duration, with a zoom index 0..9.
class CTimelineStandIn : public wxWindow {
public:
    bool Create(wxWindow* parent, wxWindowID id);
    void SetItem(CKMFile* entry);
    CKMFile* GetItem() const { return m_pItem; }
    void RedrawNow();
    void EnsurePositionVisible() { RedrawNow(); }
    void UpdateScrollBars() {}
    void ZoomIn();
    void ZoomOut();
    int GetZoomIndex() const { return m_nZoom; }

private:
    void OnPaint(wxPaintEvent& event);
    CKMFile* m_pItem = nullptr;
    int m_nZoom = 0;
};

// The range list: one row per range, "start - end".
class CTimelinesStandIn : public wxListCtrl {
public:
    bool Create(wxWindow* parent, wxWindowID id);
    void SetItem(CKMFile* entry);
    void UpdateCurrentRow();

private:
    static wxString RowText(CKMFile& entry, int index);
    CKMFile* m_pItem = nullptr;
};

using CEraserEditorWnd = CEraserEditorAdapter;
using CWatermarkEditorWnd = CWatermarkEditorAdapter;
using CTimelineRulerWnd = CTimelineStandIn;
using CTimelineListWnd = CTimelinesStandIn;
