#pragma once
// The eraser editor's variant of the crop editor's mouse logic: the
// rectangle is the eraser record's (source pixels from the frame's left and
// top edges), edges may meet, and a move keeps the size in source pixels.
#include "controls/editors/CropEditModel.h"

class CEraserObj;

class CEraserEditModel : public CCropEditModel {
public:
    void SetEraserObj(CEraserObj* eraser) { m_pEraser = eraser; }
    CEraserObj* GetEraserObj() const { return m_pEraser; }
    void SetEraserEditMode(bool edit) { m_bEraserEdit = edit; }
    bool IsEraserEditMode() const { return m_bEraserEdit; }

    RECT GetCropRect(const RECT& image) const override;
    bool ShowsFrame() const override;
    void DragTop(const RECT& rc) override;
    void DragBottom(const RECT& rc) override;
    void DragLeft(const RECT& rc) override;
    void DragRight(const RECT& rc) override;
    void MoveRect(const RECT& rc, int w, int h) override;
    int HitTest(POINT p) const override;
    void MoveByMouse(POINT p) override;

private:
    CEraserObj* m_pEraser = nullptr;
    bool m_bEraserEdit = true;
};
