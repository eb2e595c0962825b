// The writers against the engine's own job tree: every name they write is one
// the engine holds, and the values arrive.
#include "engine/EngineNode.h"
#include "model/edit/CropObj.h"
#include "model/edit/EraserObj.h"
#include "model/edit/FiltersObj.h"
#include "model/edit/WatermarkObj.h"
#include "model/source/PropertyAccess.h"
#include "platform/ClassRegistry.h"
#include <gtest/gtest.h>

namespace {
// Element index of the named collection.
ComPtr<IUnknown> Item(IUnknown* object, const wchar_t* name, LONG index)
{
    ComPtr<IUnknown> item;
    if (ComPtr<IEngineCollection> items = QueryCollection(GetNodeItem(object, name).Get()))
        items->GetItem(index, item.ReleaseAndGetAddressOf());
    return item;
}

// Settings node of the named switch.
ComPtr<IUnknown> Child(IUnknown* object, const wchar_t* name)
{
    ComPtr<IUnknown> child;
    if (ComPtr<IEngineProperty> p = GetNodeItem(object, name).As<IEngineProperty>())
        p->GetChildNode(child.ReleaseAndGetAddressOf());
    return child;
}

class EngineTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoCreateInstance(CLSID_ConversionJob, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                         job.ReleaseAndGetVoidAddress());
        ASSERT_TRUE(job) << "the engine offers no conversion job";
        format = Item(Item(job.Get(), L"Profiles", 0).Get(), L"Formats", 0);
        ASSERT_TRUE(format);
    }
    ComPtr<IUnknown> job;
    ComPtr<IUnknown> format;
};
}

TEST_F(EngineTree, CropEraserAndFiltersArriveInTheFormatNode)
{
    CCropObj crop;
    crop.rotate = 3;
    crop.flip_v = 1;
    crop.crop_top = 12;
    CCropObj::WriteEngineValues(crop, format.Get());
    CEraserObj eraser;
    eraser.eraser_type = 2;
    eraser.eraser_strength = 0;
    CEraserObj::WriteEngineValues(eraser, format.Get());
    CFiltersObj filters;
    filters.cmyk_h = -9;
    filters.level = L"4:0.5";
    filters.TransferToFormat(format.Get());

    EXPECT_EQ(GetSourceProperty(format.Get(), L"Rotate").AsInt(), 3);
    EXPECT_EQ(GetSourceProperty(format.Get(), L"FlipV").AsInt(), 1);
    EXPECT_EQ(GetSourceProperty(format.Get(), L"Crop_Top").AsInt(), 12);
    EXPECT_EQ(GetSourceProperty(format.Get(), L"EraserType").AsInt(), 2);
    EXPECT_EQ(GetSourceProperty(format.Get(), L"EraserStrength").AsInt(), 1);
    ComPtr<IUnknown> filterItem = Item(format.Get(), L"Filters", 0);
    EXPECT_EQ(GetSourceProperty(filterItem.Get(), L"CMYK_K").AsInt(), -9);
    EXPECT_EQ(GetSourceProperty(filterItem.Get(), L"LevelMinBlue").AsInt(), 4);
    EXPECT_EQ(GetSourceProperty(filterItem.Get(), L"LevelMaxBlue").AsInt(), 255);
    EXPECT_DOUBLE_EQ(GetSourceProperty(filterItem.Get(), L"LevelMaxBlue_Middle").AsDouble(), 0.5);
}

TEST_F(EngineTree, WatermarkItemReceivesValuesOutlineShadowAndTimeRange)
{
    CWatermarkObj w(2, 1);
    w.x = 21;
    w.color = 0x00FF8040;
    w.stroke = 1;
    w.stroketransparency = 30;
    w.dropshadow = 1;
    w.dropshadowsize = 6;
    w.fadeIn = 1;
    w.fadeInduration = 3;
    w.timelineAllVideo = 1;
    w.timelineType = 1;
    w.timelineStartTime = L"0:00:05";
    w.CreateEngineWatermark(format.Get(), 0);
    IUnknown* item = w.GetEngineItem();
    ASSERT_TRUE(item);
    EXPECT_EQ(GetSourceProperty(item, L"posX").AsInt(), 21);
    EXPECT_EQ(GetSourceProperty(item, L"Color").AsString(), L"0x4080FF");
    EXPECT_EQ(GetSourceProperty(item, L"FadeIn").AsInt(), 3);
    EXPECT_EQ(GetSourceProperty(Child(item, L"Stroke").Get(), L"Opacity").AsInt(), 70);
    EXPECT_EQ(GetSourceProperty(Child(item, L"DropShadow").Get(), L"Size").AsInt(), 6);
    ComPtr<IUnknown> range = Item(item, L"Timelines", 0);
    EXPECT_EQ(GetSourceProperty(range.Get(), L"StartTime").AsString(), L"0:00:05");
    EXPECT_EQ(GetSourceProperty(range.Get(), L"EndOfFile").AsInt(), 0);
}
