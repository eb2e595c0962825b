#include "model/schema/PropertiesImpl.h"
#include "SchemaTestSupport.h"

#include <gtest/gtest.h>

namespace {

class TestSchema : public CPropertiesImpl {
public:
    void UpdateStates() override {}
};

// Groups: 21 (video: 15, 22, nested 40 under 22), 7 (audio: 15, 22), 5 (property 21).
struct Fixture {
    TestSchema schema;
    int32_t vi = 0, ai = 0, other = 0;
    std::wstring text;
    CSchemaProperties* video = nullptr;
    CSchemaProperties* audio = nullptr;
    CSchemaProperties* third = nullptr;
    CSchemaProperty* videoCodec = nullptr;
    CSchemaProperty* videoRate = nullptr;
    CSchemaProperty* nested = nullptr;
    CSchemaProperty* audioCodec = nullptr;
    CSchemaProperty* audioRate = nullptr;
    CSchemaProperty* idOfGroup = nullptr;

    Fixture()
    {
        video = schema.AddGroup(61318, 21);
        videoCodec = schema.AddProperty(61324, video, 15, SCHEMA_TYPE_STRING, &text, 0x101A);
        videoRate = schema.AddProperty(61329, video, 22, SCHEMA_TYPE_INT, &vi, 0x9);
        videoRate->nestedGroup = std::make_unique<CSchemaProperties>();
        auto sub = std::make_unique<CSchemaProperty>();
        sub->id = 40;
        nested = sub.get();
        videoRate->nestedGroup->properties.push_back(std::move(sub));
        audio = schema.AddGroup(61315, 7);
        audioCodec = schema.AddProperty(61324, audio, 15, SCHEMA_TYPE_STRING, &text, 0x1018);
        audioRate = schema.AddProperty(61329, audio, 22, SCHEMA_TYPE_INT, &ai, 0x1009);
        third = schema.AddGroup(0, 5);
        idOfGroup = schema.AddProperty(0, third, 21, SCHEMA_TYPE_INT, &other, 0);
    }
};

class PropertiesImplTest : public SchemaResources {};

}  // namespace

TEST_F(PropertiesImplTest, BuildersKeepOrderLoadTextsAndDefaults)
{
    Fixture f;
    ASSERT_EQ(f.schema.groups.size(), 3u);
    EXPECT_EQ(f.schema.groups[0]->name, L"Video");
    EXPECT_EQ(f.schema.groups[1]->id, 7);
    EXPECT_EQ(f.schema.groups[2]->name, L"");  // unknown id: empty caption
    EXPECT_EQ(f.video->properties[0]->name, L"Codec");
    const CSchemaProperty& p = *f.videoRate;
    EXPECT_EQ(p.type, SCHEMA_TYPE_INT);
    EXPECT_EQ(p.flags, 0x9u);
    EXPECT_EQ(p.buttonEnabled, 1u);
    EXPECT_EQ(p.hidden, 0u);
    EXPECT_EQ(p.engineBacked, 0u);
    EXPECT_EQ(p.IntValue(), &f.vi);
    EXPECT_EQ(p.StringValue(), nullptr);
    EXPECT_EQ(f.videoCodec->StringValue(), &f.text);
    EXPECT_EQ(f.videoCodec->IntValue(), nullptr);

    CSchemaProperty odd;
    odd.type = 3;
    odd.value = &f.vi;
    EXPECT_EQ(odd.IntValue(), nullptr);  // other types give no value access
    EXPECT_EQ(odd.StringValue(), nullptr);
}

TEST_F(PropertiesImplTest, OptionsAddByTextAndIdAndClear)
{
    Fixture f;
    CSchemaProperty::AddOption(f.videoRate, 3, L"three");
    CSchemaProperty::AddOptionById(504, f.videoRate, 0);
    CSchemaProperty::AddOptionById(999999, f.videoRate, 1);
    ASSERT_EQ(f.videoRate->options.size(), 3u);
    EXPECT_EQ(f.videoRate->options[0].text, L"three");
    EXPECT_EQ(f.videoRate->options[0].value, 3);
    EXPECT_EQ(f.videoRate->options[1].text, L"Baseline");
    EXPECT_EQ(f.videoRate->options[2].text, L"");
    CSchemaProperty::ClearOptions(f.videoRate);
    EXPECT_TRUE(f.videoRate->options.empty());
}

TEST_F(PropertiesImplTest, FindGroupAndFindProperty)
{
    Fixture f;
    EXPECT_EQ(f.schema.FindGroup(7), f.audio);
    EXPECT_EQ(f.schema.FindGroup(15), nullptr);

    const struct {
        int32_t id;
        CSchemaProperties* group;
        CSchemaProperty* expected;
    } cases[] = {
        {15, nullptr, f.videoCodec},  // first group in order wins
        {15, f.audio, f.audioCodec},
        {22, f.audio, f.audioRate},
        {22, f.third, nullptr},
        {40, nullptr, nullptr},  // nested groups are not searched
        {21, nullptr, f.idOfGroup},
        {99, nullptr, nullptr},
    };
    for (const auto& c : cases)
        EXPECT_EQ(f.schema.FindProperty(c.id, c.group), c.expected) << c.id;
}

TEST_F(PropertiesImplTest, SetFlagHonoursForceAndTargetsFirstMatch)
{
    const struct {
        const char* what;
        int32_t id;
        UINT before, value;
        bool force;
        bool restrictToAudio;
        UINT expected;
        int target;  // 0 video codec, 1 audio codec, 2 video group, 3 nested, 4 property 21
    } cases[] = {
        {"hide shown", 15, 0, 1, false, false, 1, 0},
        {"show hidden without force stays hidden", 15, 1, 0, false, false, 1, 0},
        {"show hidden with force", 15, 1, 0, true, false, 0, 0},
        {"hide hidden with another value", 15, 1, 2, false, false, 2, 0},
        {"restricted to a group", 15, 0, 1, false, true, 1, 1},
        {"group id before property id", 21, 0, 1, true, false, 1, 2},
        {"nested property", 40, 0, 1, true, false, 1, 3},
    };
    for (const auto& c : cases) {
        Fixture f;
        UINT* words[] = {&f.videoCodec->hidden, &f.audioCodec->hidden, &f.video->hidden, &f.nested->hidden,
                         &f.idOfGroup->hidden};
        *words[c.target] = c.before;
        f.schema.SetFlag(c.id, c.value, c.force, c.restrictToAudio ? f.audio : nullptr);
        EXPECT_EQ(*words[c.target], c.expected) << c.what;
        for (int i = 0; i < 5; ++i)
            if (i != c.target) {
                EXPECT_EQ(*words[i], 0u) << c.what << ": only the first target changes";
            }
    }
}

TEST_F(PropertiesImplTest, SetFlagWithUnknownIdChangesNothing)
{
    Fixture f;
    f.schema.SetFlag(77, 1, true);
    f.schema.SetFlag(7, 1, true, f.third);  // group 7 exists, but not inside group 5
    for (const auto& g : f.schema.groups) {
        EXPECT_EQ(g->hidden, 0u);
        for (const auto& p : g->properties) EXPECT_EQ(p->hidden, 0u);
    }
}
