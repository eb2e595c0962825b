#include "RecordingNode.h"
#include "SchemaProbe.h"
#include "engine/EngineIds.h"
#include "engine/FrameFilterSettings.h"
#include "model/config/ConfigMng.h"
#include "model/edit/FiltersObj.h"
#include "model/source/PropertyAccess.h"
#include <gtest/gtest.h>

using namespace editing_test;

namespace {
const std::vector<std::wstring> kIntegerWrites = {
    L"IsAutoLevel", L"IsAutoContrast", L"IsSharpen", L"IsSoften", L"IsImageNegative", L"IsImageGrayscale",
    L"IsAutoEnhance", L"IsDeInterlace", L"COLOR_BRIGHTNESS", L"COLOR_CONSTRAST", L"Gamma", L"RGB_RED",
    L"RGB_GREEN", L"RGB_BLUE", L"COLOR_BALANSE_RED", L"COLOR_BALANSE_GREEN", L"COLOR_BALANSE_BLUE",
    L"PreserveLuminosity", L"Range", L"COLOR_Y", L"COLOR_U", L"COLOR_V", L"COLOR_HUE", L"COLOR_SATURATION",
    L"COLOR_LUMINOSITY", L"CMYK_C", L"CMYK_M", L"CMYK_Y", L"CMYK_K", L"COLORLMS_L", L"COLORLMS_M",
    L"COLORLMS_S", L"DepthMap"};

std::vector<std::wstring> LevelWrites(const std::wstring& prefix, int black, const std::wstring& gamma, int white)
{
    std::vector<std::wstring> out;
    for (const wchar_t* c : {L"Red", L"Green", L"Blue"}) {
        out.push_back(prefix + L"LevelMin" + c + L"=I4:" + std::to_wstring(black));
        out.push_back(prefix + L"LevelMax" + c + L"=I4:" + std::to_wstring(white));
        out.push_back(prefix + L"LevelMax" + c + L"_Middle=R8:" + gamma);
    }
    return out;
}

std::vector<std::wstring> Tail(const std::vector<std::wstring>& v, size_t n)
{
    return std::vector<std::wstring>(v.end() - static_cast<long>(n), v.end());
}
}

TEST(FiltersObj, NewObjectStoresZerosAndTheDefaultLevelInBindOrder)
{
    CConfigMng node;
    CFiltersObj filters;
    filters.Bind(L"video_file", &node);
    const std::vector<std::wstring> keys = {
        L"nagative", L"grayscale", L"sharpen", L"soften", L"enchange", L"deinterlace", L"autolevel",
        L"autocontrast", L"brightness", L"contrast", L"gamma", L"red", L"green", L"blue", L"balancec",
        L"balancem", L"balancey", L"preservel", L"range", L"level", L"hue", L"saturation", L"luminosity", L"y",
        L"u", L"v", L"cmyk_c", L"cmyk_m", L"cmyk_y", L"cmyk_h", L"lms_l", L"lms_m", L"lms_s", L"depth_map"};
    ASSERT_EQ(node.Params().size(), keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        const ConfigParam& p = node.Params()[i];
        EXPECT_EQ(p.name, L"video_file." + keys[i]);
        EXPECT_EQ(p.flag, 0u);
        if (keys[i] == L"level") {
            EXPECT_EQ(p.type, CONFIG_TYPE_STRING);
            EXPECT_EQ(*static_cast<std::wstring*>(p.member), L"0:1.00:255");
        } else {
            EXPECT_EQ(p.type, CONFIG_TYPE_INT);
            EXPECT_EQ(*static_cast<int32_t*>(p.member), 0) << keys[i];
        }
    }
}

TEST(FiltersObj, ResetClearsEverythingIncludingTheHiddenDepthMap)
{
    CFiltersObj filters;
    filters.depth_map = 5;
    filters.hue = -30;
    filters.level = L"1:2:3";
    filters.Reset();
    EXPECT_EQ(filters.depth_map, 0);
    EXPECT_EQ(filters.hue, 0);
    EXPECT_EQ(filters.level, L"0:1.00:255");
}

TEST(FiltersObj, SchemaHasSevenGroupsAndThreeTonalRanges)
{
    CFiltersObj filters;
    filters.CreateSchema();
    std::vector<std::wstring> none;
    ASSERT_EQ(filters.groups.size(), 7u);
    const size_t sizes[] = {2, 13, 5, 3, 3, 4, 3};
    for (size_t i = 0; i < 7; ++i) EXPECT_EQ(filters.groups[i]->properties.size(), sizes[i]);
    EXPECT_EQ(PropertyOf(filters, &filters.depth_map), nullptr);  // no row
    CSchemaProperty* range = PropertyOf(filters, &filters.range);
    ASSERT_EQ(range->options.size(), 3u);
    EXPECT_EQ(range->options[2].text, L"Highligth");
    EXPECT_EQ(range->options[2].value, 2);
    CSchemaProperty* level = PropertyOf(filters, &filters.level);
    EXPECT_EQ(level->type, SCHEMA_TYPE_STRING);
    EXPECT_EQ(level->flags, SPF_DROPDOWN);
    EXPECT_EQ(PropertyOf(filters, &filters.hue)->minimum, -90);
    EXPECT_EQ(PropertyOf(filters, &filters.red)->maximum, 128);
}

TEST(FiltersObj, WritesTheFortyTwoValuesInEngineOrder)
{
    auto node = MakeRecordingNode();
    CFiltersObj filters;
    filters.cmyk_h = 7;
    filters.depth_map = 3;
    filters.level = L"16:0.80:235";
    filters.WriteEngineValues(static_cast<IEngineNode*>(node.Get()));
    const auto& e = node->Log()->entries;
    ASSERT_EQ(e.size(), 42u);
    for (size_t i = 0; i < kIntegerWrites.size(); ++i)
        EXPECT_EQ(e[i].substr(0, e[i].find(L'=')), kIntegerWrites[i]);
    EXPECT_EQ(e[28], L"CMYK_K=I4:7");
    EXPECT_EQ(e[32], L"DepthMap=I4:3");
    EXPECT_EQ(Tail(e, 9), LevelWrites(L"", 16, L"0.8", 235));
}

// A short level text must not leave the engine with white 0 or gamma 0.
TEST(FiltersObj, ShortOrEmptyLevelTextKeepsTheIdentityForMissingFields)
{
    auto node = MakeRecordingNode();
    CFiltersObj filters;
    filters.level = L"10:1.5";
    filters.WriteEngineValues(static_cast<IEngineNode*>(node.Get()));
    EXPECT_EQ(Tail(node->Log()->entries, 9), LevelWrites(L"", 10, L"1.5", 255));
    node->Log()->entries.clear();
    filters.level = L"";
    filters.WriteEngineValues(static_cast<IEngineNode*>(node.Get()));
    EXPECT_EQ(Tail(node->Log()->entries, 9), LevelWrites(L"", 0, L"1", 255));
}

TEST(FiltersObj, TransferWritesIntoTheFirstFiltersItem)
{
    auto log = std::make_shared<WriteLog>();
    auto format = MakeFormatNode(log);
    CFiltersObj filters;
    filters.TransferToFormat(static_cast<IEngineNode*>(format.Get()));
    ASSERT_EQ(log->entries.size(), 42u);
    EXPECT_EQ(log->entries.front(), L"Filters[0]/IsAutoLevel=I4:0");

    // No "Filters" child, or an empty one: nothing written, no failure.
    log->entries.clear();
    auto bare = MakeRecordingNode();
    bare->Log()->missing = {L"Filters"};
    filters.TransferToFormat(static_cast<IEngineNode*>(bare.Get()));
    EXPECT_TRUE(bare->Log()->entries.empty());
    auto empty = MakeComObject<RecordingNode>(log, L"");
    empty->AddChild(L"Filters", ComPtr<IUnknown>(static_cast<IEngineCollection*>(
                                    MakeComObject<RecordingCollection>(log, L"Filters").Get())));
    filters.TransferToFormat(static_cast<IEngineNode*>(empty.Get()));
    EXPECT_TRUE(log->entries.empty());
}

TEST(FiltersObj, EngineFilterIsKeptAndRewrittenOnEveryRequest)
{
    CFiltersObj filters;
    ComPtr<IUnknown> first, second;
    EXPECT_EQ(filters.GetEngineFilter(first.ReleaseAndGetAddressOf()), 0);
    ASSERT_TRUE(first) << "the engine offers no frame-filter object";
    filters.brightness = 40;
    filters.level = L"10";
    filters.GetEngineFilter(second.ReleaseAndGetAddressOf());
    EXPECT_EQ(first.Get(), second.Get());
    EXPECT_EQ(GetSourceProperty(first.Get(), L"COLOR_BRIGHTNESS").AsInt(), 40);
    EXPECT_EQ(GetSourceProperty(first.Get(), L"LevelMinGreen").AsInt(), 10);
    EXPECT_EQ(GetSourceProperty(first.Get(), L"LevelMaxGreen").AsInt(), 255);
    EXPECT_DOUBLE_EQ(GetSourceProperty(first.Get(), L"LevelMaxGreen_Middle").AsDouble(), 1.0);

    // Reset reaches the engine object only with the next request.
    filters.Reset();
    EXPECT_EQ(GetSourceProperty(first.Get(), L"COLOR_BRIGHTNESS").AsInt(), 40);
    filters.GetEngineFilter(nullptr);
    EXPECT_EQ(GetSourceProperty(first.Get(), L"COLOR_BRIGHTNESS").AsInt(), 0);
    EXPECT_EQ(GetSourceProperty(first.Get(), L"LevelMinGreen").AsInt(), 0);
}

// The preview filters on its own thread: each refresh must reach the engine
// object as one change, never as 42 separate ones a frame could fall between.
TEST(FiltersObj, EngineFilterTakesEachRefreshAsOneChange)
{
    CFiltersObj filters;
    ComPtr<IUnknown> object;
    filters.GetEngineFilter(object.ReleaseAndGetAddressOf());
    ComPtr<IFrameFilterSettings> whole = object.As<IFrameFilterSettings>();
    if (!whole) GTEST_SKIP() << "the frame-filter object takes values by name only";
    ULONG before = whole->GetVersion();
    filters.saturation = -20;
    filters.level = L"8:1.25:240";
    filters.GetEngineFilter(nullptr);
    EXPECT_EQ(whole->GetVersion(), before + 1);
    FrameFilterSettings settings;
    whole->GetSettings(&settings);
    EXPECT_EQ(settings.saturation, -20);
    EXPECT_EQ(settings.levelMin[2], 8);
    EXPECT_EQ(settings.levelMax[0], 240);
    EXPECT_DOUBLE_EQ(settings.levelMiddle[1], 1.25);
}
