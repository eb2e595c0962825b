#include "controls/editors/EraserEditModel.h"

#include "model/edit/EraserObj.h"

#include <algorithm>

namespace {

LONG Trunc(double v) { return static_cast<LONG>(v); }

}  // namespace

RECT CEraserEditModel::GetCropRect(const RECT& image) const
{
    if (!m_pEraser)
        return image;
    const double s = m_dScale;
    const CEraserObj& e = *m_pEraser;
    RECT rc;
    rc.left = Trunc(e.eraser_left / s + image.left);
    rc.right = Trunc(e.eraser_right / s + image.left);
    rc.top = Trunc(e.eraser_top / s + image.top);
    rc.bottom = Trunc(e.eraser_bottom / s + image.top);
    // A rectangle beyond the right or bottom edge is shown moved back with
    // its size; then whatever still lies outside the picture is cut off (the
    // record keeps its values).
    if (rc.left > image.right)
        rc.left = image.right - (rc.right - rc.left);
    if (rc.right > image.right)
        rc.right = image.right;
    if (rc.top > image.bottom)
        rc.top = image.bottom - (rc.bottom - rc.top);
    if (rc.bottom > image.bottom)
        rc.bottom = image.bottom;
    rc.left = std::clamp(rc.left, image.left, std::max(image.left, image.right));
    rc.top = std::clamp(rc.top, image.top, std::max(image.top, image.bottom));
    rc.right = std::max(rc.right, rc.left);
    rc.bottom = std::max(rc.bottom, rc.top);
    return rc;
}

bool CEraserEditModel::ShowsFrame() const
{
    return m_pEraser && m_pEraser->eraser_type != 0 && m_bEraserEdit;
}

void CEraserEditModel::DragTop(const RECT& rc)
{
    if (!m_pEraser)
        return;
    CEraserObj& e = *m_pEraser;
    e.eraser_top = std::min(std::max(0, Trunc((rc.top - m_rcImage.top) * m_dScale)), e.eraser_bottom);
    NotifyChange();
}

void CEraserEditModel::DragBottom(const RECT& rc)
{
    if (!m_pEraser)
        return;
    CEraserObj& e = *m_pEraser;
    e.eraser_bottom = std::max(std::max(0, Trunc((rc.bottom - m_rcImage.top) * m_dScale)), e.eraser_top);
    NotifyChange();
}

void CEraserEditModel::DragLeft(const RECT& rc)
{
    if (!m_pEraser)
        return;
    CEraserObj& e = *m_pEraser;
    e.eraser_left = std::min(std::max(0, Trunc((rc.left - m_rcImage.left) * m_dScale)), e.eraser_right);
    NotifyChange();
}

void CEraserEditModel::DragRight(const RECT& rc)
{
    if (!m_pEraser)
        return;
    CEraserObj& e = *m_pEraser;
    e.eraser_right = std::max(std::max(0, Trunc((rc.right - m_rcImage.left) * m_dScale)), e.eraser_left);
    NotifyChange();
}

void CEraserEditModel::MoveRect(const RECT& rc, int, int)
{
    if (!m_pEraser)
        return;
    CEraserObj& e = *m_pEraser;
    const int32_t w = e.eraser_right - e.eraser_left;
    const int32_t h = e.eraser_bottom - e.eraser_top;
    e.eraser_left = Trunc((rc.left - m_rcImage.left) * m_dScale);
    e.eraser_right = e.eraser_left + w;
    e.eraser_top = Trunc((rc.top - m_rcImage.top) * m_dScale);
    e.eraser_bottom = e.eraser_top + h;
    if (e.eraser_left < 0) {
        e.eraser_left = 0;
        e.eraser_right = w;
    }
    if (e.eraser_top < 0) {
        e.eraser_top = 0;
        e.eraser_bottom = h;
    }
    NotifyChange();
}

int CEraserEditModel::HitTest(POINT p) const
{
    if (!m_bEnabled || !ShowsFrame())
        return kNone;
    return HitRect(GetCropRect(m_rcImage), p);
}

void CEraserEditModel::MoveByMouse(POINT p)
{
    if (!m_pEraser)
        return;
    const int w = Trunc((m_pEraser->eraser_right - m_pEraser->eraser_left) / m_dScale);
    const int h = Trunc((m_pEraser->eraser_bottom - m_pEraser->eraser_top) / m_dScale);
    RECT rc;
    rc.left = p.x - m_ptGrab.x;
    rc.top = p.y - m_ptGrab.y;
    rc.right = rc.left + w;
    rc.bottom = rc.top + h;
    MoveRect(rc, w, h);
}
