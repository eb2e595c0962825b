// The edit chain built from an output's settings objects is the chain the
// conversion reads back from the job tree the same objects write: one row
// per kind of edit, for the video output (watermarks with their timing) and
// the image output (without).
#include "mediaeng/job/transcode/FrameChainEdit.h"
#include "model/edit/EditChainBuilder.h"
#include "model/job/OutputsProjectDouble.h"
#include "model/source/PropertyAccess.h"
#include "platform/ClassRegistry.h"
#include <functional>
#include <gtest/gtest.h>

namespace {

EditChain BuiltFrom(CFrameFileObj& output)
{
    return BuildEditChain({&output.m_crop, &output.m_eraser, &output.m_filters, &output.m_watermarks});
}

struct Row {
    const char* what;
    bool video;
    std::function<void(CFrameFileObj&)> edit;
};

CWatermarkObj* Text(CFrameFileObj& o)
{
    CWatermarkObj* w = o.m_watermarks.AddTextWatermark();
    w->text = L"Kestrel \u00e9t\u00e9";
    w->placement = 2;
    w->x = 14;
    w->y = 9;
    w->color = 0x12345678;  // more than a colour holds: the engine keeps 0xRRGGBB
    w->font_name = L"DejaVu Sans";
    w->font_size = 31;
    w->font_bold = 1;
    w->font_align = 2;
    w->transparency = 30;
    w->angel = 15;
    w->stroke = 1;
    w->strokecolor = 0x00FF00;
    w->strokewidth = 3;
    w->stroketransparency = 20;
    w->dropshadow = 1;
    w->dropshadowtransparency = 40;
    w->dropshadowsize = 6;
    return w;
}

const Row kRows[] = {
    {"no edits", true, [](CFrameFileObj&) {}},
    {"a turn and both flips", true,
     [](CFrameFileObj& o) {
         o.m_crop.rotate = 3;
         o.m_crop.flip_h = 1;
         o.m_crop.flip_v = 1;
     }},
    {"a turn out of range from a project file", false, [](CFrameFileObj& o) { o.m_crop.rotate = -3; }},
    {"crop margins, one below zero", true,
     [](CFrameFileObj& o) {
         o.m_crop.crop_left = 8;
         o.m_crop.crop_top = 4;
         o.m_crop.crop_right = -5;
         o.m_crop.crop_bottom = 6;
     }},
    {"a blurred eraser with no strength", true,
     [](CFrameFileObj& o) {
         o.m_eraser.eraser_type = ERASER_BLUR;
         o.m_eraser.eraser_left = 10;
         o.m_eraser.eraser_right = 90;
         o.m_eraser.eraser_top = 20;
         o.m_eraser.eraser_bottom = 70;
         o.m_eraser.eraser_strength = 0;
     }},
    {"a pixelating eraser", false,
     [](CFrameFileObj& o) {
         o.m_eraser.eraser_type = ERASER_PIXELATE;
         o.m_eraser.eraser_cell = 5;
     }},
    {"colour filters and levels", true,
     [](CFrameFileObj& o) {
         o.m_filters.brightness = 12;
         o.m_filters.contrast = -20;
         o.m_filters.nagative = 1;
         o.m_filters.cmyk_h = -9;
         o.m_filters.balancem = 33;
         o.m_filters.level = L"10:1.20:240";
     }},
    {"a text watermark with stroke and shadow", true, [](CFrameFileObj& o) { Text(o); }},
    {"a text watermark with timing on the image output", false,
     [](CFrameFileObj& o) {
         CWatermarkObj* w = Text(o);
         w->fadeIn = 1;
         w->timelineAllVideo = 1;
         w->timelineType = 1;
     }},
    {"fades and a range from the start", true,
     [](CFrameFileObj& o) {
         CWatermarkObj* w = Text(o);
         w->fadeIn = 1;
         w->fadeInduration = 3;
         w->fadeOut = 1;
         w->timelineAllVideo = 1;
         w->timelineType = 0;
         w->timelineEndTime = L"0:00:07";
     }},
    {"a range between two times", true,
     [](CFrameFileObj& o) {
         CWatermarkObj* w = Text(o);
         w->timelineAllVideo = 1;
         w->timelineType = 1;
         w->timelineStartTime = L"0:00:02";
         w->timelineEndTime = L"0:00:05.50";
     }},
    {"a range counted from the end", true,
     [](CFrameFileObj& o) {
         CWatermarkObj* w = Text(o);
         w->timelineAllVideo = 1;
         w->timelineType = 2;
         w->timelineDurationTime = L"0:00:03";
         w->timelineOffsetTime = L"0:00:01";
     }},
    {"a picture watermark resized", true,
     [](CFrameFileObj& o) {
         CWatermarkObj* w = o.m_watermarks.AddImageWatermark();
         w->path = L"/tmp/logo.png";
         w->resize = L"64x32";
     }},
    {"a media watermark", true, [](CFrameFileObj& o) { o.m_watermarks.AddWatermarkKind4()->path = L"/tmp/clip.mp4"; }},
    {"two shapes in their order", false,
     [](CFrameFileObj& o) {
         CWatermarkObj* frame = o.m_watermarks.AddWatermarkKind3();
         frame->figure_type = 0;
         frame->border = 5;
         frame->stretching = 1;
         CWatermarkObj* round = o.m_watermarks.AddWatermarkKind2();
         round->curve = 40;
         round->width = 70;
         round->height = 30;
         round->color = 0x0000FF;
     }},
};

}  // namespace

TEST(EditChainBuilder, BuildsFromTheSettingsTheChainTheConversionReadsFromItsJob)
{
    CoInitialize();
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.what);
        OutputsProject project;
        ASSERT_EQ(S_OK, CoCreate(CLSID_ConversionJob, project.m_job));
        project.video.is_create = row.video ? 1 : 0;
        project.image.is_create = row.video ? 0 : 1;
        CFrameFileObj& output = row.video ? static_cast<CFrameFileObj&>(project.video) : project.image;
        row.edit(output);
        const EditChain built = BuiltFrom(output);

        ASSERT_EQ(S_OK, project.TransferOutput());
        ComPtr<IUnknown> format;
        project.GetFormatNode(format.ReleaseAndGetAddressOf());
        ASSERT_TRUE(format);
        const EditChain read = mediaeng::job::ReadEditChain(QueryNode(format.Get()).Get());

        EXPECT_TRUE(built == read);
        EXPECT_EQ(built.watermarks.size(), output.m_watermarks.GetCount());
        EXPECT_EQ(built.IsIdentity(), std::string(row.what) == "no edits") << "the row's edit must show in the chain";
        EXPECT_EQ(read.IsIdentity(), built.IsIdentity());
        // Field by field, so a failure names what differs.
        EXPECT_EQ(built.rotateDegrees, read.rotateDegrees);
        EXPECT_EQ(built.flipH, read.flipH);
        EXPECT_EQ(built.flipV, read.flipV);
        EXPECT_EQ(built.crop.left, read.crop.left);
        EXPECT_EQ(built.crop.right, read.crop.right);
        EXPECT_TRUE(built.eraser == read.eraser);
        EXPECT_TRUE(built.filters == read.filters);
        for (size_t i = 0; i < std::min(built.watermarks.size(), read.watermarks.size()); ++i) {
            const WatermarkItemDesc& b = built.watermarks[i].desc;
            const WatermarkItemDesc& r = read.watermarks[i].desc;
            EXPECT_EQ(b.kind, r.kind) << i;
            EXPECT_EQ(b.color, r.color) << i;
            EXPECT_TRUE(b.text == r.text) << i;
            EXPECT_TRUE(b.stroke == r.stroke) << i;
            EXPECT_TRUE(b.shadow == r.shadow) << i;
            EXPECT_EQ(b.fadeIn, r.fadeIn) << i;
            EXPECT_EQ(b.fadeOut, r.fadeOut) << i;
            EXPECT_TRUE(b.timeline == r.timeline) << i;
            EXPECT_TRUE(b.path == r.path) << i;
            EXPECT_TRUE(b == r) << i;
            EXPECT_EQ(built.watermarks[i].key, output.m_watermarks.GetAt(static_cast<DWORD>(i))->GetId());
        }
    }
}

// The equality the table rests on tells the rows' edits apart; the image
// output's watermarks alone drop their timing.
TEST(EditChainBuilder, ChainsOfDifferentEditsDiffer)
{
    std::vector<EditChain> chains;
    for (const Row& row : kRows) {
        OutputsProject project;
        CFrameFileObj& output = row.video ? static_cast<CFrameFileObj&>(project.video) : project.image;
        row.edit(output);
        chains.push_back(BuiltFrom(output));
    }
    const std::string plain = "a text watermark with stroke and shadow";
    const std::string untimed = "a text watermark with timing on the image output";
    for (size_t i = 0; i < chains.size(); ++i)
        for (size_t j = i + 1; j < chains.size(); ++j)
            EXPECT_EQ(chains[i] == chains[j], kRows[i].what == plain && kRows[j].what == untimed)
                << kRows[i].what << " / " << kRows[j].what;
}
