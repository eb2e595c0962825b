#pragma once
// The crop editor: the preview with the crop rectangle drawn over the picture,
// its edges, corners and body dragged with the mouse; every change goes into
// the crop record and is told to the owner.
//
// Owner's API: Create(parent, id); SetCrop(record, edit) attaches the record
// (null: none) and chooses between editing it (the whole picture shown with
// the frame over it) and seeing it applied; SetChangeHandler is called at
// every change of the record: each step of a drag, and Escape (all margins
// back to 0).
#include "controls/editors/CropEditBase.h"
#include "controls/editors/CropEditModel.h"
#include "controls/editors/EditMarks.h"
#include "controls/preview/PreviewPlayerEditCtrl.h"
#include <functional>
#include <memory>

class CCropEditCtrl : public CPreviewPlayerEditCtrl, private CCropEditBase {
public:
    CCropEditCtrl();
    bool Create(wxWindow* parent, wxWindowID id = 1);
    // The record the rectangle edits (null: none) and whether it is edited now.
    void SetCrop(CCropObj* crop, bool edit);
    void SetChangeHandler(std::function<void()> handler) { m_onChange = std::move(handler); }
    CCropEditModel& Model() { return *m_pModel; }

protected:
    // For an editor of another record with the same handles and drags.
    explicit CCropEditCtrl(std::unique_ptr<CCropEditModel> model);

    void DrawOverlay(wxDC& dc, const wxRect& client) override;
    // While the crop is edited the raw picture (neither cropped nor erased) is
    // shown under the frame.
    void AdjustChain(EditChain& chain) const override;

private:
    void OnChange() override;
    void OnMouseDown(wxMouseEvent& event);
    void OnMouseMove(wxMouseEvent& event);
    void OnMouseUp(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void EndDrag();
    void SyncView();

    std::unique_ptr<CCropEditModel> m_pModel;
    CEditMarks m_marks;
    std::function<void()> m_onChange;
    bool m_bDragging = false;
};
