#include "controls/editors/CropEditModel.h"

#include "controls/editors/CropEditBase.h"
#include "model/edit/CropObj.h"

#include <algorithm>

namespace {

// Every double-to-pixel conversion of the editors truncates toward zero.
LONG Trunc(double v) { return static_cast<LONG>(v); }

bool InRange(LONG v, LONG lo, LONG hi) { return v >= lo && v < hi; }

bool InClient(const RECT& c, POINT p) { return InRange(p.x, c.left, c.right) && InRange(p.y, c.top, c.bottom); }

}  // namespace

void CCropEditModel::SetView(const RECT& image, double scale, const RECT& client)
{
    m_rcImage = image;
    m_dScale = scale > 0 ? scale : 1.0;
    m_rcClient = client;
}

RECT CCropEditModel::GetCropRect(const RECT& image) const
{
    if (!m_pCrop)
        return image;
    const double s = m_dScale;
    // A project file may hold margins that do not fit this frame: the frame
    // shown stays inside the picture and never turns inside out.
    const double cl = std::max(0, m_pCrop->crop_left), ct = std::max(0, m_pCrop->crop_top);
    const double cr = std::max(0, m_pCrop->crop_right), cb = std::max(0, m_pCrop->crop_bottom);
    RECT rc;
    rc.left = std::clamp(Trunc(cl / s + image.left), image.left, std::max(image.left, image.right));
    rc.top = std::clamp(Trunc(ct / s + image.top), image.top, std::max(image.top, image.bottom));
    rc.right = std::clamp(Trunc(image.right - cr / s), rc.left, std::max(rc.left, image.right));
    rc.bottom = std::clamp(Trunc(image.bottom - cb / s), rc.top, std::max(rc.top, image.bottom));
    return rc;
}

bool CCropEditModel::ShowsFrame() const { return m_bEdit && m_pCrop; }

void CCropEditModel::NotifyChange()
{
    if (m_pCallback)
        m_pCallback->OnChange();
}

void CCropEditModel::DragTop(const RECT& rc)
{
    if (!m_pCrop)
        return;
    const double s = m_dScale;
    const RECT& im = m_rcImage;
    m_pCrop->crop_top = std::max(0, Trunc((rc.top - im.top) * s));
    const double bottomEdge = im.bottom - m_pCrop->crop_bottom / s;
    if (m_pCrop->crop_top / s + im.top > bottomEdge - 2.0)
        m_pCrop->crop_top = std::max(0, Trunc((bottomEdge - 2.0 - im.top) * s));
    NotifyChange();
}

void CCropEditModel::DragBottom(const RECT& rc)
{
    if (!m_pCrop)
        return;
    const double s = m_dScale;
    const RECT& im = m_rcImage;
    m_pCrop->crop_bottom = std::max(0, Trunc((im.bottom - rc.bottom) * s));
    const double topEdge = im.top + m_pCrop->crop_top / s;
    if (im.bottom - m_pCrop->crop_bottom / s < topEdge + 2.0)
        m_pCrop->crop_bottom = std::max(0, Trunc((im.bottom - (topEdge + 2.0)) * s));
    NotifyChange();
}

void CCropEditModel::DragLeft(const RECT& rc)
{
    if (!m_pCrop)
        return;
    const double s = m_dScale;
    const RECT& im = m_rcImage;
    m_pCrop->crop_left = std::max(0, Trunc((rc.left - im.left) * s));
    const double rightEdge = im.right - m_pCrop->crop_right / s;
    if (m_pCrop->crop_left / s + im.left > rightEdge - 2.0)
        m_pCrop->crop_left = std::max(0, Trunc((rightEdge - 2.0 - im.left) * s));
    NotifyChange();
}

void CCropEditModel::DragRight(const RECT& rc)
{
    if (!m_pCrop)
        return;
    const double s = m_dScale;
    const RECT& im = m_rcImage;
    m_pCrop->crop_right = std::max(0, Trunc((im.right - rc.right) * s));
    const double leftEdge = im.left + m_pCrop->crop_left / s;
    if (im.right - m_pCrop->crop_right / s < leftEdge + 2.0)
        m_pCrop->crop_right = std::max(0, Trunc((im.right - (leftEdge + 2.0)) * s));
    NotifyChange();
}

void CCropEditModel::MoveRect(const RECT& rc, int w, int h)
{
    if (!m_pCrop)
        return;
    const double s = m_dScale;
    const RECT& im = m_rcImage;
    CCropObj& c = *m_pCrop;
    c.crop_left = Trunc((rc.left - im.left) * s);
    c.crop_right = Trunc((im.right - rc.right) * s);
    c.crop_top = Trunc((rc.top - im.top) * s);
    c.crop_bottom = Trunc((im.bottom - rc.bottom) * s);
    if (c.crop_left < 0) {
        c.crop_left = 0;
        c.crop_right = Trunc((im.right - (c.crop_left / s + im.left + w)) * s);
    } else if (c.crop_right < 0) {
        c.crop_right = 0;
        c.crop_left = Trunc((im.right - c.crop_right / s - w - im.left) * s);
    }
    if (c.crop_top < 0) {
        c.crop_top = 0;
        c.crop_bottom = Trunc((im.bottom - (c.crop_top / s + im.top + h)) * s);
    } else if (c.crop_bottom < 0) {
        c.crop_bottom = 0;
        c.crop_top = Trunc((im.bottom - c.crop_bottom / s - h - im.top) * s);
    }
    NotifyChange();
}

void CCropEditModel::MoveByMouse(POINT p)
{
    if (!m_pCrop)
        return;
    const double s = m_dScale;
    const RECT& im = m_rcImage;
    const int w = Trunc((im.right - m_pCrop->crop_right / s) - (m_pCrop->crop_left / s + im.left));
    const int h = Trunc((im.bottom - m_pCrop->crop_bottom / s) - (m_pCrop->crop_top / s + im.top));
    RECT rc;
    rc.left = p.x - m_ptGrab.x;
    rc.top = p.y - m_ptGrab.y;
    rc.right = rc.left + w;
    rc.bottom = rc.top + h;
    MoveRect(rc, w, h);
}

int CCropEditModel::HitRect(const RECT& rc, POINT p) const
{
    const LONG l = rc.left, t = rc.top, r = rc.right, b = rc.bottom;
    const bool inX = InRange(p.x, l - 4, r + 4), inY = InRange(p.y, t - 4, b + 4);
    const bool top = inX && InRange(p.y, t - 4, t + 6);
    const bool bottom = inX && InRange(p.y, b - 6, b + 4);
    const bool left = inY && InRange(p.x, l - 4, l + 6);
    const bool right = inY && InRange(p.x, r - 6, r + 4);
    if (!InClient(m_rcClient, p))
        return kNone;
    if (left && top)
        return kTopLeft;
    if (right && top)
        return kTopRight;
    if (left && bottom)
        return kBottomLeft;
    if (right && bottom)
        return kBottomRight;
    if (bottom)
        return kBottom;
    if (right)
        return kRight;
    if (left)
        return kLeft;
    if (top)
        return kTop;
    if (inX && inY)
        return kMove;
    return kNone;
}

int CCropEditModel::HitTest(POINT p) const
{
    // Without a record there is nothing the drag could write.
    if (!m_bEnabled || !m_pCrop)
        return kNone;
    return HitRect(GetCropRect(m_rcImage), p);
}

bool CCropEditModel::ResetCrop()
{
    if (!m_pCrop)
        return false;
    m_pCrop->ClearMargins();
    NotifyChange();
    return true;
}

bool CCropEditModel::OnButtonDown(POINT p)
{
    if (!m_bEdit)
        return false;
    m_nDragCode = HitTest(p);
    if (m_nDragCode == kNone)
        return false;
    const RECT rc = GetCropRect(m_rcImage);
    m_ptGrab = {p.x - rc.left, p.y - rc.top};
    return true;
}

bool CCropEditModel::OnMouseMove(POINT p)
{
    if (m_nDragCode == kNone || !m_bEnabled)
        return false;
    if (m_nDragCode == kMove) {
        MoveByMouse(p);
        return true;
    }
    RECT rc = GetCropRect(m_rcImage);
    rc.left = rc.right = p.x;
    rc.top = rc.bottom = p.y;
    switch (m_nDragCode) {
    case kTop: DragTop(rc); break;
    case kBottom: DragBottom(rc); break;
    case kLeft: DragLeft(rc); break;
    case kRight: DragRight(rc); break;
    case kTopLeft: DragLeft(rc); DragTop(rc); break;
    case kTopRight: DragRight(rc); DragTop(rc); break;
    case kBottomLeft: DragLeft(rc); DragBottom(rc); break;
    case kBottomRight: DragRight(rc); DragBottom(rc); break;
    default: return false;
    }
    return true;
}

bool CCropEditModel::OnButtonUp()
{
    if (m_nDragCode == kNone)
        return false;
    m_nDragCode = kNone;
    return true;
}

EEditCursor CCropEditModel::CursorForHit(int code)
{
    switch (code) {
    case kTopLeft:
    case kBottomRight: return EEditCursor::SizeNWSE;
    case kTopRight:
    case kBottomLeft: return EEditCursor::SizeNESW;
    case kTop:
    case kBottom: return EEditCursor::SizeNS;
    case kLeft:
    case kRight: return EEditCursor::SizeWE;
    case kMove: return EEditCursor::SizeAll;
    default: return EEditCursor::Arrow;
    }
}

EEditCursor CCropEditModel::CursorAt(POINT p) const
{
    if (!m_bEnabled || !m_bEdit)
        return EEditCursor::Arrow;
    return CursorForHit(HitTest(p));
}

std::vector<RECT> CCropEditModel::FrameStrips(const RECT& rc)
{
    const LONG l = rc.left, t = rc.top, r = rc.right, b = rc.bottom;
    return {{l, t, r, t + 2}, {l, b - 2, r, b}, {l, t, l + 2, b}, {r - 2, t, r, b}};
}

std::vector<POINT> CCropEditModel::HandlePoints(const RECT& rc)
{
    const LONG l = rc.left, t = rc.top, r = rc.right, b = rc.bottom;
    std::vector<POINT> pts{{l - 4, t - 4}};
    if (r - l > 40) {
        pts.push_back({l + (r - l) / 2 - 4, t - 4});
        pts.push_back({l + (r - l) / 2 - 4, b - 6});
    }
    if (b - t > 40) {
        pts.push_back({l - 4, t + (b - t) / 2 - 4});
        pts.push_back({r - 6, t + (b - t) / 2 - 4});
    }
    pts.push_back({r - 6, t - 4});
    pts.push_back({l - 4, b - 6});
    pts.push_back({r - 6, b - 6});
    return pts;
}
