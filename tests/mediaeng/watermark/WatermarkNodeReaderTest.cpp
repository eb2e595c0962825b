// Reading what the watermark settings write into engine items, and the
// frame-filter values of a job's filter item, through the engine's nodes.
#include "engine/EngineInit.h"
#include "engine/EngineNode.h"
#include "engine/FrameFilters.h"
#include "mediaeng/frame/FrameFilterSettingsObj.h"
#include "mediaeng/watermark/WatermarkNodeReader.h"
#include "platform/ClassRegistry.h"
#include <gtest/gtest.h>

namespace {

ComPtr<IEngineNode> SwitchChild(IEngineNode* item, const wchar_t* name)
{
    ComPtr<IUnknown> p;
    if (FAILED(item->GetItem(name, p.ReleaseAndGetAddressOf())) || !p) return nullptr;
    ComPtr<IEngineProperty> prop = p.As<IEngineProperty>();
    ComPtr<IUnknown> child;
    if (!prop || FAILED(prop->GetChildNode(child.ReleaseAndGetAddressOf())) || !child) return nullptr;
    return child.As<IEngineNode>();
}

TEST(WatermarkNodeReader, ReadsAnItemAsTheSettingsWriteIt)
{
    EngineInitialize();
    CoInitialize();
    ComPtr<IEngineNode> item;
    ASSERT_EQ(S_OK, CoCreate(CLSID_WatermarkItem2, item));
    item->SetValue(L"posType", CVariant(int32_t{4}));
    item->SetValue(L"posX", CVariant(int32_t{-7}));
    item->SetValue(L"Width", CVariant(int32_t{120}));
    item->SetValue(L"Round", CVariant(int32_t{30}));
    item->SetValue(L"Color", CVariant(L"0x0000FF"));
    item->SetValue(L"Resize", CVariant(L"50%"));
    item->SetValue(L"FadeIn", CVariant(int32_t{3}));
    item->SetValue(L"Stroke", CVariant(int32_t{1}));
    if (ComPtr<IEngineNode> stroke = SwitchChild(item.Get(), L"Stroke")) {
        stroke->SetValue(L"Color", CVariant(L"0xFF0000"));
        stroke->SetValue(L"Opacity", CVariant(int32_t{70}));
    }
    WatermarkItemDesc d;
    ASSERT_TRUE(mediaeng::watermark::ReadWatermarkItem(item.Get(), d));
    EXPECT_EQ(WATERMARK_ROUNDRECT, d.kind);
    EXPECT_EQ(4, d.posType);
    EXPECT_EQ(-7, d.posX);
    EXPECT_EQ(120, d.width);
    EXPECT_EQ(30, d.round);
    EXPECT_EQ(RGB(0, 0, 255), d.color);
    EXPECT_EQ(L"50%", d.resize);
    EXPECT_EQ(3, d.fadeIn);
    EXPECT_EQ(1, d.stroke.enabled);
    EXPECT_EQ(RGB(255, 0, 0), d.stroke.color);
    EXPECT_EQ(70, d.stroke.opacity);
    EXPECT_EQ(1, d.timeline.enabled);  // the item's one range, untouched: the whole file
    EXPECT_EQ(1, d.timeline.endOfFile);
}

ComPtr<IEngineNode> Child(IEngineNode* n, const wchar_t* name, LONG index = -1)
{
    ComPtr<IUnknown> c;
    if (!n || FAILED(n->GetItem(name, c.ReleaseAndGetAddressOf())) || !c) return nullptr;
    if (index < 0) return c.As<IEngineNode>();
    ComPtr<IEngineCollection> coll = c.As<IEngineCollection>();
    ComPtr<IUnknown> item;
    if (!coll || FAILED(coll->GetItem(index, item.ReleaseAndGetAddressOf())) || !item) return nullptr;
    return item.As<IEngineNode>();
}

TEST(WatermarkNodeReader, FormatNodeOfAJobGivesItsWatermarksAndFilters)
{
    EngineInitialize();
    CoInitialize();
    ComPtr<IEngineNode> job;
    ASSERT_EQ(S_OK, CoCreate(CLSID_ConversionJob, job));
    ComPtr<IEngineNode> format = Child(Child(job.Get(), L"Profiles", 0).Get(), L"Formats", 0);
    ASSERT_TRUE(format);
    ComPtr<IUnknown> marks;
    ASSERT_EQ(S_OK, format->GetItem(L"Watermarks", marks.ReleaseAndGetAddressOf()));
    ComPtr<IFilesNode> files = marks.As<IFilesNode>();
    ASSERT_TRUE(files);
    ComPtr<IUnknown> text, rect;
    ASSERT_EQ(S_OK, files->CreateItem(CLSID_WatermarkItem0, text.ReleaseAndGetAddressOf()));
    ASSERT_EQ(S_OK, files->CreateItem(CLSID_WatermarkItem3, rect.ReleaseAndGetAddressOf()));
    text.As<IEngineNode>()->SetValue(L"Text", CVariant(L"hello"));

    CWatermarkEngine engine;
    ASSERT_EQ(S_OK, engine.SetProperty(format.Get()));
    EXPECT_FALSE(engine.IsEmpty());
    std::vector<WatermarkEntry> items;
    ASSERT_EQ(S_OK, mediaeng::watermark::ReadWatermarkItems(format.Get(), items));
    ASSERT_EQ(2u, items.size());
    EXPECT_EQ(text.Get(), items[0].item.Get());  // identity kept for the editor
    EXPECT_EQ(L"hello", items[0].desc.text);
    EXPECT_EQ(WATERMARK_RECT, items[1].desc.kind);
    EXPECT_EQ(S_OK, engine.SetProperty(nullptr));
    EXPECT_TRUE(engine.IsEmpty());

    ComPtr<IEngineNode> filter = Child(format.Get(), L"Filters", 0);
    ASSERT_TRUE(filter);
    filter->SetValue(L"COLOR_BRIGHTNESS", CVariant(int32_t{40}));
    filter->SetValue(L"LevelMaxBlue_Middle", CVariant(0.5));
    FrameFilterSettings values;
    ASSERT_TRUE(mediaeng::frame::ReadFilterObject(filter.Get(), values));
    EXPECT_EQ(40, values.brightness);
    EXPECT_DOUBLE_EQ(0.5, values.levelMiddle[2]);
    EXPECT_EQ(255, values.levelMax[0]);
}

TEST(FrameFilterClass, TheClassIdMakesTheLockedSettingsObject)
{
    EngineInitialize();
    CoInitialize();
    ComPtr<IFrameFilterSettings> settings;
    EXPECT_EQ(S_OK, CoCreate(CLSID_FrameFilters, settings));
}

}  // namespace
