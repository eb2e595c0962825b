#include "controls/color/PopupPlacement.h"

PopupPoint PlacePopup(const GridRect& a, int w, int h, const GridRect& b, int align)
{
    int x, y;
    switch (align) {
    case POPUP_LEFT: x = a.left - w; y = a.top; break;
    case POPUP_RIGHT: x = a.right; y = a.top; break;
    case POPUP_ABOVE: x = a.left; y = a.top - h; break;
    default: x = a.left; y = a.bottom; break;
    }
    const bool sideways = align == POPUP_LEFT || align == POPUP_RIGHT;
    if (x + w > b.right) {
        if (sideways) {
            x += a.left - a.right - w;
            if (x < b.left && b.right - a.right > a.left - b.left) x += a.right - a.left + w;
        } else {
            x -= x + w - b.right;
        }
    }
    if (y + h > b.bottom - 20) {
        const int shift = h + a.bottom - a.top;
        y -= shift;
        if (y < b.top && b.bottom - a.bottom > a.top - b.top) y += shift;
    }
    return PopupPoint{x, y};
}
