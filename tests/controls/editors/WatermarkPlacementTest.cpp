// The watermark editor's engine side: the chain built from the list draws its
// watermarks in the list's order, and a watermark placed in the editor is
// drawn on the same pixels as the conversion draws it.
#include "controls/editors/WatermarkEditModel.h"
#include "engine/EditChainRunner.h"
#include "mediaeng/frame/TestFrames.h"
#include "model/edit/EditChainBuilder.h"
#include "model/edit/WatermarksObj.h"
#include <gtest/gtest.h>

namespace {

constexpr int kW = 320, kH = 240;

// The preview's last steps on a picture shown at its own size at image.
std::vector<WATERMARK_RECORD> ShowMarks(CEditChainRunner& preview, CWatermarksObj& list, const RECT& image,
                                        std::vector<uint32_t>* pixels = nullptr)
{
    preview.SetChain(BuildEditChain({.watermarks = &list}));
    TestFrame frame(kW, kH, std::vector<uint32_t>(kW * kH, 0xFFFFFF));
    EXPECT_EQ(S_OK, preview.FinishShown(frame.rec, image, 1.0));
    if (pixels)
        *pixels = Pixels(frame.rec);
    return preview.MarkRecords();
}

std::vector<WatermarkId> DrawnIds(CEditChainRunner& preview, CWatermarksObj& list)
{
    std::vector<WatermarkId> ids;
    for (const WATERMARK_RECORD& r : ShowMarks(preview, list, {0, 0, kW, kH}))
        ids.push_back(r.key);
    return ids;
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

TEST(WatermarkPlacement, TheChainDrawsTheListInItsOrder)
{
    CWatermarksObj list;
    const WatermarkId a = AddText(list, L"A", 10, 10)->GetId();
    const WatermarkId b = AddText(list, L"B", 60, 10)->GetId();
    const WatermarkId c = AddText(list, L"C", 110, 10)->GetId();
    CEditChainRunner preview(CEditChainRunner::Use::Preview);
    EXPECT_EQ(DrawnIds(preview, list), (std::vector<WatermarkId>{a, b, c}));
    list.MoveUp(b);
    EXPECT_EQ(DrawnIds(preview, list), (std::vector<WatermarkId>{b, a, c}));
    list.MoveDown(a);
    EXPECT_EQ(DrawnIds(preview, list), (std::vector<WatermarkId>{b, c, a}));
    list.RemoveById(c);
    EXPECT_EQ(DrawnIds(preview, list), (std::vector<WatermarkId>{b, a}));
}

TEST(WatermarkPlacement, AWatermarkPlacedInTheEditorLandsOnTheConvertedPixels)
{
    CWatermarksObj list;
    CWatermarkObj* w = AddText(list, L"Kestrel", 0, 0);
    CEditChainRunner preview(CEditChainRunner::Use::Preview);

    // The editor shows the picture at its own size, 30 px right and 20 px down.
    const RECT image{30, 20, 30 + kW, 20 + kH};
    const RECT client{0, 0, kW + 60, kH + 40};
    CWatermarkEditModel model;
    model.SetSource(&list);
    model.SetView(image, 1.0, client);
    std::vector<uint32_t> shown;
    model.SetRecords(ShowMarks(preview, list, image));
    ASSERT_EQ(model.Records().size(), 1u);
    const RECT before = model.Records()[0].rc;
    ASSERT_GT(before.right - before.left, 10);

    // Drag it by a point inside to place its corner at client (130, 90); the
    // next paint builds the chain from the moved watermark.
    bool capture = false;
    const POINT grab{before.left + 3, before.top + 3};
    model.OnButtonDown(grab, &capture);
    ASSERT_TRUE(capture);
    model.OnMouseMove({130 + 3, 90 + 3});
    model.OnButtonUp();
    EXPECT_EQ(std::make_pair(int(w->x), int(w->y)), std::make_pair(100, 70));
    model.SetRecords(ShowMarks(preview, list, image, &shown));
    ASSERT_EQ(model.Records().size(), 1u);
    EXPECT_EQ(model.Records()[0].rc.left, 130);
    EXPECT_EQ(model.Records()[0].rc.top, 90);

    // The conversion runs the same chain on a frame of the source size.
    CEditChainRunner conversion(CEditChainRunner::Use::Conversion);
    conversion.SetChain(BuildEditChain({.watermarks = &list}));
    TestFrame frame(kW, kH, std::vector<uint32_t>(kW * kH, 0xFFFFFF));
    ASSERT_EQ(S_OK, conversion.Finish(frame.rec, 0));
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
