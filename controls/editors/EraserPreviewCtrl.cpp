#include "controls/editors/EraserPreviewCtrl.h"

CEraserPreviewCtrl::CEraserPreviewCtrl()
    : CCropEditCtrl(std::make_unique<CEraserEditModel>()), m_pEraserModel(static_cast<CEraserEditModel*>(&Model()))
{
}

void CEraserPreviewCtrl::SetEraser(CEraserObj* eraser, bool edit)
{
    m_pEraserModel->SetEraserObj(eraser);
    m_pEraserModel->SetEraserEditMode(edit);
    Redraw();
}

void CEraserPreviewCtrl::AdjustChain(EditChain& chain) const
{
    if (m_pEraserModel->IsEraserEditMode())
        chain.eraser.nType = ERASER_NONE;
}
