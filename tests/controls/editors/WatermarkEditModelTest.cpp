// The watermark editor's mouse logic without a window: which drawn watermark
// a press selects, which edge it grabs, and the anchor offsets and sizes a
// move or a resize writes into the watermark.
#include "controls/editors/WatermarkEditModel.h"
#include "controls/editors/WatermarkPropertiesCallback.h"
#include "engine/ConversionJob.h"
#include "model/edit/WatermarksObj.h"
#include "model/source/PropertyAccess.h"
#include "platform/ClassRegistry.h"
#include <gtest/gtest.h>
#include <tuple>

namespace {

struct RecordingCallback : IWatermarkPropertiesCallback {
    void OnWatermarkSelected(CWatermarkObj* w) override { selected.push_back(w); }
    void OnWatermarkChanged(CWatermarkObj* w) override { changed.push_back(w); }
    std::vector<CWatermarkObj*> selected;
    std::vector<CWatermarkObj*> changed;
};

ComPtr<IUnknown> Item(IUnknown* object, const wchar_t* name, LONG index)
{
    ComPtr<IUnknown> item;
    if (ComPtr<IEngineCollection> items = QueryCollection(GetNodeItem(object, name).Get()))
        items->GetItem(index, item.ReleaseAndGetAddressOf());
    return item;
}

constexpr RECT kImage{50, 50, 450, 350};
constexpr RECT kClient{0, 0, 500, 400};

// Two watermarks with engine items in a job's format node: a text one and a
// shape (kind 2), drawn as records the test places by hand.
class WatermarkEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(S_OK, CoCreate(CLSID_ConversionJob, job));
        format = Item(Item(job.Get(), L"Profiles", 0).Get(), L"Formats", 0);
        ASSERT_TRUE(format);
        text = list.AddTextWatermark();
        shape = list.AddWatermarkKind2();
        for (CWatermarkObj* w : {text, shape}) {
            w->placement = 0;
            w->x = 50;
            w->y = 50;
            w->width = 100;
            w->height = 50;
            w->CreateEngineWatermark(format.Get(), 1);
            ASSERT_TRUE(w->GetEngineItem());
        }
        model.SetView(kImage, 1.0, kClient);
        model.SetSource(&list);
        model.SetCallback(&callback);
    }
    void Draw(std::initializer_list<std::pair<CWatermarkObj*, RECT>> drawn)
    {
        std::vector<WATERMARK_RECORD> records;
        for (const auto& [w, rc] : drawn)
            records.push_back({rc, nullptr, w->watermark_id, w->GetId()});
        model.SetRecords(std::move(records));
    }

    ComPtr<IConversionJob> job;
    ComPtr<IUnknown> format;
    CWatermarksObj list;
    CWatermarkObj* text = nullptr;
    CWatermarkObj* shape = nullptr;
    RecordingCallback callback;
    CWatermarkEditModel model;
};

}  // namespace

TEST_F(WatermarkEdit, HitCodesAndCursorsAroundTheSelection)
{
    struct Case {
        POINT p;
        EEditCursor textCursor;   // kind 0: no corners
        EEditCursor shapeCursor;  // kind 2: corners
    };
    const Case cases[] = {
        {{150, 120}, EEditCursor::Hand, EEditCursor::Hand},  // inside: move
        {{95, 95}, EEditCursor::SizeNS, EEditCursor::SizeNWSE},
        {{205, 95}, EEditCursor::SizeNS, EEditCursor::SizeNESW},
        {{95, 155}, EEditCursor::SizeNS, EEditCursor::SizeNESW},
        {{205, 155}, EEditCursor::SizeNS, EEditCursor::SizeNWSE},
        {{150, 90}, EEditCursor::SizeNS, EEditCursor::SizeNS},
        {{150, 159}, EEditCursor::SizeNS, EEditCursor::SizeNS},
        {{90, 120}, EEditCursor::SizeWE, EEditCursor::SizeWE},
        {{209, 120}, EEditCursor::SizeWE, EEditCursor::SizeWE},
        {{210, 120}, EEditCursor::Arrow, EEditCursor::Arrow},
        {{150, 89}, EEditCursor::Arrow, EEditCursor::Arrow},
        {{89, 120}, EEditCursor::Arrow, EEditCursor::Arrow},
        {{320, 220}, EEditCursor::Hand, EEditCursor::Hand},  // over the other watermark
    };
    for (CWatermarkObj* selected : {text, shape}) {
        CWatermarkObj* other = selected == text ? shape : text;
        Draw({{selected, {100, 100, 200, 150}}, {other, {300, 200, 350, 250}}});
        model.SetSelection(selected->GetId());
        for (const Case& c : cases)
            EXPECT_EQ(model.CursorAt(c.p), selected == text ? c.textCursor : c.shapeCursor)
                << "kind " << selected->watermark_id << " at " << c.p.x << "," << c.p.y;
        EXPECT_EQ(model.HitTest({95, 95}), selected == text ? CWatermarkEditModel::kHeight : CWatermarkEditModel::kBoth);
    }
    model.SetSelection(kNoWatermarkId);
    EXPECT_EQ(model.HitTest({150, 120}), 0);
    EXPECT_EQ(model.CursorAt({95, 95}), EEditCursor::Arrow);
}

TEST_F(WatermarkEdit, PressSelectsTheTopmostAndAnEmptyPressClears)
{
    // The shape is drawn last, over the text.
    Draw({{text, {100, 100, 200, 150}}, {shape, {150, 120, 250, 170}}});
    bool capture = false;
    EXPECT_TRUE(model.OnButtonDown({160, 130}, &capture));
    EXPECT_TRUE(capture);
    EXPECT_EQ(model.SelectedObj(), shape);
    EXPECT_EQ(callback.selected, std::vector<CWatermarkObj*>{shape});
    model.OnButtonUp();
    EXPECT_EQ(callback.changed, std::vector<CWatermarkObj*>{shape});

    // Only the text lies here.
    model.OnButtonDown({110, 110}, &capture);
    model.OnButtonUp();
    EXPECT_EQ(model.SelectedObj(), text);
    // A press in the selection's edge band keeps it without a notice.
    const size_t notices = callback.selected.size();
    model.OnButtonDown({95, 120}, &capture);
    EXPECT_EQ(model.DragMode(), CWatermarkEditModel::kWidth);
    model.OnButtonUp();
    EXPECT_EQ(callback.selected.size(), notices);

    EXPECT_TRUE(model.OnButtonDown({400, 300}, &capture)) << "the old selection must be wiped from the picture";
    EXPECT_FALSE(capture);
    EXPECT_EQ(model.SelectedObj(), nullptr);
    EXPECT_EQ(callback.selected.back(), nullptr);
    EXPECT_FALSE(model.OnButtonDown({400, 300}, &capture)) << "nothing was selected: nothing to repaint";
}

TEST_F(WatermarkEdit, SelectionIsTheWatermarkNotItsRecord)
{
    Draw({{text, {100, 100, 200, 150}}, {shape, {300, 200, 350, 250}}});
    bool capture = false;
    model.OnButtonDown({310, 210}, &capture);
    model.OnButtonUp();
    ASSERT_EQ(model.SelectedObj(), shape);
    // The next draw rebuilds the records in another order and place.
    Draw({{shape, {10, 10, 60, 60}}, {text, {100, 100, 200, 150}}});
    ASSERT_NE(model.SelectedRecord(), nullptr);
    EXPECT_EQ(model.SelectedRecord()->rc.left, 10);
    EXPECT_EQ(model.HitTest({30, 30}), CWatermarkEditModel::kMove);
    // Removed from the list while its record is still drawn: nothing selected, nothing to drag.
    list.RemoveById(shape->GetId());
    EXPECT_EQ(model.SelectedObj(), nullptr);
    EXPECT_EQ(model.HitTest({30, 30}), 0);
    model.MoveTo(0, 0);
    model.ResizeWidth(0);
    EXPECT_TRUE(model.OnButtonDown({30, 30}, &capture)) << "a stale record cannot be selected";
    EXPECT_EQ(model.SelectedObj(), nullptr);
    EXPECT_EQ(callback.selected.back(), nullptr);
}

TEST_F(WatermarkEdit, MoveClampsToTheBoundsOfEachAnchor)
{
    struct Case {
        int placement;
        double scale;
        RECT drawn;
        double X, Y;
        std::pair<int, int> xy;
    };
    const RECT wide{100, 100, 200, 150};  // 100 x 50
    const RECT odd{100, 100, 200, 105};   // 5 px high
    const Case cases[] = {
        {0, 1.0, wide, -1000, -1000, {-50, -50}},
        {0, 1.0, wide, 1000, 1000, {340, 290}},
        {0, 1.0, wide, 150, 100, {100, 50}},
        {1, 1.0, wide, -1000, 100, {190, 50}},
        {1, 1.0, wide, 1000, 100, {-190, 50}},
        {1, 1.0, wide, 190, 100, {10, 50}},
        {2, 1.0, wide, -1000, 100, {350, 50}},
        {2, 1.0, wide, 1000, 100, {-40, 50}},
        {6, 1.0, wide, 150, -1000, {100, 300}},
        {6, 1.0, wide, 150, 1000, {100, -40}},
        {8, 1.0, wide, 150, 100, {200, 200}},
        {3, 1.0, odd, 150, -1000, {100, 188}},
        {3, 1.0, odd, 150, 1000, {100, -188}},
        {4, 1.0, odd, 200, -1000, {0, 187}},
        {5, 1.0, odd, 1000, 1000, {-40, -188}},
        {4, 1.0, odd, 200, 198, {0, 0}},
        {9, 1.0, wide, 150, 100, {0, 0}},
        {0, 2.0, wide, 150, 100, {200, 100}},
        {0, 2.0, wide, -1000, -1000, {-100, -100}},
        {0, 2.0, wide, 1000, 1000, {680, 580}},
    };
    for (const Case& c : cases) {
        model.SetView(kImage, c.scale, kClient);
        Draw({{shape, c.drawn}});
        model.SetSelection(shape->GetId());
        shape->placement = c.placement;
        model.MoveTo(c.X, c.Y);
        EXPECT_EQ(std::make_pair(int(shape->x), int(shape->y)), c.xy)
            << "anchor " << c.placement << " scale " << c.scale << " to " << c.X << "," << c.Y;
    }
}

TEST_F(WatermarkEdit, DragMovesByTheGrabPointAndReportsOnceAtRelease)
{
    Draw({{text, {100, 100, 200, 150}}});
    bool capture = false;
    model.OnButtonDown({110, 120}, &capture);
    ASSERT_EQ(model.DragMode(), CWatermarkEditModel::kMove);
    EXPECT_TRUE(model.OnMouseMove({160, 170}));
    EXPECT_TRUE(model.OnMouseMove({170, 180}));
    EXPECT_EQ(std::make_pair(int(text->x), int(text->y)), std::make_pair(110, 110));
    EXPECT_TRUE(callback.changed.empty());
    EXPECT_TRUE(model.OnButtonUp());
    EXPECT_EQ(callback.changed, std::vector<CWatermarkObj*>{text});
    EXPECT_FALSE(model.OnMouseMove({300, 300}));
    EXPECT_FALSE(model.OnButtonUp());
}

TEST_F(WatermarkEdit, ResizeByEdgeFollowsTheAnchorAndNeverReachesZero)
{
    struct Case {
        const char* what;
        bool isText;
        int placement;
        double scale;
        int x, y, width, height;  // before
        POINT press;
        std::vector<POINT> moves;
        std::tuple<int, int, int, int> after;  // x, y, width, height
    };
    // The watermark is drawn at {100, 100, 200, 150}.
    const Case cases[] = {
        {"left edge, left anchor", false, 0, 1.0, 50, 50, 100, 50, {95, 120}, {{145, 120}}, {100, 50, 50, 50}},
        {"left edge past the right edge", false, 0, 1.0, 50, 50, 100, 50, {95, 120}, {{145, 120}, {195, 120}, {300, 120}}, {100, 50, 50, 50}},
        {"right edge, left anchor", false, 0, 1.0, 50, 50, 100, 50, {205, 120}, {{255, 120}}, {50, 50, 150, 50}},
        {"right edge, right anchor", false, 2, 1.0, 250, 50, 100, 50, {205, 120}, {{255, 120}}, {200, 50, 150, 50}},
        {"right edge, centre anchor", false, 1, 1.0, 100, 50, 100, 50, {205, 120}, {{255, 120}}, {75, 50, 150, 50}},
        {"left edge at scale 2", false, 0, 2.0, 100, 100, 200, 100, {95, 120}, {{125, 120}}, {160, 100, 140, 100}},
        {"bottom edge, top anchor", false, 0, 1.0, 50, 50, 100, 50, {150, 155}, {{150, 185}}, {50, 50, 100, 80}},
        {"top edge, bottom anchor", false, 6, 1.0, 50, 200, 100, 50, {150, 95}, {{150, 65}}, {50, 200, 100, 80}},
        {"corner of a shape", false, 0, 1.0, 50, 50, 100, 50, {205, 155}, {{255, 185}}, {50, 50, 150, 80}},
        // Text takes its drawn size first, whatever it held.
        {"right edge of text", true, 0, 1.0, 50, 50, 7, 7, {205, 120}, {{225, 120}}, {50, 50, 120, 7}},
    };
    for (const Case& c : cases) {
        CWatermarkObj* w = c.isText ? text : shape;
        model.SetView(kImage, c.scale, kClient);
        Draw({{w, {100, 100, 200, 150}}});
        model.SetSelection(w->GetId());
        w->placement = c.placement;
        std::tie(w->x, w->y, w->width, w->height) = std::make_tuple(c.x, c.y, c.width, c.height);
        bool capture = false;
        model.OnButtonDown(c.press, &capture);
        ASSERT_TRUE(capture) << c.what;
        for (POINT p : c.moves)
            model.OnMouseMove(p);
        model.OnButtonUp();
        EXPECT_EQ(std::make_tuple(int(w->x), int(w->y), int(w->width), int(w->height)), c.after) << c.what;
    }
    EXPECT_EQ(shape->resize, L"150x80");
    EXPECT_EQ(text->resize, L"120x50");
}

TEST(WatermarkEditDrawing, SelectionFrameAndHandles)
{
    const auto lines = CWatermarkEditModel::SelectionLines({100, 100, 200, 150});
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].left, 95);
    EXPECT_EQ(lines[0].top, 95);
    EXPECT_EQ(lines[0].right, 205);
    EXPECT_EQ(lines[3].left, 203);
    EXPECT_EQ(lines[3].bottom, 154);
    const auto pts = CWatermarkEditModel::SelectionHandles({100, 100, 200, 150});
    const std::vector<std::pair<int, int>> expected{{90, 90}, {199, 90}, {146, 90}, {146, 149},
                                                    {90, 121}, {199, 121}, {90, 149}, {199, 149}};
    std::vector<std::pair<int, int>> got;
    for (POINT p : pts)
        got.emplace_back(p.x, p.y);
    EXPECT_EQ(got, expected);
    EXPECT_EQ(CWatermarkEditModel::SelectionHandles({100, 100, 130, 130}).size(), 4u);
    EXPECT_EQ(CWatermarkEditModel::SelectionHandles({100, 100, 131, 131}).size(), 6u);
}

TEST_F(WatermarkEdit, DisabledEditorNeitherSelectsNorDrags)
{
    Draw({{text, {100, 100, 200, 150}}});
    model.SetSelection(text->GetId());
    model.SetEnabled(false);
    bool capture = true;
    EXPECT_FALSE(model.OnButtonDown({300, 300}, &capture));
    EXPECT_FALSE(capture);
    EXPECT_EQ(model.SelectedObj(), text);
    EXPECT_FALSE(model.OnButtonDown({150, 120}, &capture));
    EXPECT_FALSE(model.OnMouseMove({10, 10}));
    EXPECT_EQ(text->x, 50);
    EXPECT_TRUE(callback.selected.empty());
}
