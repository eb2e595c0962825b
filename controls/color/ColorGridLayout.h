#pragma once
// Where the colour picker grid draws its cells: the palette in rows of 14,
// under a line the recent colours right-aligned (plus the current colour when
// it is in neither list), and the "More..." cell filling the rest of that row.
#include "platform/Types.h"
#include <vector>

struct GridRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const GridRect&) const = default;
};

enum class CellFrame { None, Current, Hover };

struct ColorCell {
    GridRect rect;
    COLORREF color = 0;
    CellFrame frame = CellFrame::None;
};

constexpr COLORREF kNoColor = 0xF0FFFFFF;      // no cell
constexpr COLORREF kMoreCell = 0xFFFFFFFF;     // the "More..." cell (-1)

struct ColorGridLayout {
    static constexpr int kColumns = 14;

    std::vector<ColorCell> cells;
    int lineY = 0, lineLeft = 0, lineRight = 0;  // the separator line
    GridRect moreRect;
    bool moreHovered = false;

    // clientRight: the client rectangle's right edge.
    static ColorGridLayout Build(const std::vector<COLORREF>& palette, const std::vector<COLORREF>& recent,
                                 COLORREF current, COLORREF hover, int clientRight, int cellSize = 15);

    // The colour under the point, kMoreCell for "More...", kNoColor for none.
    COLORREF HitTest(int x, int y) const;
};

// The outcome of a press at one point and a release at another.
// Nothing is chosen unless both hit the same cell.
COLORREF ClickedColor(COLORREF pressed, COLORREF released);
