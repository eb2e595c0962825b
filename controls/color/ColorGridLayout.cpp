#include "controls/color/ColorGridLayout.h"

#include <algorithm>

namespace {
bool Holds(const std::vector<COLORREF>& v, COLORREF c) { return std::find(v.begin(), v.end(), c) != v.end(); }

CellFrame FrameFor(COLORREF c, COLORREF current, COLORREF hover)
{
    if (c == current) return CellFrame::Current;
    return c == hover ? CellFrame::Hover : CellFrame::None;
}
}  // namespace

ColorGridLayout ColorGridLayout::Build(const std::vector<COLORREF>& palette, const std::vector<COLORREF>& recent,
                                       COLORREF current, COLORREF hover, int clientRight, int cellSize)
{
    ColorGridLayout g;
    for (size_t i = 0; i < palette.size(); ++i) {
        const int left = static_cast<int>(i % kColumns) * cellSize + 1;
        const int top = static_cast<int>(i / kColumns) * cellSize + 1;
        g.cells.push_back({{left, top, left + cellSize, top + cellSize}, palette[i], FrameFor(palette[i], current, hover)});
    }
    const int rows = palette.empty() ? 0 : static_cast<int>((palette.size() - 1) / kColumns + 1);
    const int h = rows * cellSize;
    g.lineY = h + 2;
    g.lineLeft = 2;
    g.lineRight = clientRight - 2;
    const GridRect row{2, h + 4, clientRight - 2, h + 4 + std::max(cellSize, 14)};
    const int cellTop = row.top + (row.bottom - row.top - cellSize) / 2;
    const int k = static_cast<int>(recent.size());
    int drawn = 0;
    for (int j = 0; j < k; ++j) {
        const int left = clientRight - cellSize * (k - j);
        g.cells.push_back({{left, cellTop, left + cellSize, cellTop + cellSize}, recent[j], FrameFor(recent[j], current, hover)});
        ++drawn;
    }
    if (!Holds(palette, current) && !Holds(recent, current)) {
        const int left = clientRight - cellSize;
        g.cells.push_back({{left, cellTop, left + cellSize, cellTop + cellSize}, current, CellFrame::Current});
        if (k == 0) ++drawn;
    }
    g.moreRect = row;
    g.moreRect.right -= cellSize * drawn;
    g.moreHovered = hover == kMoreCell;
    return g;
}

COLORREF ColorGridLayout::HitTest(int x, int y) const
{
    // Later cells are drawn over earlier ones, so they win.
    for (auto it = cells.rbegin(); it != cells.rend(); ++it)
        if (it->rect.Contains(x, y)) return it->color;
    if (moreRect.Contains(x, y)) return kMoreCell;
    return kNoColor;
}

COLORREF ClickedColor(COLORREF pressed, COLORREF released)
{
    return (released != kNoColor && released == pressed) ? released : kNoColor;
}
