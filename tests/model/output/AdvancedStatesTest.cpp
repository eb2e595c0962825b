// The advanced grids: which switch, split and join rows show for an operation.
#include "model/config/ConfigMng.h"
#include "model/output/ImageFileAdvObj.h"
#include "model/output/OutputIds.h"
#include "model/output/VideoFileAdvObj.h"
#include "../schema/SchemaTestSupport.h"

#include <gtest/gtest.h>
#include <map>

namespace {

// Visible state of every id the schema has: groups and properties.
std::map<int32_t, bool> Shown(const CPropertiesImpl& s)
{
    std::map<int32_t, bool> shown;
    for (const auto& g : s.groups) {
        shown[-g->id] = g->hidden == 0;  // groups as negative ids
        for (const auto& p : g->properties) shown[p->id] = p->hidden == 0;
    }
    return shown;
}

using AdvancedStates = SchemaResources;

TEST_F(AdvancedStates, SplitBySizeShowsSplitSwitchTypeSizeAndStart)
{
    CVideoFileAdvObj adv;
    adv.CreateSchema();
    adv.adv_operation = ADV_OPERATION_SPLIT;
    adv.adv_enable_split = 1;
    adv.adv_split_type = 2;
    adv.UpdateStates();
    auto s = Shown(adv);
    EXPECT_TRUE(s[-ADV_GROUP_OPERATION]);
    EXPECT_TRUE(s[ADV_PROP_ENABLE_SPLIT]);
    EXPECT_FALSE(s[ADV_PROP_ENABLE_JOIN]);
    EXPECT_TRUE(s[-ADV_GROUP_SPLIT]);
    EXPECT_TRUE(s[ADV_PROP_SPLIT_TYPE]);
    EXPECT_TRUE(s[ADV_PROP_SPLIT_SIZE]);
    EXPECT_TRUE(s[ADV_PROP_START_TIME]);
    EXPECT_FALSE(s[ADV_PROP_SPLIT_TIME]);
    EXPECT_FALSE(s[ADV_PROP_SPLIT_COUNT]);
    EXPECT_FALSE(s[ADV_PROP_LAST_CLIP]);
    EXPECT_FALSE(s[-ADV_GROUP_JOIN]);

    // Split switched off hides the split group; by time brings the last clip.
    adv.adv_enable_split = 0;
    adv.adv_split_type = 0;
    adv.UpdateStates();
    s = Shown(adv);
    EXPECT_FALSE(s[-ADV_GROUP_SPLIT]);
    EXPECT_TRUE(s[ADV_PROP_SPLIT_TIME]);
    EXPECT_TRUE(s[ADV_PROP_LAST_CLIP]);
    EXPECT_FALSE(s[ADV_PROP_SPLIT_SIZE]);
}

TEST_F(AdvancedStates, JoinGroupOfVideoHasDurationAudioHasNot)
{
    CVideoFileAdvObj video;
    CAudioFileAdvObj audio;
    for (CVideoFileAdvObj* adv : {&video, static_cast<CVideoFileAdvObj*>(&audio)}) {
        adv->CreateSchema();
        adv->adv_operation = ADV_OPERATION_JOIN;
        adv->adv_enable_join = 0;
        adv->UpdateStates();
        auto s = Shown(*adv);
        EXPECT_TRUE(s[-ADV_GROUP_OPERATION]);
        EXPECT_TRUE(s[ADV_PROP_ENABLE_JOIN]);
        EXPECT_FALSE(s[ADV_PROP_ENABLE_SPLIT]);
        EXPECT_FALSE(s[-ADV_GROUP_JOIN]);
        EXPECT_FALSE(s[-ADV_GROUP_SPLIT]);
        adv->adv_enable_join = 1;
        adv->UpdateStates();
        EXPECT_EQ(adv->FindGroup(ADV_GROUP_JOIN)->hidden, 0u);
    }
    const CSchemaProperties* vj = video.FindGroup(ADV_GROUP_JOIN);
    const CSchemaProperties* aj = audio.FindGroup(ADV_GROUP_JOIN);
    ASSERT_EQ(vj->properties.size(), 2u);
    EXPECT_EQ(vj->properties[0]->id, ADV_PROP_IMAGE_DURATION);
    EXPECT_EQ(vj->properties[1]->id, ADV_PROP_BG_AUDIO);
    EXPECT_EQ(vj->properties[1]->buttonKind, SPB_AUDIO_FILE);
    ASSERT_EQ(aj->properties.size(), 1u);
    EXPECT_EQ(aj->properties[0]->id, ADV_PROP_BG_AUDIO);
    // Group order: switches, split, join.
    ASSERT_EQ(video.groups.size(), 3u);
    EXPECT_EQ(video.groups[0]->id, ADV_GROUP_OPERATION);
    EXPECT_EQ(video.groups[1]->id, ADV_GROUP_SPLIT);
    EXPECT_EQ(video.groups[2]->id, ADV_GROUP_JOIN);
    EXPECT_EQ(video.FindProperty(ADV_PROP_SPLIT_TYPE)->options.size(), 3u);
}

TEST_F(AdvancedStates, NoneHidesEverythingAndUnknownChangesNothing)
{
    CVideoFileAdvObj adv;
    adv.CreateSchema();
    adv.adv_operation = ADV_OPERATION_SPLIT;
    adv.adv_enable_split = 1;
    adv.UpdateStates();
    auto before = Shown(adv);
    adv.adv_operation = 7;
    adv.UpdateStates();
    EXPECT_EQ(Shown(adv), before);
    adv.adv_operation = ADV_OPERATION_NONE;
    adv.UpdateStates();
    for (int32_t g : {ADV_GROUP_OPERATION, ADV_GROUP_SPLIT, ADV_GROUP_JOIN})
        EXPECT_EQ(adv.FindGroup(g)->hidden, 1u) << g;
    // An unknown split type hides every amount and the last clip.
    adv.adv_operation = ADV_OPERATION_SPLIT;
    adv.adv_split_type = 9;
    adv.UpdateStates();
    auto s = Shown(adv);
    EXPECT_FALSE(s[ADV_PROP_SPLIT_TIME] || s[ADV_PROP_SPLIT_COUNT] || s[ADV_PROP_SPLIT_SIZE] ||
                 s[ADV_PROP_LAST_CLIP]);
}

struct ImageRow {
    int32_t operation, mode, splitType;
    bool group44, group67, type47, time48, start49, count50;
};

TEST_F(AdvancedStates, ImageExtractionRows)
{
    const ImageRow rows[] = {
        {3, 0, 0, true, true, false, false, true, false},
        {3, 1, 0, true, true, true, true, true, false},
        {3, 1, 1, true, true, true, false, true, true},
        {0, 1, 1, false, false, true, false, true, false},
        {3, 0, 1, true, true, false, false, true, false},
    };
    CImageFileAdvObj adv;
    adv.CreateSchema();
    for (const ImageRow& r : rows) {
        adv.adv_operation = r.operation;
        adv.adv_image_extract_mode = r.mode;
        adv.adv_split_type = r.splitType;
        adv.UpdateStates();
        SCOPED_TRACE(testing::Message() << r.operation << "/" << r.mode << "/" << r.splitType);
        auto s = Shown(adv);
        EXPECT_EQ(s[-ADV_GROUP_IMAGE_SPLIT], r.group44);
        EXPECT_EQ(s[-ADV_GROUP_OPERATION], r.group67);
        EXPECT_EQ(s[ADV_PROP_SPLIT_TYPE], r.type47);
        EXPECT_EQ(s[ADV_PROP_SPLIT_TIME], r.time48);
        EXPECT_EQ(s[ADV_PROP_START_TIME], r.start49);
        EXPECT_EQ(s[ADV_PROP_SPLIT_COUNT], r.count50);
    }
    EXPECT_EQ(adv.FindProperty(ADV_PROP_SPLIT_TYPE)->options.size(), 2u);
    EXPECT_EQ(adv.FindProperty(ADV_PROP_ENABLE_SPLIT)->options.size(), 2u);
    EXPECT_EQ(adv.FindProperty(ADV_PROP_SPLIT_SIZE), nullptr);
}

TEST(AdvancedValues, AdvancedObjectsBindNoNodeSoValuesAreUnreachable)
{
    CConfigMng node;
    CVideoFileAdvObj adv;
    ASSERT_EQ(adv.Bind(L"video_file", &node), S_OK);
    EXPECT_EQ(node.Params().size(), 11u);
    EXPECT_EQ(adv.GetNode(), nullptr);
    CVariant v;
    EXPECT_EQ(adv.GetValue(L"adv_split_time", &v), S_OK);
    EXPECT_EQ(v.vt, VT_EMPTY);
    EXPECT_EQ(adv.SetValue(L"adv_split_time", CVariant(int32_t(99))), S_OK);
    EXPECT_EQ(adv.adv_split_time, 10);
}

}  // namespace
