#pragma once
// The crop editor: the preview with the crop rectangle drawn over the picture,
// its edges, corners and body dragged with the mouse; every change goes into
// the crop record and is told to the owner.
#include "controls/editors/CropEditBase.h"
#include "controls/editors/CropEditModel.h"
#include "controls/preview/PreviewPlayerEditCtrl.h"
#include <functional>

class CCropEditCtrl : public CPreviewPlayerEditCtrl, private CCropEditBase {
public:
    CCropEditCtrl();
    bool Create(wxWindow* parent, wxWindowID id = 1);
    // The record the rectangle edits (null: none) and whether it is edited now.
    void SetCrop(CCropObj* crop, bool edit);
    void SetChangeHandler(std::function<void()> handler) { m_onChange = std::move(handler); }
    CCropEditModel& Model() { return m_model; }

protected:
    void DrawOverlay(wxDC& dc, const wxRect& client) override;
    // While the crop is edited the whole picture is shown under the frame.
    void ApplyCropErase(FRAME_RECORD& record) override;

private:
    void OnChange() override;
    void OnMouseDown(wxMouseEvent& event);
    void OnMouseMove(wxMouseEvent& event);
    void OnMouseUp(wxMouseEvent& event);
    void SyncView();

    CCropEditModel m_model;
    std::function<void()> m_onChange;
};
