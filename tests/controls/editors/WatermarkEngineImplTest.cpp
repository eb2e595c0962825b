// The watermark editor's engine side: the private container job, the drawing
// order, and that a watermark placed in the editor is drawn on the same
// pixels as the conversion draws it.
#include "controls/editors/WatermarkEditModel.h"
#include "controls/editors/WatermarkEngineImpl.h"
#include "engine/FrameFilters.h"
#include "mediaeng/frame/TestFrames.h"
#include "model/edit/WatermarksObj.h"
#include <gtest/gtest.h>

namespace {

constexpr int kW = 320, kH = 240;

std::vector<IUnknown*> DrawnItems(CWatermarkEngineImpl& impl)
{
    TestFrame frame(kW, kH, std::vector<uint32_t>(kW * kH, 0x808080));
    EXPECT_EQ(S_OK, impl.DrawInto(frame.F(), frame.PF(), frame.D(), frame.PD(), {0, 0, kW, kH}, 1.0));
    std::vector<IUnknown*> items;
    for (const WATERMARK_RECORD& r : impl.GetRecords())
        items.push_back(r.pItem);
    return items;
}

CWatermarkObj* AddText(CWatermarksObj& list, const wchar_t* text, int x, int y)
{
    CWatermarkObj* w = list.AddTextWatermark();
    w->text = text;
    w->placement = 0;
    w->x = x;
    w->y = y;
    w->font_size = 20;
    w->color = 0x0000FF;
    return w;
}

}  // namespace

TEST(WatermarkEngineImpl, DrawsTheListInOrderAndReordersOnlyInsideIt)
{
    CWatermarksObj list;
    CWatermarkObj* a = AddText(list, L"A", 10, 10);
    CWatermarkObj* b = AddText(list, L"B", 60, 10);
    CWatermarkObj* c = AddText(list, L"C", 110, 10);
    CWatermarkEngineImpl impl;
    impl.SetSource(&list);
    EXPECT_TRUE(DrawnItems(impl).empty()) << "nothing before the container exists";
    ASSERT_EQ(S_OK, impl.ResetList());
    ASSERT_TRUE(impl.GetFormatNode());
    IUnknown* ia = a->GetEngineItem();
    IUnknown* ib = b->GetEngineItem();
    IUnknown* ic = c->GetEngineItem();
    ASSERT_TRUE(ia && ib && ic);
    EXPECT_EQ(DrawnItems(impl), (std::vector<IUnknown*>{ia, ib, ic}));

    EXPECT_FALSE(impl.MoveUp(ia));
    EXPECT_FALSE(impl.MoveDown(ic));
    EXPECT_FALSE(impl.MoveUp(nullptr));
    EXPECT_EQ(DrawnItems(impl), (std::vector<IUnknown*>{ia, ib, ic}));
    EXPECT_TRUE(impl.MoveUp(ib));
    EXPECT_EQ(DrawnItems(impl), (std::vector<IUnknown*>{ib, ia, ic}));
    EXPECT_TRUE(impl.MoveDown(ia));
    EXPECT_EQ(DrawnItems(impl), (std::vector<IUnknown*>{ib, ic, ia}));

    // A new container holds the list's order again, with new items.
    ASSERT_EQ(S_OK, impl.ResetList());
    EXPECT_EQ(DrawnItems(impl), (std::vector<IUnknown*>{a->GetEngineItem(), b->GetEngineItem(), c->GetEngineItem()}));
}

TEST(WatermarkEngineImpl, WatermarkPlacedInTheEditorLandsOnTheConvertedPixels)
{
    CWatermarksObj list;
    CWatermarkObj* w = AddText(list, L"Kestrel", 0, 0);
    CWatermarkEngineImpl impl;
    impl.SetSource(&list);
    ASSERT_EQ(S_OK, impl.ResetList());

    // The editor shows the picture at its own size, 30 px right and 20 px down.
    const RECT image{30, 20, 30 + kW, 20 + kH};
    const RECT client{0, 0, kW + 60, kH + 40};
    CWatermarkEditModel model;
    model.SetSource(&list);
    model.SetView(image, 1.0, client);
    model.SetPushHandler([&](bool) { impl.ResyncEngine(); });
    auto paint = [&] {
        TestFrame frame(kW, kH, std::vector<uint32_t>(kW * kH, 0xFFFFFF));
        EXPECT_EQ(S_OK, impl.DrawInto(frame.F(), frame.PF(), frame.D(), frame.PD(), image, 1.0));
        model.SetRecords(impl.GetRecords());
        return Pixels(frame.rec);
    };
    paint();
    ASSERT_EQ(model.Records().size(), 1u);
    const RECT before = model.Records()[0].rc;
    ASSERT_GT(before.right - before.left, 10);

    // Drag it by a point inside to place its corner at client (130, 90).
    bool capture = false;
    const POINT grab{before.left + 3, before.top + 3};
    model.OnButtonDown(grab, &capture);
    ASSERT_TRUE(capture);
    model.OnMouseMove({130 + 3, 90 + 3});
    model.OnButtonUp();
    EXPECT_EQ(std::make_pair(int(w->x), int(w->y)), std::make_pair(100, 70));
    const std::vector<uint32_t> shown = paint();
    ASSERT_EQ(model.Records().size(), 1u);
    EXPECT_EQ(model.Records()[0].rc.left, 130);
    EXPECT_EQ(model.Records()[0].rc.top, 90);

    // The conversion draws the same node's items onto a frame of the source size.
    CMngFrameFilters conversion;
    conversion.Watermarks().SetProperty(impl.GetFormatNode().Get());
    TestFrame frame(kW, kH, std::vector<uint32_t>(kW * kH, 0xFFFFFF));
    ASSERT_EQ(S_OK, conversion.ConvertForItem(kW, kH, frame.F(), frame.PF(), frame.D(), frame.PD()));
    const std::vector<uint32_t> converted = Pixels(frame.rec);
    size_t marked = 0;
    for (uint32_t p : converted)
        marked += p != 0xFFFFFF;
    EXPECT_GT(marked, 20u) << "the text must show";
    EXPECT_EQ(shown, converted);
    // And nothing of it lies left of or above its new place.
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            if (x < 100 - 2 || y < 70 - 2) {
                ASSERT_EQ(converted[y * kW + x], 0xFFFFFFu) << x << "," << y;
            }
        }
    }
}
