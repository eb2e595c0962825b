#pragma once
// The windows the panes edit in, and the one place where each is chosen.
//
// CONNECT HERE: the eraser editor (CEraserPreviewCtrl), the watermark editor
// (CWatermarkCtrl), the timeline ruler (CTimelineCtrl) and the range list
// (CTimelinesCtrl) take the places of the stand-ins below: change the four
// aliases and, where an editor's calls differ, the few lines of the pane that
// use it. Until then the stand-ins offer what the panes call: the eraser
// picture switches between the unerased and the erased frame, the watermark
// stand-in keeps the selection and follows the list's order, the ruler
// stand-in draws the ranges and keeps a zoom index, the list shows the ranges.
#include "controls/editors/CropEditCtrl.h"
#include "controls/preview/PreviewPlayerCtrl.h"
#include "model/edit/WatermarkObj.h"
#include <wx/listctrl.h>

class CKMFile;
class CWatermarksObj;
class IWatermarkPropertiesCallback;

// The eraser picture: 1 shows the frame as it comes (the eraser is being
// placed), 0 the erased result.
class CEraserPreviewStandIn : public CPreviewPlayerCtrl {
public:
    int m_nEraserEdit = 1;

protected:
    void ApplyCropErase(FRAME_RECORD& record) override;
};

// The watermark editor's selection and list, without drawing of its own.
class CWatermarkStandIn : public CPreviewPlayerCtrl {
public:
    void SetItem(CKMFile* entry, CWatermarksObj* list);
    void SetCallback(IWatermarkPropertiesCallback* callback) { m_pCallback = callback; }
    CWatermarksObj* List() const { return m_pList; }
    // The selected watermark of the list, or null.
    CWatermarkObj* Selected() const;
    // Selects the watermark (null: none) and tells the callback.
    void SelectWatermark(CWatermarkObj* watermark);
    void ClearSelection() { m_selection = kNoWatermarkId; }
    // The list changed: a selection that left it is dropped.
    void Reload();
    // The drawing follows the list's order, which the pane has changed.
    void MoveUp(WatermarkId) { Redraw(); }
    void MoveDown(WatermarkId) { Redraw(); }

private:
    using CPreviewPlayerCtrl::SetItem;
    CWatermarksObj* m_pList = nullptr;
    WatermarkId m_selection = kNoWatermarkId;
    IWatermarkPropertiesCallback* m_pCallback = nullptr;
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

using CEraserEditorWnd = CEraserPreviewStandIn;
using CWatermarkEditorWnd = CWatermarkStandIn;
using CTimelineRulerWnd = CTimelineStandIn;
using CTimelineListWnd = CTimelinesStandIn;
