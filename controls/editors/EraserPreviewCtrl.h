#pragma once
// The eraser editor: the preview with the eraser rectangle drawn over the
// picture and dragged like the crop frame (edges may meet, a move keeps the
// size in source pixels). While it is edited the picture is shown unerased;
// otherwise the chain's eraser is applied to every frame. The chain's turn and
// crop are applied either way.
//
// Owner's API: Create(parent, id); SetEraser(record, edit); SetChangeHandler
// (at every change of the record, each drag step). Escape does nothing here.
#include "controls/editors/CropEditCtrl.h"
#include "controls/editors/EraserEditModel.h"

class CEraserObj;

class CEraserPreviewCtrl : public CCropEditCtrl {
public:
    CEraserPreviewCtrl();
    // The record the rectangle edits (null: none), and whether it is edited
    // now. A record of kind 0 shows no rectangle.
    void SetEraser(CEraserObj* eraser, bool edit);
    CEraserEditModel& EraserModel() { return *m_pEraserModel; }

protected:
    void AdjustChain(EditChain& chain) const override;

private:
    CEraserEditModel* m_pEraserModel;  // owned by the crop editor's base
};
