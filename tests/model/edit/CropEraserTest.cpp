#include "RecordingNode.h"
#include "SchemaProbe.h"
#include "model/config/ConfigMng.h"
#include "model/edit/CropObj.h"
#include "model/edit/EraserObj.h"
#include <gtest/gtest.h>

using namespace editing_test;

namespace {
std::vector<std::wstring> Names(const CConfigMng& node)
{
    std::vector<std::wstring> names;
    for (const ConfigParam& p : node.Params()) {
        EXPECT_EQ(p.type, CONFIG_TYPE_INT);
        EXPECT_EQ(p.flag, 0u);
        names.push_back(p.name);
    }
    return names;
}
}

TEST(CropObj, BindsItsKeysUnderThePrefixInOrder)
{
    CConfigMng node;
    CCropObj crop;
    crop.Bind(L"video_file", &node);
    EXPECT_EQ(Names(node), (std::vector<std::wstring>{L"video_file.crop_left", L"video_file.crop_right",
                                                      L"video_file.crop_top", L"video_file.crop_bottom",
                                                      L"video_file.flip_h", L"video_file.flip_v",
                                                      L"video_file.rotate"}));
    EXPECT_EQ(node.Params()[6].member, &crop.rotate);
}

TEST(CropObj, SchemaLimitsMarginsAndOffersFourTurns)
{
    CCropObj crop;
    crop.CreateSchema();
    ASSERT_EQ(crop.groups.size(), 3u);
    CSchemaProperty* left = PropertyOf(crop, &crop.crop_left);
    ASSERT_TRUE(left);
    EXPECT_EQ(left->flags, SPF_SPIN);
    EXPECT_EQ(left->minimum, 0);
    EXPECT_EQ(left->maximum, 16000);
    CSchemaProperty* rotate = PropertyOf(crop, &crop.rotate);
    ASSERT_TRUE(rotate);
    ASSERT_EQ(rotate->options.size(), 4u);
    EXPECT_EQ(rotate->options[3].text, L"270 deg");
    EXPECT_EQ(rotate->options[3].value, 3);
    EXPECT_EQ(PropertyOf(crop, &crop.flip_h)->flags, SPF_SWITCH);
}

TEST(CropObj, WritesMarginsThenRotationThenFlips)
{
    auto node = MakeRecordingNode();
    CCropObj crop;
    crop.crop_left = 1;
    crop.crop_right = 2;
    crop.crop_top = 3;
    crop.crop_bottom = 4;
    crop.rotate = 3;
    crop.flip_h = 1;
    crop.flip_v = 1;
    CCropObj::WriteEngineValues(crop, static_cast<IEngineNode*>(node.Get()));
    EXPECT_EQ(node->Log()->entries,
              (std::vector<std::wstring>{L"Crop_Left=I4:1", L"Crop_Right=I4:2", L"Crop_Top=I4:3",
                                         L"Crop_Bottom=I4:4", L"Rotate=I4:3", L"FlipH=I4:1", L"FlipV=I4:1"}));
}

TEST(CropObj, ValuesFromAFileReachTheEngineClamped)
{
    auto node = MakeRecordingNode();
    CCropObj crop;
    crop.crop_left = -5;
    crop.crop_bottom = 20000;  // wider than the grid allows, but a real size: the engine fits it
    crop.rotate = 7;
    CCropObj::WriteEngineValues(crop, static_cast<IEngineNode*>(node.Get()));
    const auto& e = node->Log()->entries;
    EXPECT_EQ(e[0], L"Crop_Left=I4:0");
    EXPECT_EQ(e[3], L"Crop_Bottom=I4:20000");
    EXPECT_EQ(e[4], L"Rotate=I4:3");
    crop.rotate = -1;
    node->Log()->entries.clear();
    CCropObj::WriteEngineValues(crop, static_cast<IEngineNode*>(node.Get()));
    EXPECT_EQ(node->Log()->entries[4], L"Rotate=I4:3");
}

TEST(CropObj, AMissingPropertyIsSkippedAndTheRestStillWritten)
{
    auto node = MakeRecordingNode();
    node->Log()->missing = {L"Crop_Top", L"Rotate"};
    CCropObj crop;
    CCropObj::WriteEngineValues(crop, static_cast<IEngineNode*>(node.Get()));
    EXPECT_EQ(node->Log()->entries.size(), 5u);
    CCropObj::WriteEngineValues(crop, nullptr);  // no node: nothing, no crash
}

TEST(EraserObj, FreshObjectAndItsKeys)
{
    CConfigMng node;
    CEraserObj eraser;
    eraser.Bind(L"image_file", &node);
    EXPECT_EQ(Names(node), (std::vector<std::wstring>{L"image_file.eraser_type", L"image_file.eraser_left",
                                                      L"image_file.eraser_right", L"image_file.eraser_top",
                                                      L"image_file.eraser_bottom", L"image_file.eraser_strength",
                                                      L"image_file.eraser_cell"}));
    tag_ERASEPARAM p = eraser.Params();
    EXPECT_EQ(p.nType, 0);
    EXPECT_EQ(p.nRight, 100);
    EXPECT_EQ(p.nBottom, 100);
    EXPECT_EQ(p.nStrength, 8);
    EXPECT_EQ(p.nCell, 8);
}

struct EraserStates {
    int32_t type;
    int rect, strength, cell;  // 1 hidden
};

class EraserUpdateStates : public ::testing::TestWithParam<EraserStates> {};

TEST_P(EraserUpdateStates, ShowsTheRowsOfTheType)
{
    const EraserStates& s = GetParam();
    CEraserObj eraser;
    eraser.CreateSchema();
    // Start from the opposite of what the type wants, so every state is set.
    eraser.eraser_type = s.type == 0 ? 2 : 0;
    eraser.UpdateStates();
    eraser.eraser_type = s.type;
    eraser.UpdateStates();
    EXPECT_EQ(HiddenOf(eraser, &eraser.eraser_type), 0);
    for (const int32_t* edge : {&eraser.eraser_left, &eraser.eraser_right, &eraser.eraser_top, &eraser.eraser_bottom})
        EXPECT_EQ(HiddenOf(eraser, edge), s.rect);
    EXPECT_EQ(HiddenOf(eraser, &eraser.eraser_strength), s.strength);
    EXPECT_EQ(HiddenOf(eraser, &eraser.eraser_cell), s.cell);
}

INSTANTIATE_TEST_SUITE_P(Types, EraserUpdateStates,
                         ::testing::Values(EraserStates{0, 1, 1, 1}, EraserStates{1, 0, 1, 1},
                                           EraserStates{2, 0, 0, 1}, EraserStates{3, 0, 1, 1},
                                           EraserStates{4, 0, 1, 0}, EraserStates{9, 0, 1, 1}),
                         [](const ::testing::TestParamInfo<EraserStates>& info) {
                             return "type" + std::to_string(info.param.type);
                         });

TEST(EraserObj, SchemaRanges)
{
    CEraserObj eraser;
    eraser.CreateSchema();
    EXPECT_EQ(PropertyOf(eraser, &eraser.eraser_left)->minimum, -16000);
    EXPECT_EQ(PropertyOf(eraser, &eraser.eraser_bottom)->maximum, 16000);
    EXPECT_EQ(PropertyOf(eraser, &eraser.eraser_cell)->minimum, 1);
    EXPECT_EQ(PropertyOf(eraser, &eraser.eraser_strength)->maximum, 16);
    EXPECT_EQ(PropertyOf(eraser, &eraser.eraser_type)->options.size(), 5u);
}

TEST(EraserObj, WritesInEngineOrderWithCellAndStrengthAtLeastOne)
{
    auto node = MakeRecordingNode();
    CEraserObj eraser;
    eraser.eraser_type = 4;
    eraser.eraser_left = -3;
    eraser.eraser_cell = 0;
    eraser.eraser_strength = -2;
    CEraserObj::WriteEngineValues(eraser, static_cast<IEngineNode*>(node.Get()));
    EXPECT_EQ(node->Log()->entries,
              (std::vector<std::wstring>{L"EraserType=I4:4", L"EraserTop=I4:0", L"EraserBottom=I4:100",
                                         L"EraserLeft=I4:-3", L"EraserRight=I4:100", L"EraserCell=I4:1",
                                         L"EraserStrength=I4:1"}));
    // The preview's record is clamped the same way.
    EXPECT_EQ(eraser.Params().nCell, 1);
    EXPECT_EQ(eraser.Params().nStrength, 1);
    EXPECT_EQ(eraser.Params().nLeft, -3);
}
