// The watermark renderer: placement by anchor, blending, fades and time
// ranges, text, pictures, zoom for the editor, and bad items skipped.
#include "../frame/TestFrames.h"
#include "TestBmp.h"
#include "engine/FrameFilters.h"
#include "engine/MsgMng.h"
#include "engine/WatermarkEngine.h"
#include "mediaeng/watermark/WatermarkTiming.h"
#include <gtest/gtest.h>
#include <mutex>

namespace {

// Identity of an item as the editor sees it.
class CTestItem : public CComObjectBase<IUnknown> {};

WatermarkItemDesc Shape(int w, int h, int posType, int x, int y)
{
    WatermarkItemDesc d;
    d.kind = WATERMARK_RECT;
    d.width = w;
    d.height = h;
    d.posType = posType;
    d.posX = x;
    d.posY = y;
    d.color = RGB(255, 255, 255);
    d.rectType = 2;
    return d;
}

// Draws the items onto a black w x h frame the way a conversion does.
struct Drawn {
    std::vector<uint32_t> pixels;
    std::vector<WATERMARK_RECORD> records;
};

Drawn DrawOnBlack(const std::vector<WatermarkItemDesc>& descs, int w = 32, int h = 24, double seconds = 0,
                  double duration = 0)
{
    CMngFrameFilters m;
    std::vector<WatermarkEntry> items;
    for (const WatermarkItemDesc& d : descs) items.push_back({MakeComObject<CTestItem>(), d});
    m.Watermarks().SetItems(items);
    TestFrame f(w, h, Uniform(w, h, 0));
    EXPECT_EQ(S_OK, m.ConvertForItem(w, h, f.F(), f.PF(), f.D(), f.PD(), nullptr, REFERENCE_TIME(seconds * 1e7),
                                     REFERENCE_TIME(duration * 1e7)));
    EXPECT_NE(f.data.data(), f.rec.pbData);  // drawn on a copy, the source stays clean
    EXPECT_EQ(Uniform(w, h, 0), Pixels(TestFrame(w, h, Uniform(w, h, 0)).rec));
    return {Pixels(f.rec), m.Watermarks().GetRecords()};
}

bool Inside(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

TEST(WatermarkEngine, AnchorsPlaceTheItemAndEveryOtherPixelStays)
{
    struct Case {
        int anchor;
        RECT want;
    };
    const Case cases[] = {{0, {3, 3, 7, 5}}, {4, {11, 8, 15, 10}}, {8, {25, 19, 29, 21}}};
    for (const Case& c : cases) {
        const Drawn d = DrawOnBlack({Shape(4, 2, c.anchor, 3, 3)});
        ASSERT_EQ(1u, d.records.size());
        const RECT& r = d.records[0].rc;
        EXPECT_EQ(c.want.left, r.left) << c.anchor;
        EXPECT_EQ(c.want.top, r.top) << c.anchor;
        EXPECT_EQ(c.want.right, r.right) << c.anchor;
        EXPECT_EQ(c.want.bottom, r.bottom) << c.anchor;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 32; ++x)
                ASSERT_EQ(Inside(c.want, x, y) ? 0xFFFFFFu : 0u, d.pixels[y * 32 + x]) << c.anchor << " " << x << "," << y;
    }
}

TEST(WatermarkEngine, TransparencyOfHalfBlendsHalfway)
{
    WatermarkItemDesc d = Shape(4, 2, 0, 0, 0);
    d.transparency = 50;
    const Drawn out = DrawOnBlack({d});
    EXPECT_EQ(0x808080u, out.pixels[0]);
    EXPECT_EQ(0u, out.pixels[4]);
    d.transparency = 100;
    EXPECT_EQ(0u, DrawOnBlack({d}).pixels[0]);
    d.transparency = -40;  // out of range: opaque
    EXPECT_EQ(0xFFFFFFu, DrawOnBlack({d}).pixels[0]);
}

TEST(WatermarkEngine, FadeInAndOutSetTheStrength)
{
    WatermarkItemDesc d = Shape(4, 2, 0, 0, 0);
    d.fadeIn = 2;
    d.fadeOut = 4;
    EXPECT_EQ(0x808080u, DrawOnBlack({d}, 32, 24, 1.0, 10.0).pixels[0]);   // half way into the fade-in
    EXPECT_EQ(0xFFFFFFu, DrawOnBlack({d}, 32, 24, 5.0, 10.0).pixels[0]);
    EXPECT_EQ(0x404040u, DrawOnBlack({d}, 32, 24, 9.0, 10.0).pixels[0]);   // a quarter of the fade-out left
    EXPECT_EQ(0u, DrawOnBlack({d}, 32, 24, 0.0, 10.0).pixels[0]);
}

TEST(WatermarkTiming, RangesOfTheThreeTypes)
{
    using mediaeng::watermark::SpanOf;
    using mediaeng::watermark::TimingAlpha;
    WatermarkItemDesc d;
    EXPECT_DOUBLE_EQ(1.0, TimingAlpha(d, 123.0, 0));  // no range: always
    d.timeline.enabled = 1;
    d.timeline = {1, L"0.0", L"0:00:10", 1, 0, 0};     // to the end of the file
    EXPECT_DOUBLE_EQ(60.0, SpanOf(d, 60.0).end);
    d.timeline = {1, L"0:00:05", L"0:00:10", 0, 0, 0};  // from 5 s to 10 s
    EXPECT_DOUBLE_EQ(0.0, TimingAlpha(d, 4.9, 60));
    EXPECT_DOUBLE_EQ(1.0, TimingAlpha(d, 7.0, 60));
    EXPECT_DOUBLE_EQ(0.0, TimingAlpha(d, 10.1, 60));
    d.timeline = {1, L"0:00:10", L"0:00:05", 0, 1, 1};  // 10 s long, ending 5 s before the end
    EXPECT_DOUBLE_EQ(45.0, SpanOf(d, 60.0).start);
    EXPECT_DOUBLE_EQ(55.0, SpanOf(d, 60.0).end);
    EXPECT_DOUBLE_EQ(1.0, TimingAlpha(d, 30.0, 0));  // unknown length: shown throughout
    d.timeline = {1, L"junk", L"1:00:00:00", 0, 0, 0};
    EXPECT_DOUBLE_EQ(1.0, TimingAlpha(d, 0.0, 60));  // unreadable texts count as 0 s... to 0 s
    EXPECT_DOUBLE_EQ(0.0, TimingAlpha(d, 1.0, 60));
}

TEST(WatermarkValues, ColourAndTimeTexts)
{
    EXPECT_EQ(RGB(255, 0, 0), ParseWatermarkColor(L"0xFF0000"));
    EXPECT_EQ(RGB(0, 0, 255), ParseWatermarkColor(L"0x0000FF"));
    EXPECT_EQ(RGB(1, 2, 3), ParseWatermarkColor(L"197121"));
    EXPECT_EQ(7u, ParseWatermarkColor(L"0xZZ", 7));
    EXPECT_EQ(7u, ParseWatermarkColor(L"0x1000000", 7));
    EXPECT_DOUBLE_EQ(10.0, ParseWatermarkTime(L"0:00:10"));
    EXPECT_DOUBLE_EQ(3723.25, ParseWatermarkTime(L"1:02:03.25"));
    EXPECT_DOUBLE_EQ(1.5, ParseWatermarkTime(L"1.5"));
    EXPECT_DOUBLE_EQ(-1, ParseWatermarkTime(L""));
    EXPECT_DOUBLE_EQ(-1, ParseWatermarkTime(L"-3"));
    EXPECT_DOUBLE_EQ(-1, ParseWatermarkTime(L"1:x"));
}

TEST(WatermarkEngine, EditorZoomAndOriginGiveClientRectangles)
{
    CWatermarkEngine e;
    ComPtr<IUnknown> id = MakeComObject<CTestItem>();
    e.SetItems({{id, Shape(8, 4, 0, 4, 2)}});
    const RECT image{50, 40, 50 + 16, 40 + 12};
    e.SetImageSize(image, 2.0, SIZE{16, 12});  // a 32x24 picture shown at half size
    TestFrame client(100, 80, Uniform(100, 80, 0));
    tag_DRAW_WATERMARK_INFO info;
    info.dZoom = 0.5;
    ASSERT_EQ(S_OK, e.Draw(client.F(), client.PF(), client.D(), client.PD(), &info));
    const auto recs = e.GetRecords();
    ASSERT_EQ(1u, recs.size());
    EXPECT_EQ(id.Get(), recs[0].pItem);
    EXPECT_EQ(52, recs[0].rc.left);
    EXPECT_EQ(41, recs[0].rc.top);
    EXPECT_EQ(56, recs[0].rc.right);
    EXPECT_EQ(43, recs[0].rc.bottom);
    EXPECT_EQ(0xFFFFFFu, PixelAt(client.rec, 52, 41));
    EXPECT_EQ(0u, PixelAt(client.rec, 51, 41));
    // The same with the picture alone as the target: its pixel (0,0) is client (50,40).
    TestFrame picture(16, 12, Uniform(16, 12, 0));
    info.nOriginX = 50;
    info.nOriginY = 40;
    ASSERT_EQ(S_OK, e.Draw(picture.F(), picture.PF(), picture.D(), picture.PD(), &info));
    EXPECT_EQ(52, e.GetRecords()[0].rc.left);
    EXPECT_EQ(0xFFFFFFu, PixelAt(picture.rec, 2, 1));
    EXPECT_EQ(0u, PixelAt(picture.rec, 1, 1));
}

TEST(WatermarkEngine, AngleTurnsTheBoxAndTheShadowFallsOutsideIt)
{
    WatermarkItemDesc d = Shape(8, 2, 0, 4, 4);
    d.angle = 90;
    Drawn out = DrawOnBlack({d});
    ASSERT_EQ(1u, out.records.size());
    EXPECT_EQ(2, out.records[0].rc.right - out.records[0].rc.left);
    EXPECT_EQ(8, out.records[0].rc.bottom - out.records[0].rc.top);

    d = Shape(6, 6, 0, 4, 4);
    d.color = RGB(255, 255, 255);
    d.shadow.enabled = 1;
    d.shadow.color = RGB(255, 0, 0);
    d.shadow.opacity = 100;
    d.shadow.size = 0;
    d.shadow.distance = 4;
    d.shadow.angle = 0;  // straight to the right
    out = DrawOnBlack({d});
    ASSERT_EQ(1u, out.records.size());
    EXPECT_EQ(4, out.records[0].rc.left);
    EXPECT_EQ(10, out.records[0].rc.right);
    EXPECT_EQ(0xFFFFFFu, out.pixels[6 * 32 + 6]);
    EXPECT_EQ(0xFF0000u, out.pixels[6 * 32 + 12]);  // shadow beyond the box
    EXPECT_EQ(0u, out.pixels[6 * 32 + 15]);
}

TEST(WatermarkEngine, TextOfAnyScriptRendersInsideItsBox)
{
    WatermarkItemDesc d;
    d.kind = WATERMARK_TEXT;
    d.text = L"Kestrel \u00e9\u2713 \u6c34";
    d.fontSize = 12;
    d.color = RGB(255, 255, 255);
    d.posType = 0;
    d.posX = 2;
    d.posY = 2;
    for (const wchar_t* font : {L"DejaVu Sans", L"No Such Font Anywhere"}) {
        d.fontName = font;
        d.fontBold = 1;
        d.fontUnderline = 1;
        d.stroke.enabled = 1;
        const Drawn out = DrawOnBlack({d}, 200, 40);
        ASSERT_EQ(1u, out.records.size());
        const RECT r = out.records[0].rc;
        EXPECT_GT(r.right - r.left, 40);
        int lit = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 200; ++x)
                if (out.pixels[y * 200 + x]) {
                    ++lit;
                    EXPECT_TRUE(Inside(r, x, y)) << x << "," << y;
                }
        EXPECT_GT(lit, 50);
    }
    d.text.clear();
    EXPECT_TRUE(DrawOnBlack({d}).records.empty());
}

class CCapture : public CComObjectBase<IMsgHandler> {
public:
    HRESULT OnTextMessage(const wchar_t* text, DWORD flags) override
    {
        std::lock_guard<std::mutex> lk(m);
        texts.emplace_back(text ? text : L"");
        lastFlags = flags;
        return S_OK;
    }
    HRESULT OnNotifyMessage(DWORD, DWORD, DWORD) override { return S_OK; }
    std::mutex m;
    std::vector<std::wstring> texts;
    DWORD lastFlags = 0;
};

TEST(WatermarkEngine, PictureWithItsSizeAndAMissingOneSkippedWithOneWarning)
{
    const std::vector<uint32_t> px = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    WatermarkItemDesc d;
    d.kind = WATERMARK_PICTURE;
    d.path = WriteBmp("wm.bmp", 2, 2, px).wstring();
    d.posType = 0;
    d.posX = 1;
    d.posY = 1;
    Drawn out = DrawOnBlack({d});
    ASSERT_EQ(1u, out.records.size());
    EXPECT_EQ(3, out.records[0].rc.right);
    EXPECT_EQ(px[0], out.pixels[1 * 32 + 1]);
    EXPECT_EQ(px[1], out.pixels[1 * 32 + 2]);
    EXPECT_EQ(px[2], out.pixels[2 * 32 + 1]);
    EXPECT_EQ(px[3], out.pixels[2 * 32 + 2]);
    d.resize = L"300%";
    EXPECT_EQ(7, DrawOnBlack({d}).records[0].rc.right);
    d.resize = L"5x4";
    out = DrawOnBlack({d});
    EXPECT_EQ(5, out.records[0].rc.right - out.records[0].rc.left);
    EXPECT_EQ(4, out.records[0].rc.bottom - out.records[0].rc.top);

    ComPtr<CCapture> capture = MakeComObject<CCapture>();
    IMsgHandler* previous = __SetMessageHandler(capture.Get());
    d.path = L"/no/such/picture.png";
    CMngFrameFilters m;
    m.Watermarks().SetItems({{MakeComObject<CTestItem>(), d}, {MakeComObject<CTestItem>(), Shape(2, 2, 0, 0, 0)}});
    for (int i = 0; i < 3; ++i) {
        TestFrame f(32, 24, Uniform(32, 24, 0));
        ASSERT_EQ(S_OK, m.ConvertForItem(32, 24, f.F(), f.PF(), f.D(), f.PD()));
        EXPECT_EQ(0xFFFFFFu, PixelAt(f.rec, 0, 0));  // the other item still drawn
    }
    __SetMessageHandler(previous);
    EXPECT_EQ(1u, m.Watermarks().GetRecords().size());
    ASSERT_EQ(1u, capture->texts.size());
    EXPECT_NE(std::wstring::npos, capture->texts[0].find(L"/no/such/picture.png"));
    EXPECT_TRUE(capture->lastFlags & MSGF_WARNING);
}

TEST(WatermarkEngine, AMissingFontIsReplacedWithOneWarning)
{
    ComPtr<CCapture> capture = MakeComObject<CCapture>();
    IMsgHandler* previous = __SetMessageHandler(capture.Get());
    WatermarkItemDesc d;
    d.kind = WATERMARK_TEXT;
    d.text = L"abc";
    d.fontName = L"No Such Font Anywhere";
    WatermarkItemDesc installed = d;
    installed.fontName = L"DejaVu Sans";
    CMngFrameFilters m;
    m.Watermarks().SetItems({{MakeComObject<CTestItem>(), d}, {MakeComObject<CTestItem>(), installed}});
    for (int i = 0; i < 2; ++i) {
        TestFrame f(64, 24, Uniform(64, 24, 0));
        ASSERT_EQ(S_OK, m.ConvertForItem(64, 24, f.F(), f.PF(), f.D(), f.PD()));
    }
    __SetMessageHandler(previous);
    EXPECT_EQ(2u, m.Watermarks().GetRecords().size());
    ASSERT_EQ(1u, capture->texts.size());
    EXPECT_NE(std::wstring::npos, capture->texts[0].find(L"No Such Font Anywhere"));
}

TEST(WatermarkEngine, UntrustedValuesAreClampedNotTrusted)
{
    WatermarkItemDesc huge = Shape(1 << 30, -5, 99, 1 << 30, -(1 << 30));
    huge.border = 1000;
    huge.round = -50;
    huge.fontSize = 1 << 20;
    huge.resize = L"99999999%";
    WatermarkItemDesc text = huge;
    text.kind = WATERMARK_TEXT;
    text.text = L"x";
    text.resize = L"0x0";
    const Drawn out = DrawOnBlack({huge, text}, 8, 6);
    EXPECT_EQ(2u, out.records.size());

    // Offsets at the ends of their type under the largest zoom land far away, drawing nothing.
    CWatermarkEngine e;
    e.SetItems({{MakeComObject<CTestItem>(), Shape(4, 4, 0, 0x7FFFFFFF, -0x7FFFFFFF - 1)}});
    TestFrame f(8, 6, Uniform(8, 6, 0));
    tag_DRAW_WATERMARK_INFO info;
    info.dZoom = 1e9;
    ASSERT_EQ(S_OK, e.Draw(f.F(), f.PF(), f.D(), f.PD(), &info));
    EXPECT_EQ(Uniform(8, 6, 0), Pixels(f.rec));
}

}  // namespace
