#include "CodecListDoubles.h"
#include "SchemaTestSupport.h"

#include <gtest/gtest.h>
#include <map>

namespace {

std::shared_ptr<FakeVideoCodecs> StandardVideoList()
{
    VideoCaps all{true, true, true, true, true, true};
    VideoCaps mpeg4{false, true, true, true, true, false};
    VideoCaps wmv{true, false, true, false, true, true};
    return std::make_shared<FakeVideoCodecs>(
        std::vector<FakeVideoCodecs::Codec>{{L"H.264", all}, {L"MPEG-4", mpeg4}, {L"WMV8", wmv}, {L"Bare", {}}},
        L"MPEG-4");
}

class SchemaVideoTest : public SchemaResources {
protected:
    void SetUp() override
    {
        SchemaResources::SetUp();
        schema = std::make_unique<TestSchemaImpl>();
        schema->makeVideo = [](int32_t format) -> std::shared_ptr<CVideoCodecsBase> {
            if (format == 99) return nullptr;
            if (format == 98) return std::make_shared<FakeVideoCodecs>(std::vector<FakeVideoCodecs::Codec>{}, L"");
            return StandardVideoList();
        };
        video = schema->FindGroup(SCHEMA_GROUP_VIDEO);
    }
    UINT Hidden(int32_t id) { return schema->FindProperty(id, video)->hidden; }

    std::unique_ptr<TestSchemaImpl> schema;
    CSchemaProperties* video = nullptr;
};

enum Modes { H264_MODES, WMV_MODES, PLAIN_MODES };

}  // namespace

TEST_F(SchemaVideoTest, VerifyVideoOptionsHidesRowsAndPicksRateModes)
{
    const struct {
        const char* what;
        const wchar_t* codec;
        int32_t rateControl, format;
        // expected hidden words (1 hidden) and rate-mode list
        UINT bitrate, profile, quality, twoPass, keyFrame, rate, maxRate;
        UINT button;
        Modes modes;
    } cases[] = {
        {"H.264 constant bitrate", L"H.264", 0, 13, 0, 0, 1, 0, 0, 0, 1, 1, H264_MODES},
        {"H.264 quality mode", L"H.264", 2, 13, 1, 0, 0, 0, 0, 0, 1, 1, H264_MODES},
        {"H.264 in WMV keeps its modes and hides maxima", L"H.264", 0, 2, 0, 0, 1, 0, 0, 0, 1, 1, H264_MODES},
        {"letter case differs: no capabilities, profile still shown", L"h.264", 0, 13, 1, 0, 1, 1, 1, 1, 1, 0,
         H264_MODES},
        {"MPEG-4 without rate control", L"MPEG-4", 1, 1, 0, 1, 1, 0, 0, 1, 1, 0, PLAIN_MODES},
        {"MPEG-4 quality mode", L"MPEG-4", 2, 1, 1, 1, 0, 0, 0, 1, 1, 0, PLAIN_MODES},
        {"WMV format shows maxima with rate control", L"WMV8", 0, 2, 0, 1, 1, 1, 0, 0, 0, 1, WMV_MODES},
        {"WMV format hides maxima without rate control", L"MPEG-4", 0, 2, 0, 1, 1, 0, 0, 1, 1, 0, WMV_MODES},
        {"WMV8 in another format", L"WMV8", 0, 16, 0, 1, 1, 1, 0, 0, 1, 1, PLAIN_MODES},
        {"codec without capabilities", L"Bare", 0, 13, 1, 1, 1, 1, 1, 1, 1, 0, PLAIN_MODES},
        {"codec not in the list", L"Theora", 0, 13, 1, 1, 1, 1, 1, 1, 1, 0, PLAIN_MODES},
        {"empty codec", L"", 2, 2, 1, 1, 1, 1, 1, 1, 1, 0, WMV_MODES},
    };
    std::map<Modes, std::vector<std::wstring>> modeTexts{{H264_MODES, ListTexts(CH254BitrateTypeEnum())},
                                                         {WMV_MODES, ListTexts(CWMVBitrateTypeEnum())},
                                                         {PLAIN_MODES, ListTexts(CBitrateTypeEnum())}};
    ASSERT_NE(modeTexts[H264_MODES], modeTexts[PLAIN_MODES]);
    ASSERT_NE(modeTexts[WMV_MODES], modeTexts[PLAIN_MODES]);
    for (const auto& c : cases) {
        schema->InitVideoCodecList(schema->VideoCodecProperty(), c.format);
        // Start from the opposite state so that forced changes show.
        for (const auto& p : video->properties) p->hidden = 1;
        schema->VideoCodecProperty()->buttonEnabled = 1 - c.button;

        schema->VerifyVideoOptions(c.codec, c.rateControl, c.format);

        EXPECT_EQ(Hidden(SCHEMA_PROP_BITRATE), c.bitrate) << c.what;
        EXPECT_EQ(Hidden(SCHEMA_PROP_VC_PROFILE), c.profile) << c.what;
        EXPECT_EQ(Hidden(SCHEMA_PROP_QUALITY), c.quality) << c.what;
        EXPECT_EQ(Hidden(SCHEMA_PROP_TWO_PASS), c.twoPass) << c.what;
        EXPECT_EQ(Hidden(SCHEMA_PROP_KEY_FRAME_RATE), c.keyFrame) << c.what;
        EXPECT_EQ(Hidden(SCHEMA_PROP_RATE_CONTROL), c.rate) << c.what;
        EXPECT_EQ(Hidden(SCHEMA_PROP_MAX_BITRATE), c.maxRate) << c.what;
        EXPECT_EQ(Hidden(SCHEMA_PROP_MAX_BUFFER_WINDOW), c.maxRate) << c.what;
        EXPECT_EQ(schema->VideoCodecProperty()->buttonEnabled, c.button) << c.what;
        EXPECT_EQ(OptionTexts(*schema->FindProperty(SCHEMA_PROP_RATE_CONTROL, video)), modeTexts[c.modes]) << c.what;
        // Only the video group is touched.
        EXPECT_EQ(schema->FindProperty(SCHEMA_PROP_BITRATE, schema->FindGroup(SCHEMA_GROUP_AUDIO))->hidden, 0u);
    }
    auto* list = static_cast<FakeVideoCodecs*>(schema->VideoCodecs().get());
    EXPECT_EQ(list->lastObject, static_cast<IObject*>(schema.get()));
}

TEST_F(SchemaVideoTest, EmptyListOrNoListHasNoCapabilitiesAndReadsNothing)
{
    schema->InitVideoCodecList(schema->VideoCodecProperty(), 98);  // a list without codecs
    std::wstring codec = L"H.264";
    schema->VerifyVideoCodec(codec);
    EXPECT_EQ(codec, L"");  // no default codec to fall back on
    schema->VerifyVideoOptions(codec, 0, 98);
    EXPECT_EQ(Hidden(SCHEMA_PROP_BITRATE), 1u);
    EXPECT_EQ(Hidden(SCHEMA_PROP_RATE_CONTROL), 1u);
    EXPECT_EQ(schema->VideoCodecProperty()->buttonEnabled, 0u);

    schema->InitVideoCodecList(schema->VideoCodecProperty(), 99);  // a format without a list
    EXPECT_TRUE(schema->VideoCodecProperty()->options.empty());
    EXPECT_EQ(schema->VideoCodecProperty()->optionSource, nullptr);
    codec = L"Anything";
    schema->VerifyVideoCodec(codec);
    EXPECT_EQ(codec, L"Anything");
    for (const auto& p : video->properties) p->hidden = 1;
    schema->VerifyVideoOptions(codec, 0, 99);
    for (const auto& p : video->properties) EXPECT_EQ(p->hidden, 1u) << "no list: no effect";
}

TEST_F(SchemaVideoTest, CodecListIsKeptForTheSameFormatAndReplacedOnChange)
{
    CSchemaProperty* prop = schema->VideoCodecProperty();
    schema->InitVideoCodecList(prop, 13);
    const auto first = schema->VideoCodecs();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(prop->optionSource, first);
    EXPECT_EQ(OptionTexts(*prop), (std::vector<std::wstring>{L"H.264", L"MPEG-4", L"WMV8", L"Bare"}));
    EXPECT_EQ(OptionValues(*prop), (std::vector<int32_t>{0, 1, 2, 3}));  // option values are indexes

    CSchemaProperty::AddOption(prop, 42, L"marker");
    schema->InitVideoCodecList(prop, 13);
    EXPECT_EQ(schema->videoBuilds, 1);
    EXPECT_EQ(schema->VideoCodecs(), first);
    EXPECT_EQ(prop->options.size(), 5u) << "same format: options untouched";

    // A grid row may still hold the old source while the list is rebuilt.
    std::shared_ptr<CListEnumBase> heldByRow = prop->optionSource;
    schema->InitVideoCodecList(prop, 16);
    EXPECT_EQ(schema->videoBuilds, 2);
    EXPECT_NE(schema->VideoCodecs(), first);
    EXPECT_EQ(prop->optionSource, schema->VideoCodecs());
    EXPECT_EQ(prop->options.size(), 4u);
    EXPECT_EQ(heldByRow->GetIdW(L"WMV8"), 2) << "the old source is still a valid list";

    schema->InitVideoCodecList(prop, 99);
    EXPECT_EQ(schema->VideoCodecs(), nullptr);
    EXPECT_EQ(prop->optionSource, nullptr);

    // Deleting the schema leaves a list that someone else still holds.
    schema->InitVideoCodecList(prop, 13);
    heldByRow = prop->optionSource;
    schema.reset();
    EXPECT_EQ(heldByRow->GetIdW(L"Bare"), 3);
}

TEST_F(SchemaVideoTest, VerifyVideoCodecKeepsExactNamesOnly)
{
    schema->InitVideoCodecList(schema->VideoCodecProperty(), 13);
    const struct {
        const wchar_t *in, *out;
    } cases[] = {{L"", L"MPEG-4"}, {L"H.264", L"H.264"}, {L"h.264", L"MPEG-4"}, {L"H.264 ", L"MPEG-4"},
                 {L"Bare", L"Bare"}, {L"Theora", L"MPEG-4"}};
    for (const auto& c : cases) {
        std::wstring codec = c.in;
        schema->VerifyVideoCodec(codec);
        EXPECT_EQ(codec, c.out) << std::string(c.in, c.in + wcslen(c.in));
    }
}

TEST_F(SchemaVideoTest, VerifyImageOptionsShowsBarsOnlyForLetterbox)
{
    const struct {
        int32_t resizeType, litterbox;
        UINT barsHidden, colourHidden;
    } cases[] = {{2, 1, 0, 0}, {2, 0, 0, 1}, {0, 1, 1, 1}, {1, 1, 1, 1}, {3, 0, 1, 1}};
    for (const auto& c : cases) {
        schema->resize_type = c.resizeType;
        schema->litterbox = c.litterbox;
        schema->SetFlag(SCHEMA_PROP_LITTERBOX, 1 - c.barsHidden, true);
        schema->SetFlag(SCHEMA_PROP_LITTERBOX_COLOR, 1 - c.colourHidden, true);
        schema->VerifyImageOptions();
        EXPECT_EQ(schema->FindProperty(SCHEMA_PROP_LITTERBOX)->hidden, c.barsHidden) << c.resizeType << c.litterbox;
        EXPECT_EQ(schema->FindProperty(SCHEMA_PROP_LITTERBOX_COLOR)->hidden, c.colourHidden)
            << c.resizeType << c.litterbox;
    }
}

TEST_F(SchemaVideoTest, SchemaLayoutAndDefaults)
{
    std::vector<int32_t> groupIds;
    for (const auto& g : schema->groups) groupIds.push_back(g->id);
    EXPECT_EQ(groupIds, (std::vector<int32_t>{17, 21, 7, 23}));
    EXPECT_EQ(schema->FindProperty(SCHEMA_PROP_CODEC), schema->VideoCodecProperty());
    EXPECT_EQ(schema->FindProperty(SCHEMA_PROP_CODEC, schema->FindGroup(SCHEMA_GROUP_AUDIO)),
              schema->AudioCodecProperty());
    EXPECT_EQ(schema->VideoCodecProperty()->flags, 0x101Au);
    EXPECT_EQ(schema->VideoCodecProperty()->StringValue(), &schema->video_codec);
    EXPECT_EQ(schema->FindProperty(SCHEMA_PROP_VC_PROFILE)->options.size(), 3u);
    EXPECT_EQ(schema->FindProperty(SCHEMA_PROP_IMAGE_SIZE)->StringValue(), &schema->image_size);
    EXPECT_EQ(schema->FindGroup(SCHEMA_GROUP_VIDEO)->name, L"Video");
    EXPECT_EQ(schema->image_size, L"100%");
    EXPECT_EQ(schema->audio_sampling_rate, 44100);
    EXPECT_EQ(schema->key_frame_rate, 100);
    EXPECT_EQ(schema->litterbox, 1);
    EXPECT_EQ(schema->adv_split_size, 700);
}
