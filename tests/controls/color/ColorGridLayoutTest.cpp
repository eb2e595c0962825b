#include "controls/color/ColorGridLayout.h"
#include "controls/color/PopupPlacement.h"

#include <gtest/gtest.h>

namespace {
std::vector<COLORREF> Palette(size_t n)
{
    std::vector<COLORREF> p;
    for (size_t i = 0; i < n; ++i) p.push_back(static_cast<COLORREF>(0x010101 * (i + 1)));
    return p;
}
}  // namespace

TEST(ColorGridLayout, TwentyPaletteColoursMakeTwoRows)
{
    const auto palette = Palette(20);
    const ColorGridLayout g = ColorGridLayout::Build(palette, {}, palette[0], kNoColor, 214);
    ASSERT_EQ(g.cells.size(), 20u);
    EXPECT_EQ(g.cells[13].rect, (GridRect{13 * 15 + 1, 1, 14 * 15 + 1, 16}));
    EXPECT_EQ(g.cells[14].rect, (GridRect{1, 16, 16, 31}));
    EXPECT_EQ(g.cells[19].rect.left, 5 * 15 + 1);
    EXPECT_EQ(g.cells[0].frame, CellFrame::Current);
    EXPECT_EQ(g.lineY, 32);
    // The current colour is in the palette and nothing is recent: "More..." fills the row.
    EXPECT_EQ(g.moreRect, (GridRect{2, 34, 212, 49}));
    EXPECT_EQ(g.HitTest(20, 20), palette[15]);
    EXPECT_EQ(g.HitTest(100, 40), kMoreCell);
    EXPECT_EQ(g.HitTest(213, 5), kNoColor);
}

TEST(ColorGridLayout, RecentColoursAndAnUnlistedCurrentColourSitRightAligned)
{
    const auto palette = Palette(14);
    const ColorGridLayout g = ColorGridLayout::Build(palette, {0xAA, 0xBB}, 0xCC, 0xBB, 214);
    ASSERT_EQ(g.cells.size(), 17u);
    EXPECT_EQ(g.cells[14].rect.left, 214 - 30);
    EXPECT_EQ(g.cells[15].rect.left, 214 - 15);
    EXPECT_EQ(g.cells[15].frame, CellFrame::Hover);
    EXPECT_EQ(g.cells[16].rect.left, 214 - 15);  // over the last recent cell
    EXPECT_EQ(g.HitTest(214 - 8, g.cells[16].rect.top + 2), 0xCCu);
    EXPECT_EQ(g.moreRect.right, 214 - 2 - 30);

    const ColorGridLayout alone = ColorGridLayout::Build(palette, {}, 0xCC, kMoreCell, 214);
    EXPECT_EQ(alone.moreRect.right, 214 - 2 - 15);
    EXPECT_TRUE(alone.moreHovered);
}

TEST(ColorGridLayout, PressAndReleaseMustHitTheSameCell)
{
    EXPECT_EQ(ClickedColor(0x10, 0x20), kNoColor);
    EXPECT_EQ(ClickedColor(0x10, 0x10), 0x10u);
    EXPECT_EQ(ClickedColor(kMoreCell, kMoreCell), kMoreCell);
    EXPECT_EQ(ClickedColor(kNoColor, kNoColor), kNoColor);
}

TEST(PopupPlacement, OpensBelowOrAboveAndStaysInside)
{
    const GridRect bounds{0, 0, 800, 600};
    EXPECT_EQ(PlacePopup({100, 100, 300, 120}, 200, 150, bounds, POPUP_BELOW), (PopupPoint{100, 120}));
    // Would end less than 20 px above the bottom: opens above the anchor.
    EXPECT_EQ(PlacePopup({100, 440, 300, 460}, 200, 150, bounds, POPUP_BELOW), (PopupPoint{100, 290}));
    EXPECT_EQ(PlacePopup({700, 100, 780, 120}, 200, 150, bounds, POPUP_BELOW), (PopupPoint{600, 120}));
    EXPECT_EQ(PlacePopup({700, 100, 780, 120}, 200, 150, bounds, POPUP_RIGHT), (PopupPoint{500, 100}));
}
