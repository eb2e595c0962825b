// The crop and eraser editors' mouse logic without a window: the rectangle
// over the picture, the handle a point grabs, and the margins a drag writes.
#include "controls/editors/CropEditBase.h"
#include "controls/editors/CropEditModel.h"
#include "controls/editors/EraserEditModel.h"
#include "model/edit/CropObj.h"
#include "model/edit/EraserObj.h"
#include <gtest/gtest.h>
#include <tuple>

namespace {

struct CountingCallback : CCropEditBase {
    void OnChange() override { ++changes; }
    int changes = 0;
};

using Edges = std::tuple<LONG, LONG, LONG, LONG>;
Edges E(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

constexpr RECT kImage{50, 40, 450, 340};
constexpr RECT kClient{0, 0, 500, 400};

class CropEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        model.SetView(kImage, 1.0, kClient);
        model.SetCropObj(&crop);
        model.SetCallback(&callback);
    }
    void Margins(int l, int t, int r, int b)
    {
        crop.crop_left = l;
        crop.crop_top = t;
        crop.crop_right = r;
        crop.crop_bottom = b;
    }
    std::tuple<int, int, int, int> Current() const
    {
        return {crop.crop_left, crop.crop_top, crop.crop_right, crop.crop_bottom};
    }
    CCropObj crop;
    CountingCallback callback;
    CCropEditModel model;
};

}  // namespace

TEST_F(CropEdit, CropRectFollowsMarginsAtBothScalesAndStaysInsideThePicture)
{
    struct Case {
        double scale;
        int l, t, r, b;
        RECT expected;
    };
    const Case cases[] = {
        {1.0, 0, 0, 0, 0, kImage},
        {1.0, 10, 20, 30, 40, {60, 60, 420, 300}},
        {2.0, 10, 20, 30, 40, {55, 50, 435, 320}},
        {2.0, 5, 5, 5, 5, {52, 42, 447, 337}},  // 2.5 px truncates toward the picture's inside
        {1.0, -20, -1, 0, 0, kImage},             // a negative margin from a file counts as none
        {1.0, 1000, 0, 0, 0, {450, 40, 450, 340}},  // wider than the frame: clipped, never inverted
        {1.0, 300, 0, 300, 0, {350, 40, 350, 340}},
        {2.0, 0, 400, 0, 400, {50, 240, 450, 240}},
    };
    for (const Case& c : cases) {
        model.SetView(kImage, c.scale, kClient);
        Margins(c.l, c.t, c.r, c.b);
        EXPECT_EQ(E(model.GetCropRect(kImage)), E(c.expected)) << c.scale << " " << c.l << "," << c.t << "," << c.r << "," << c.b;
    }
    model.SetCropObj(nullptr);
    EXPECT_EQ(E(model.GetCropRect(kImage)), E(kImage));
}

TEST_F(CropEdit, HitCodesFollowTheBandsInTheirOrder)
{
    // Rectangle {100, 100, 300, 250} at scale 1 and the same margins doubled at scale 2.
    for (double scale : {1.0, 2.0}) {
        model.SetView(kImage, scale, kClient);
        Margins(int(50 * scale), int(60 * scale), int(150 * scale), int(90 * scale));
        ASSERT_EQ(E(model.GetCropRect(kImage)), Edges(100, 100, 300, 250));
        const struct {
            POINT p;
            int code;
        } cases[] = {
            {{96, 96}, CCropEditModel::kTopLeft},      {{95, 100}, CCropEditModel::kNone},
            {{96, 95}, CCropEditModel::kNone},         {{105, 105}, CCropEditModel::kTopLeft},
            {{106, 106}, CCropEditModel::kMove},       {{303, 96}, CCropEditModel::kTopRight},
            {{294, 105}, CCropEditModel::kTopRight},   {{304, 96}, CCropEditModel::kNone},
            {{96, 253}, CCropEditModel::kBottomLeft},  {{303, 253}, CCropEditModel::kBottomRight},
            {{200, 244}, CCropEditModel::kBottom},     {{200, 254}, CCropEditModel::kNone},
            {{298, 200}, CCropEditModel::kRight},      {{100, 200}, CCropEditModel::kLeft},
            {{200, 100}, CCropEditModel::kTop},        {{200, 200}, CCropEditModel::kMove},
            {{200, 96}, CCropEditModel::kTop},         {{200, 95}, CCropEditModel::kNone},
        };
        for (const auto& c : cases)
            EXPECT_EQ(model.HitTest(c.p), c.code) << "scale " << scale << " at " << c.p.x << "," << c.p.y;
    }
}

TEST_F(CropEdit, NarrowRectanglePrefersBottomAndRightBandsAndClientLimitsHits)
{
    // 8 px high: the top and bottom bands overlap and the bottom one comes first.
    Margins(50, 60, 150, 232);  // {100, 100, 300, 108}
    EXPECT_EQ(model.HitTest({200, 103}), CCropEditModel::kBottom);
    EXPECT_EQ(model.HitTest({200, 99}), CCropEditModel::kTop);
    // A rectangle at the picture's edge: the band outside the client gives nothing.
    model.SetView({0, 0, 400, 300}, 1.0, {0, 0, 400, 300});
    Margins(0, 0, 0, 0);
    EXPECT_EQ(model.HitTest({-2, 50}), CCropEditModel::kNone);
    EXPECT_EQ(model.HitTest({2, 50}), CCropEditModel::kLeft);
}

TEST_F(CropEdit, NoRecordOrDisabledWindowGivesNoHitAndNoDrag)
{
    Margins(50, 60, 150, 90);
    model.SetEnabled(false);
    EXPECT_EQ(model.HitTest({200, 200}), 0);
    EXPECT_FALSE(model.OnButtonDown({100, 100}));
    EXPECT_EQ(model.CursorAt({100, 100}), EEditCursor::Arrow);
    model.SetEnabled(true);
    model.SetCropObj(nullptr);
    EXPECT_EQ(model.HitTest({200, 200}), 0);
    EXPECT_FALSE(model.OnButtonDown({100, 100}));
    EXPECT_FALSE(model.OnMouseMove({120, 120}));
    EXPECT_FALSE(model.ResetCrop());
    EXPECT_EQ(callback.changes, 0);
}

TEST_F(CropEdit, EdgeDragsClampToThePictureAndKeepTwoPixelsBetweenEdges)
{
    struct Case {
        const char* what;
        double scale;
        int code;
        POINT to;
        std::tuple<int, int, int, int> margins;  // left, top, right, bottom
    };
    // The rectangle starts at the full picture {50, 40, 450, 340}.
    const Case cases[] = {
        {"top below bottom", 1.0, CCropEditModel::kTop, {200, 500}, {0, 298, 0, 0}},
        {"top above picture", 1.0, CCropEditModel::kTop, {200, 0}, {0, 0, 0, 0}},
        {"left 10 px in at scale 2", 2.0, CCropEditModel::kLeft, {60, 200}, {20, 0, 0, 0}},
        {"right past left", 1.0, CCropEditModel::kRight, {0, 200}, {0, 0, 398, 0}},
        {"bottom above top at scale 2", 2.0, CCropEditModel::kBottom, {200, 0}, {0, 0, 0, 596}},
        {"bottom right corner", 1.0, CCropEditModel::kBottomRight, {400, 300}, {0, 0, 50, 40}},
        {"top left corner at scale 2", 2.0, CCropEditModel::kTopLeft, {70, 45}, {40, 10, 0, 0}},
    };
    for (const Case& c : cases) {
        model.SetView(kImage, c.scale, kClient);
        Margins(0, 0, 0, 0);
        callback.changes = 0;
        const RECT rc = model.GetCropRect(kImage);
        const POINT grab{c.code == CCropEditModel::kRight || c.code == CCropEditModel::kBottomRight ? rc.right - 1 : rc.left + 1,
                         c.code == CCropEditModel::kBottom || c.code == CCropEditModel::kBottomRight ? rc.bottom - 1 : rc.top + 1};
        if (c.code == CCropEditModel::kTop || c.code == CCropEditModel::kBottom) {
            ASSERT_TRUE(model.OnButtonDown({200, grab.y})) << c.what;
        } else if (c.code == CCropEditModel::kLeft || c.code == CCropEditModel::kRight) {
            ASSERT_TRUE(model.OnButtonDown({grab.x, 200})) << c.what;
        } else {
            ASSERT_TRUE(model.OnButtonDown(grab)) << c.what;
        }
        ASSERT_EQ(model.DragCode(), c.code) << c.what;
        EXPECT_TRUE(model.OnMouseMove(c.to)) << c.what;
        EXPECT_TRUE(model.OnButtonUp());
        EXPECT_EQ(Current(), c.margins) << c.what;
        const bool corner = c.code >= CCropEditModel::kTopLeft;
        EXPECT_EQ(callback.changes, corner ? 2 : 1) << c.what;
        EXPECT_FALSE(model.OnMouseMove({1, 1})) << "no drag after the release";
    }
}

TEST_F(CropEdit, MovingKeepsTheSizeAndStopsAtThePictureEdges)
{
    // {100, 100, 300, 250} at scale 1: 200 x 150 client pixels.
    Margins(50, 60, 150, 90);
    ASSERT_TRUE(model.OnButtonDown({110, 120}));
    ASSERT_EQ(model.DragCode(), CCropEditModel::kMove);
    model.OnMouseMove({130, 140});  // 20 px right and down
    EXPECT_EQ(Current(), std::make_tuple(70, 80, 130, 70));
    model.OnMouseMove({-500, -500});  // past the left and top edges
    EXPECT_EQ(Current(), std::make_tuple(0, 0, 200, 150));
    model.OnMouseMove({2000, 2000});  // past the right and bottom edges
    EXPECT_EQ(Current(), std::make_tuple(200, 150, 0, 0));
    model.OnButtonUp();
    EXPECT_EQ(callback.changes, 3);

    // At scale 2 the client width of the rectangle is kept against the left edge.
    model.SetView(kImage, 2.0, kClient);
    Margins(100, 0, 300, 0);  // {100, 40, 300, 340}
    ASSERT_TRUE(model.OnButtonDown({150, 200}));
    model.OnMouseMove({0, 200});
    EXPECT_EQ(Current(), std::make_tuple(0, 0, 400, 0));
}

TEST_F(CropEdit, ResetClearsEveryMarginAndTellsTheCallbackInEitherMode)
{
    for (bool edit : {true, false}) {
        model.SetEditMode(edit);
        Margins(1, 2, 3, 4);
        callback.changes = 0;
        EXPECT_TRUE(model.ResetCrop());
        EXPECT_EQ(Current(), std::make_tuple(0, 0, 0, 0));
        EXPECT_EQ(callback.changes, 1);
    }
    // Out of edit mode nothing is dragged.
    Margins(50, 60, 150, 90);
    EXPECT_FALSE(model.OnButtonDown({200, 200}));
}

TEST(CropEditDrawing, MiddleHandlesAppearOnlyOverFortyPixels)
{
    const struct {
        RECT rc;
        size_t handles;
    } cases[] = {
        {{100, 100, 140, 140}, 4}, {{100, 100, 141, 140}, 6}, {{100, 100, 140, 141}, 6}, {{100, 100, 141, 141}, 8},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CCropEditModel::HandlePoints(c.rc).size(), c.handles) << ::testing::PrintToString(E(c.rc));
    const auto pts = CCropEditModel::HandlePoints({100, 100, 300, 200});
    ASSERT_EQ(pts.size(), 8u);
    const POINT expected[] = {{96, 96}, {196, 96}, {196, 194}, {96, 146}, {294, 146}, {294, 96}, {96, 194}, {294, 194}};
    for (size_t i = 0; i < pts.size(); ++i)
        EXPECT_TRUE(pts[i].x == expected[i].x && pts[i].y == expected[i].y) << i;
    const auto strips = CCropEditModel::FrameStrips({100, 100, 300, 200});
    EXPECT_EQ(E(strips[1]), Edges(100, 198, 300, 200));
    EXPECT_EQ(E(strips[3]), Edges(298, 100, 300, 200));
}

TEST(CropEditCursor, EachCodeHasItsCursor)
{
    const struct {
        int code;
        EEditCursor cursor;
    } cases[] = {
        {0, EEditCursor::Arrow},    {1, EEditCursor::SizeNS},   {2, EEditCursor::SizeNS},
        {3, EEditCursor::SizeWE},   {4, EEditCursor::SizeWE},   {5, EEditCursor::SizeNWSE},
        {6, EEditCursor::SizeNESW}, {7, EEditCursor::SizeNESW}, {8, EEditCursor::SizeNWSE},
        {9, EEditCursor::SizeAll},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CCropEditModel::CursorForHit(c.code), c.cursor) << c.code;
}

namespace {

class EraserEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        model.SetView(kImage, 1.0, kClient);
        model.SetEraserObj(&eraser);
        model.SetCallback(&callback);
        eraser.eraser_type = 1;
    }
    void Rect(int l, int t, int r, int b)
    {
        eraser.eraser_left = l;
        eraser.eraser_top = t;
        eraser.eraser_right = r;
        eraser.eraser_bottom = b;
    }
    std::tuple<int, int, int, int> Current() const
    {
        return {eraser.eraser_left, eraser.eraser_top, eraser.eraser_right, eraser.eraser_bottom};
    }
    CEraserObj eraser;
    CountingCallback callback;
    CEraserEditModel model;
};

}  // namespace

TEST_F(EraserEdit, ShownRectangleIsClippedToThePictureWhileTheRecordKeepsItsValues)
{
    struct Case {
        double scale;
        int l, t, r, b;
        RECT expected;
    };
    const Case cases[] = {
        {1.0, 10, 20, 110, 70, {60, 60, 160, 110}},
        {2.0, 10, 20, 110, 70, {55, 50, 105, 75}},
        {1.0, 500, 0, 600, 50, {350, 40, 450, 90}},   // wholly right: moved back, right edge on the picture's
        {1.0, 0, 400, 50, 450, {50, 290, 100, 340}},  // wholly below: moved up the same way
        {1.0, 350, 0, 600, 50, {400, 40, 450, 90}},   // sticking out: cut at the edge
        {1.0, -30, -10, 20, 20, {50, 40, 70, 60}},    // negative values from a file: cut at the left and top
        {1.0, 0, 0, 900, 700, kImage},                // larger than the picture: the picture
        {1.0, 100, 100, 50, 50, {150, 140, 150, 140}},  // inverted in the file: shown empty
    };
    for (const Case& c : cases) {
        model.SetView(kImage, c.scale, kClient);
        Rect(c.l, c.t, c.r, c.b);
        EXPECT_EQ(E(model.GetCropRect(kImage)), E(c.expected)) << c.l << "," << c.t << "," << c.r << "," << c.b;
        EXPECT_EQ(Current(), std::make_tuple(c.l, c.t, c.r, c.b));
    }
}

TEST_F(EraserEdit, NothingToHitWithoutRecordKindOrEditFlag)
{
    Rect(100, 100, 200, 200);  // {150, 140, 250, 240}
    EXPECT_EQ(model.HitTest({200, 200}), CCropEditModel::kMove);
    EXPECT_TRUE(model.ShowsFrame());
    eraser.eraser_type = 0;
    EXPECT_EQ(model.HitTest({200, 200}), 0);
    EXPECT_FALSE(model.ShowsFrame());
    eraser.eraser_type = 2;
    model.SetEraserEditMode(false);
    EXPECT_EQ(model.HitTest({200, 200}), 0);
    EXPECT_FALSE(model.OnButtonDown({200, 200}));
    model.SetEraserEditMode(true);
    model.SetEraserObj(nullptr);
    EXPECT_EQ(model.HitTest({200, 200}), 0);
    EXPECT_FALSE(model.ShowsFrame());
    EXPECT_EQ(callback.changes, 0);
}

TEST_F(EraserEdit, EdgeDragsMayMeetButNeverCross)
{
    struct Case {
        const char* what;
        double scale;
        POINT press;
        POINT to;
        std::tuple<int, int, int, int> rect;
    };
    // The record starts as {100, 100, 200, 200} source pixels.
    const Case cases[] = {
        {"right past left", 1.0, {249, 190}, {0, 190}, {100, 100, 100, 200}},
        {"left past right", 1.0, {150, 190}, {400, 190}, {200, 100, 200, 200}},
        {"top above picture", 1.0, {200, 140}, {200, 0}, {100, 0, 200, 200}},
        {"bottom below top", 1.0, {200, 239}, {200, 41}, {100, 100, 200, 100}},
        {"right at scale 2", 2.0, {149, 110}, {160, 110}, {100, 100, 220, 200}},
        {"bottom right corner", 1.0, {249, 239}, {300, 290}, {100, 100, 250, 250}},
    };
    for (const Case& c : cases) {
        model.SetView(kImage, c.scale, kClient);
        Rect(100, 100, 200, 200);
        ASSERT_TRUE(model.OnButtonDown(c.press)) << c.what;
        model.OnMouseMove(c.to);
        model.OnButtonUp();
        EXPECT_EQ(Current(), c.rect) << c.what;
    }
}

TEST_F(EraserEdit, MoveKeepsTheSourceSizeAndStopsOnlyAtTheLeftAndTop)
{
    model.SetView(kImage, 2.0, kClient);
    Rect(100, 100, 201, 161);  // odd size: kept exactly in source pixels
    const RECT rc = model.GetCropRect(kImage);
    ASSERT_TRUE(model.OnButtonDown({rc.left + 20, rc.top + 10}));
    ASSERT_EQ(model.DragCode(), CCropEditModel::kMove);
    model.OnMouseMove({rc.left + 30, rc.top + 15});
    EXPECT_EQ(Current(), std::make_tuple(120, 110, 221, 171));
    model.OnMouseMove({0, 0});
    EXPECT_EQ(Current(), std::make_tuple(0, 0, 101, 61));
    model.OnMouseMove({3000, 3000});  // no bound on the right or bottom
    EXPECT_EQ(Current(), std::make_tuple(5860, 5900, 5961, 5961));
    EXPECT_EQ(callback.changes, 3);
}
