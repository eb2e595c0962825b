#pragma once
// Where a drop-down popup opens beside its anchor: to the given side, moved to
// the other side when it would leave the bounds (a popup ending less than 20
// pixels above the bottom opens above the anchor).
#include "controls/color/ColorGridLayout.h"

enum PopupAlign : int { POPUP_LEFT = 0, POPUP_RIGHT = 1, POPUP_ABOVE = 2, POPUP_BELOW = 3 };

struct PopupPoint {
    int x = 0, y = 0;
    bool operator==(const PopupPoint&) const = default;
};

// anchor and bounds in screen pixels; width and height of the popup.
PopupPoint PlacePopup(const GridRect& anchor, int width, int height, const GridRect& bounds, int align);
