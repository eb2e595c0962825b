#pragma once
// The watermark editor: the preview whose edit chain draws every watermark of
// an output into the picture at the chain's last step (after the filters, as
// the conversion draws them), a click selecting the topmost one under the
// mouse, and drags that move it by its anchor offsets or resize it.
//
// Owner's API:
// - Create(parent, id); SetItem(entry) of the preview picks the picture;
//   SetChainSource of the preview hands the output's chain, watermarks and
//   all, in the list's order.
// - SetWatermarks(list): the output's list the drawn watermarks are found in
//   (null: none). Reload() after watermarks were added or removed.
// - SelectedId() / SetSelection(id): the selection is the watermark's id, so
//   it survives the list being rebuilt; SetSelection tells no one.
// - SetCallback: OnWatermarkSelected when a click changes the selection,
//   OnWatermarkChanged after each drag; SetChangeHandler: once per drag.
#include "controls/editors/EditMarks.h"
#include "controls/editors/WatermarkEditModel.h"
#include "controls/editors/WatermarkPropertiesCallback.h"
#include "controls/preview/PreviewPlayerEditCtrl.h"
#include <functional>

class CWatermarksObj;

class CWatermarkCtrl : public CPreviewPlayerEditCtrl, private IWatermarkPropertiesCallback {
public:
    CWatermarkCtrl();
    bool Create(wxWindow* parent, wxWindowID id = 1);

    void SetWatermarks(CWatermarksObj* list);
    CWatermarksObj* GetWatermarks() const { return m_model.Source(); }
    void Reload();

    WatermarkId SelectedId() const { return m_model.SelectedId(); }
    // An id not in the list selects nothing.
    void SetSelection(WatermarkId id);

    void SetCallback(IWatermarkPropertiesCallback* callback) { m_pCallback = callback; }
    void SetChangeHandler(std::function<void()> handler) { m_onChange = std::move(handler); }

    CWatermarkEditModel& Model() { return m_model; }

protected:
    void DrawOverlay(wxDC& dc, const wxRect& client) override;

private:
    void OnWatermarkSelected(CWatermarkObj* watermark) override;
    void OnWatermarkChanged(CWatermarkObj* watermark) override;
    void OnMouseDown(wxMouseEvent& event);
    void OnMouseMove(wxMouseEvent& event);
    void OnMouseUp(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void EndDrag();
    void SyncView();

    CWatermarkEditModel m_model;
    CEditMarks m_marks;
    IWatermarkPropertiesCallback* m_pCallback = nullptr;
    std::function<void()> m_onChange;
};
