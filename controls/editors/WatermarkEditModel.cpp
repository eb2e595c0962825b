#include "controls/editors/WatermarkEditModel.h"

#include "controls/editors/WatermarkPropertiesCallback.h"
#include "model/edit/WatermarksObj.h"
#include "model/util/RoundNearest.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

LONG Trunc(double v) { return static_cast<LONG>(v); }
LONG RN(double v) { return static_cast<LONG>(RoundNearest(v)); }

bool InRange(LONG v, LONG lo, LONG hi) { return v >= lo && v < hi; }
bool Contains(const RECT& r, POINT p) { return InRange(p.x, r.left, r.right) && InRange(p.y, r.top, r.bottom); }

// Lower bound first, then the upper one (which wins when they cross).
LONG Bound(LONG v, LONG lo, LONG hi) { return std::min(std::max(v, lo), hi); }

bool HasCorners(const CWatermarkObj& obj) { return obj.watermark_id == 2 || obj.watermark_id == 3; }

}  // namespace

void CWatermarkEditModel::SetView(const RECT& image, double scale, const RECT& client)
{
    m_rcImage = image;
    m_dScale = scale > 0 ? scale : 1.0;
    m_rcClient = client;
}

CWatermarkObj* CWatermarkEditModel::SelectedObj() const
{
    return m_pSource ? m_pSource->FindById(m_selection) : nullptr;
}

const WATERMARK_RECORD* CWatermarkEditModel::SelectedRecord() const
{
    const CWatermarkObj* obj = SelectedObj();
    if (!obj)
        return nullptr;
    for (const WATERMARK_RECORD& rec : m_records)
        if (rec.key == obj->GetId())
            return &rec;
    return nullptr;
}

CWatermarkObj* CWatermarkEditModel::FindWatermarkObj(const WATERMARK_RECORD& record) const
{
    return m_pSource ? m_pSource->FindById(record.key) : nullptr;
}

void CWatermarkEditModel::Notify(CWatermarkObj* selected)
{
    if (m_pCallback)
        m_pCallback->OnWatermarkSelected(selected);
}

int CWatermarkEditModel::HitTest(POINT p)
{
    const WATERMARK_RECORD* rec = SelectedRecord();
    if (!rec)
        return kNone;
    const RECT& R = rec->rc;
    const bool inX = InRange(p.x, R.left - 10, R.right + 10), inY = InRange(p.y, R.top - 10, R.bottom + 10);
    const bool top = inX && InRange(p.y, R.top - 10, R.top);
    const bool bottom = inX && InRange(p.y, R.bottom, R.bottom + 10);
    const bool left = inY && InRange(p.x, R.left - 10, R.left);
    const bool right = inY && InRange(p.x, R.right, R.right + 10);
    const bool corners = HasCorners(*SelectedObj());
    if (Contains(R, p))
        return kMove;
    if (corners && (top || bottom) && (left || right)) {
        m_nVSide = bottom && !top ? 1 : 0;
        m_nHSide = right && !left ? 1 : 0;
        return kBoth;
    }
    if (top || bottom) {
        m_nVSide = top ? 0 : 1;
        return kHeight;
    }
    if (left || right) {
        m_nHSide = left ? 0 : 1;
        return kWidth;
    }
    return kNone;
}

bool CWatermarkEditModel::SelectAt(POINT p)
{
    if (HitTest(p) != kNone) {
        const RECT& R = SelectedRecord()->rc;
        if (Contains(R, p))
            m_ptMoveGrab = {p.x - R.left, p.y - R.top};
        return true;
    }
    for (auto it = m_records.rbegin(); it != m_records.rend(); ++it) {
        if (!Contains(it->rc, p))
            continue;
        CWatermarkObj* obj = FindWatermarkObj(*it);
        // A drawn item that is no longer in the list cannot be selected.
        m_selection = obj ? obj->GetId() : kNoWatermarkId;
        Notify(obj);
        m_ptMoveGrab = {p.x - it->rc.left, p.y - it->rc.top};
        return obj != nullptr;
    }
    Notify(nullptr);
    m_selection = kNoWatermarkId;
    return false;
}

void CWatermarkEditModel::MoveTo(double X, double Y)
{
    const WATERMARK_RECORD* rec = SelectedRecord();
    if (!rec)
        return;
    CWatermarkObj& obj = *SelectedObj();
    const double k = 1.0 / m_dScale;
    const RECT& c = m_rcClient;
    const LONG cl = Trunc((c.left + 10) / k), ct = Trunc((c.top + 10) / k);
    const LONG cr = Trunc((c.right - 10) / k), cb = Trunc((c.bottom - 10) / k);
    const LONG L = m_rcImage.left, T = m_rcImage.top, Ri = m_rcImage.right, B = m_rcImage.bottom;
    const LONG il = Trunc(L / k), it = Trunc(T / k), ir = Trunc(Ri / k), ib = Trunc(B / k);
    X += m_ptScroll.x;
    Y += m_ptScroll.y;
    const LONG w = rec->rc.right - rec->rc.left, h = rec->rc.bottom - rec->rc.top;
    const LONG ws = Trunc(w / k), hs = Trunc(h / k);
    const LONG IW = Ri - L, IH = B - T;

    LONG x = 0, y = 0;
    if (obj.placement >= 0 && obj.placement <= 8) {
        switch (obj.placement % 3) {
        case 0: x = Bound(RN((X - L) / k), -il, cr - ws - il); break;
        case 1: {
            x = RN((RoundNearest(IW * 0.5) - RoundNearest(w * 0.5) - (X - L)) / k);
            const LONG D = (cr - cl) / 2 - ws / 2;
            x = Bound(x, -D, D);
            break;
        }
        default: x = Bound(RN(((IW - w) - (X - L)) / k), ir - cr, ir - ws); break;
        }
        switch (obj.placement / 3) {
        case 0: y = Bound(RN((Y - T) / k), -it, cb - hs - it); break;
        case 1: {
            y = RN((RoundNearest(IH * 0.5) - RoundNearest(h * 0.5) - (Y - T)) / k);
            const LONG E = (cb - ct) / 2;
            const LONG upper = obj.placement == 3 ? E - hs / 2 : E - (hs - hs / 2);
            y = Bound(y, hs / 2 - E, upper);
            break;
        }
        default: y = Bound(RN(((IH - h) - (Y - T)) / k), ib - cb, ib - hs); break;
        }
    }
    obj.x = x;
    obj.y = y;
    Pushed(obj, false);
}

void CWatermarkEditModel::MoveByMouse(POINT p) { MoveTo(p.x - m_ptMoveGrab.x, p.y - m_ptMoveGrab.y); }

namespace {

// One axis of a resize: pos/size are the watermark's offset and size along
// it, lo/hi the image's edges, a/b the drawn rectangle's edges, side 0 when
// the low edge is dragged, e the dragged edge's new client coordinate.
void ResizeAxis(int column, int side, LONG e, LONG lo, LONG hi, LONG a, LONG b, double s, int32_t& pos,
                int32_t& size)
{
    if (column == 0) {
        if (side == 0) {
            const LONG np = RN((e - lo) * s), ns = size + pos - np;
            if (ns > 0) {
                size = ns;
                pos = np;
            }
        } else {
            const LONG ns = Trunc(RoundNearest((e - lo) * s) - pos);
            if (ns > 0)
                size = ns;
        }
    } else if (column == 2) {
        if (side == 1) {
            const LONG np = RN((hi - e) * s), ns = size + pos - np;
            if (ns > 0) {
                size = ns;
                pos = np;
            }
        } else {
            const LONG ns = Trunc(RoundNearest((hi - e) * s) - pos);
            if (ns > 0)
                size = ns;
        }
    } else {
        const LONG c = side == 0 ? b - e : e - a;
        if (c > 0) {
            const LONG newLow = side == 0 ? e : a;
            size = Trunc(c * s);
            pos = Trunc(((hi - lo) / 2 - c / 2 - newLow + lo) * s);
        }
    }
}

void SetSizeText(CWatermarkObj& obj, LONG width, LONG height)
{
    char text[32];
    std::snprintf(text, sizeof text, "%dx%d", static_cast<int>(width), static_cast<int>(height));
    obj.resize = std::wstring(text, text + std::char_traits<char>::length(text));
}

}  // namespace

void CWatermarkEditModel::Pushed(CWatermarkObj&, bool resized)
{
    if (m_onPushed)
        m_onPushed(resized);
}

void CWatermarkEditModel::ResizeWidth(LONG mouseX)
{
    const WATERMARK_RECORD* rec = SelectedRecord();
    if (!rec)
        return;
    CWatermarkObj& obj = *SelectedObj();
    const RECT R = rec->rc;
    const double s = m_dScale;
    if (!HasCorners(obj))
        obj.width = Trunc((R.right - R.left) * s);
    const int column = obj.placement >= 0 && obj.placement <= 8 ? obj.placement % 3 : 0;
    ResizeAxis(column, m_nHSide, mouseX - m_nEdgeGrabX, m_rcImage.left, m_rcImage.right, R.left, R.right, s, obj.x,
               obj.width);
    // A shape keeps its own height, which a corner drag has just changed;
    // text and pictures are as high as drawn.
    SetSizeText(obj, obj.width, HasCorners(obj) ? obj.height : Trunc((R.bottom - R.top) * s));
    Pushed(obj, true);
}

void CWatermarkEditModel::ResizeHeight(LONG mouseY)
{
    const WATERMARK_RECORD* rec = SelectedRecord();
    if (!rec)
        return;
    CWatermarkObj& obj = *SelectedObj();
    const RECT R = rec->rc;
    const double s = m_dScale;
    if (!HasCorners(obj))
        obj.height = Trunc((R.bottom - R.top) * s);
    const int row = obj.placement >= 0 && obj.placement <= 8 ? obj.placement / 3 : 0;
    ResizeAxis(row, m_nVSide, mouseY - m_nEdgeGrabY, m_rcImage.top, m_rcImage.bottom, R.top, R.bottom, s, obj.y,
               obj.height);
    SetSizeText(obj, HasCorners(obj) ? obj.width : Trunc((R.right - R.left) * s), obj.height);
    Pushed(obj, true);
}

bool CWatermarkEditModel::OnButtonDown(POINT p, bool* capture)
{
    *capture = false;
    // A disabled editor neither selects nor drags.
    if (!m_bEnabled)
        return false;
    const WatermarkId before = m_selection;
    bool redraw;
    if (SelectAt(p)) {
        m_nDragMode = HitTest(p);
        *capture = m_nDragMode != kNone;
        redraw = true;
    } else {
        redraw = before != kNoWatermarkId;
    }
    if (const WATERMARK_RECORD* rec = SelectedRecord()) {
        m_nEdgeGrabY = p.y - (m_nVSide ? rec->rc.bottom : rec->rc.top);
        m_nEdgeGrabX = p.x - (m_nHSide ? rec->rc.right : rec->rc.left);
    }
    return redraw;
}

bool CWatermarkEditModel::OnMouseMove(POINT p)
{
    if (!m_bEnabled)
        return false;
    switch (m_nDragMode) {
    case kMove: MoveByMouse(p); return true;
    case kWidth: ResizeWidth(p.x); return true;
    case kHeight: ResizeHeight(p.y); return true;
    case kBoth:
        ResizeHeight(p.y);
        ResizeWidth(p.x);
        return true;
    default: return false;
    }
}

bool CWatermarkEditModel::OnButtonUp()
{
    if (m_nDragMode == kNone)
        return false;
    m_nDragMode = kNone;
    CWatermarkObj* obj = SelectedObj();
    if (m_pCallback && obj)
        m_pCallback->OnWatermarkChanged(obj);
    return true;
}

EEditCursor CWatermarkEditModel::CursorAt(POINT p)
{
    switch (HitTest(p)) {
    case kWidth: return EEditCursor::SizeWE;
    case kHeight: return EEditCursor::SizeNS;
    case kBoth: return m_nVSide == m_nHSide ? EEditCursor::SizeNWSE : EEditCursor::SizeNESW;
    default: break;
    }
    for (const WATERMARK_RECORD& rec : m_records)
        if (Contains(rec.rc, p))
            return EEditCursor::Hand;
    return EEditCursor::Arrow;
}

std::vector<RECT> CWatermarkEditModel::SelectionLines(const RECT& rc)
{
    const RECT S{rc.left - 4, rc.top - 4, rc.right + 4, rc.bottom + 4};
    return {{S.left - 1, S.top - 1, S.right + 1, S.top},
            {S.left - 1, S.bottom - 1, S.right + 1, S.bottom},
            {S.left - 1, S.top, S.left, S.bottom},
            {S.right - 1, S.top, S.right, S.bottom}};
}

std::vector<POINT> CWatermarkEditModel::SelectionHandles(const RECT& rc)
{
    const RECT S{rc.left - 4, rc.top - 4, rc.right + 4, rc.bottom + 4};
    std::vector<POINT> pts{{S.left - 6, S.top - 6}, {S.right - 5, S.top - 6}};
    const LONG width = S.right - S.left + 2;
    if (width > 40) {
        const LONG x = S.left - 1 + width / 2 - 4;
        pts.push_back({x, S.top - 6});
        pts.push_back({x, S.bottom - 5});
    }
    if (S.bottom - S.top > 40) {
        const LONG y = S.top + (S.bottom - S.top) / 2 - 4;
        pts.push_back({S.left - 6, y});
        pts.push_back({S.right - 5, y});
    }
    pts.push_back({S.left - 6, S.bottom - 5});
    pts.push_back({S.right - 5, S.bottom - 5});
    return pts;
}
