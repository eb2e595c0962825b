#include "CodecListDoubles.h"
#include "SchemaTestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr int32_t kTagPCM = 0, kTagMP3 = 1, kTagAAC = 4, kTagCommon = 0x55, kTagWMA = 0x200;

class SchemaAudioTest : public SchemaResources {
protected:
    void SetUp() override
    {
        SchemaResources::SetUp();
        schema = std::make_unique<TestSchemaImpl>();
        schema->makeAudio = [this](int32_t format) -> std::shared_ptr<CAudioCodecsBase> {
            if (format == 98) return std::make_shared<FakeAudioCodecs>(std::vector<FakeAudioCodecs::Codec>{});
            auto list = std::make_shared<FakeAudioCodecs>(
                std::vector<FakeAudioCodecs::Codec>{{L"PCM", kTagPCM, true, false, false},
                                                    {L"MP3", kTagMP3, false, true, true},
                                                    {L"AAC", kTagAAC, false, false, true},
                                                    {L"Vorbis", kTagCommon, false, true, true},
                                                    {L"WMA", kTagWMA, false, true, true}},
                L"MP3");
            list->waves = waves;
            last = list.get();
            return list;
        };
        audio = schema->FindGroup(SCHEMA_GROUP_AUDIO);
    }
    CSchemaProperty& Prop(int32_t id) { return *schema->FindProperty(id, audio); }
    // Puts a marker into the three lists so a test sees whether a builder ran.
    void MarkLists()
    {
        for (int32_t id : {SCHEMA_PROP_SAMPLING_RATE, SCHEMA_PROP_AUDIO_CHANNELS, SCHEMA_PROP_BITRATE}) {
            CSchemaProperty::ClearOptions(&Prop(id));
            CSchemaProperty::AddOption(&Prop(id), -7, L"marker");
        }
    }
    bool Marked(int32_t id) { return OptionTexts(Prop(id)) == std::vector<std::wstring>{L"marker"}; }

    std::unique_ptr<TestSchemaImpl> schema;
    CSchemaProperties* audio = nullptr;
    std::vector<WaveEntry> waves;
    FakeAudioCodecs* last = nullptr;
};

}  // namespace

TEST_F(SchemaAudioTest, CommonCodecListsFromWaveFormats)
{
    using Texts = std::vector<std::wstring>;
    using Values = std::vector<int32_t>;
    const struct {
        const char* what;
        std::vector<WaveEntry> waves;
        int32_t rate, channels, bitrate;  // settings before
        Texts rateTexts;
        Texts channelTexts;
        Values channelValues;
        Texts bitrateTexts;
        Values bitrateValues;
        int32_t rateAfter, channelsAfter, bitrateAfter;
    } cases[] = {
        {"filters by verified rate and channels, drops duplicates",
         {{44100, 2, 16000}, {44100, 2, 16000}, {44100, 1, 8000}, {48000, 2, 24000}, {44100, 2, 24000}},
         44100, 2, 192,
         {L"44100 Hz", L"48000 Hz"}, {L"Stereo", L"Mono"}, {2, 1},
         {L"128 kbps", L"192 kbps"}, {128, 192},
         44100, 2, 192},
        {"100 B/s gives 1 kbps, 50 B/s gives 400 bps with value 0, 0 B/s is skipped",
         {{8000, 1, 100}, {8000, 1, 50}, {8000, 1, 0}, {8000, 1, 40}},
         8000, 1, 1,
         {L"8000 Hz"}, {L"Mono"}, {1},
         {L"1 kbps", L"400 bps"}, {1, 0},
         8000, 1, 1},
        {"half kilobit rounds toward zero",
         {{22050, 6, 2500}, {22050, 6, 2563}},  // 20.0 and 20.504 kbps
         22050, 6, 20,
         {L"22050 Hz"}, {L"6"}, {6},
         {L"20 kbps", L"21 kbps"}, {20, 21},
         22050, 6, 20},
        {"huge byte rate read as unsigned",
         {{48000, 2, 0x80000000u}},
         48000, 2, 0,
         {L"48000 Hz"}, {L"Stereo"}, {2},
         {L"17179869 kbps"}, {17179869},
         48000, 2, 17179869},
    };
    for (const auto& c : cases) {
        waves = c.waves;
        schema->InitAudioCodecList(schema->AudioCodecProperty(), 500 + static_cast<int32_t>(&c - cases));
        schema->audio_sampling_rate = c.rate;
        schema->audio_channels = c.channels;
        schema->audio_bitrate = c.bitrate;
        schema->InitComboForCommonCodec(kTagCommon);
        EXPECT_EQ(OptionTexts(Prop(SCHEMA_PROP_SAMPLING_RATE)), c.rateTexts) << c.what;
        EXPECT_EQ(OptionTexts(Prop(SCHEMA_PROP_AUDIO_CHANNELS)), c.channelTexts) << c.what;
        EXPECT_EQ(OptionValues(Prop(SCHEMA_PROP_AUDIO_CHANNELS)), c.channelValues) << c.what;
        EXPECT_EQ(OptionTexts(Prop(SCHEMA_PROP_BITRATE)), c.bitrateTexts) << c.what;
        EXPECT_EQ(OptionValues(Prop(SCHEMA_PROP_BITRATE)), c.bitrateValues) << c.what;
        EXPECT_EQ(schema->audio_sampling_rate, c.rateAfter) << c.what;
        EXPECT_EQ(schema->audio_channels, c.channelsAfter) << c.what;
        EXPECT_EQ(schema->audio_bitrate, c.bitrateAfter) << c.what;
    }
}

TEST_F(SchemaAudioTest, CorrectedRateAndChannelsDecideTheFollowingLists)
{
    waves = {{22050, 1, 4000}, {48000, 2, 16000}, {48000, 6, 48000}};
    schema->InitAudioCodecList(schema->AudioCodecProperty(), 16);
    schema->audio_sampling_rate = 44100;  // not offered: the list corrects it first
    schema->audio_channels = 2;
    schema->InitComboForCommonCodec(kTagCommon);
    ASSERT_NE(schema->audio_sampling_rate, 44100);
    for (const SchemaOption& o : Prop(SCHEMA_PROP_AUDIO_CHANNELS).options) {
        const bool offered = schema->audio_sampling_rate == 48000 ? (o.value == 2 || o.value == 6) : o.value == 1;
        EXPECT_TRUE(offered) << o.value;
    }
    EXPECT_EQ(Prop(SCHEMA_PROP_BITRATE).options.size(), 1u);
}

TEST_F(SchemaAudioTest, FailedWaveFormatQueryLeavesTheLists)
{
    waves = {{44100, 2, 16000}};
    schema->InitAudioCodecList(schema->AudioCodecProperty(), 16);
    last->initResult = E_FAIL;
    MarkLists();
    schema->audio_rate_control = 2;
    schema->InitComboForCommonCodec(kTagCommon);
    EXPECT_TRUE(Marked(SCHEMA_PROP_SAMPLING_RATE) && Marked(SCHEMA_PROP_AUDIO_CHANNELS) && Marked(SCHEMA_PROP_BITRATE));
    ASSERT_EQ(last->initCalls.size(), 1u);
    EXPECT_EQ(last->initCalls[0], std::make_pair(kTagCommon, 2));
}

TEST_F(SchemaAudioTest, FixedListsForKnownTagsAndEngineListsOtherwise)
{
    waves = {{32000, 2, 12000}};
    schema->InitAudioCodecList(schema->AudioCodecProperty(), 16);
    const struct {
        const wchar_t* codec;
        bool engineQueried;
        bool fromWaves;  // the lists end up built from the wave formats
    } cases[] = {
        {L"MP3", false, false},
        {L"PCM", false, false},
        {L"AAC", true, true},  // fixed lists replaced when the engine answers
        {L"Vorbis", true, true},
        {L"Opus", false, false},  // unknown: not PCM, lists left alone
    };
    for (const auto& c : cases) {
        last->initCalls.clear();
        MarkLists();
        schema->VerifyAudioOptions(c.codec);
        EXPECT_EQ(!last->initCalls.empty(), c.engineQueried) << c.codec;
        const bool fromWaves = OptionTexts(Prop(SCHEMA_PROP_SAMPLING_RATE)) == std::vector<std::wstring>{L"32000 Hz"};
        EXPECT_EQ(fromWaves, c.fromWaves) << c.codec;
        if (std::wstring(c.codec) == L"Opus") {
            EXPECT_TRUE(Marked(SCHEMA_PROP_SAMPLING_RATE) && Marked(SCHEMA_PROP_AUDIO_CHANNELS) &&
                        Marked(SCHEMA_PROP_BITRATE));
        }
        if (std::wstring(c.codec) == L"PCM") {
            EXPECT_EQ(OptionTexts(Prop(SCHEMA_PROP_SAMPLING_RATE)), ListTexts(CPCMSamlingRateEnum()));
            EXPECT_TRUE(Marked(SCHEMA_PROP_BITRATE)) << "PCM leaves the bitrates";
        }
    }
}

TEST_F(SchemaAudioTest, VisibilityFollowsCodecAndRateMode)
{
    schema->InitAudioCodecList(schema->AudioCodecProperty(), 16);
    const struct {
        const wchar_t* codec;
        int32_t rateControl;
        UINT precision, rate, quality, bitrate;
        bool wmaModes;
    } cases[] = {
        {L"PCM", 0, 0, 1, 1, 1, false},
        {L"MP3", 0, 1, 0, 1, 0, false},
        {L"MP3", 1, 1, 0, 0, 1, false},
        {L"AAC", 1, 1, 1, 1, 0, false},  // no rate control: quality stays hidden
        {L"WMA", 2, 1, 0, 0, 1, true},
        {L"Opus", 0, 1, 1, 1, 1, false},  // unknown codec: no capabilities
    };
    for (const auto& c : cases) {
        for (const auto& p : audio->properties) p->hidden = 1 - p->hidden;
        schema->audio_rate_control = c.rateControl;
        schema->VerifyAudioOptions(c.codec);
        const std::string what(c.codec, c.codec + wcslen(c.codec));
        EXPECT_EQ(Prop(SCHEMA_PROP_PRECISION).hidden, c.precision) << what;
        EXPECT_EQ(Prop(SCHEMA_PROP_RATE_CONTROL).hidden, c.rate) << what;
        EXPECT_EQ(Prop(SCHEMA_PROP_QUALITY).hidden, c.quality) << what;
        EXPECT_EQ(Prop(SCHEMA_PROP_BITRATE).hidden, c.bitrate) << what;
        EXPECT_EQ(OptionTexts(Prop(SCHEMA_PROP_RATE_CONTROL)),
                  c.wmaModes ? ListTexts(CWMVAudioBitrateTypeEnum()) : ListTexts(CMP3BitrateTypeEnum()))
            << what;
    }
}

TEST_F(SchemaAudioTest, NoCodecsAndFormat20)
{
    // An empty list: never read at item 0, no capabilities.
    schema->InitAudioCodecList(schema->AudioCodecProperty(), 98);
    std::wstring codec;
    schema->VerifyAudioCodec(codec);
    EXPECT_EQ(codec, L"");
    MarkLists();
    schema->VerifyAudioOptions(codec);
    EXPECT_EQ(Prop(SCHEMA_PROP_RATE_CONTROL).hidden, 1u);
    EXPECT_EQ(Prop(SCHEMA_PROP_PRECISION).hidden, 1u);
    EXPECT_TRUE(Marked(SCHEMA_PROP_SAMPLING_RATE)) << "an unknown codec is not PCM";

    // Format 20 has no audio codec: the row is hidden and the list is gone.
    schema->InitAudioCodecList(schema->AudioCodecProperty(), 16);
    EXPECT_EQ(schema->AudioCodecProperty()->options.size(), 5u);
    schema->InitAudioCodecList(schema->AudioCodecProperty(), 20);
    EXPECT_EQ(schema->AudioCodecProperty()->hidden, 1u);
    EXPECT_TRUE(schema->AudioCodecProperty()->options.empty());
    EXPECT_EQ(schema->AudioCodecs(), nullptr);
    codec = L"MP3";
    schema->VerifyAudioCodec(codec);
    EXPECT_EQ(codec, L"MP3");
    schema->VerifyAudioOptions(codec);
    EXPECT_EQ(Prop(SCHEMA_PROP_PRECISION).hidden, 0u);
    EXPECT_EQ(Prop(SCHEMA_PROP_RATE_CONTROL).hidden, 1u);
    EXPECT_EQ(Prop(SCHEMA_PROP_QUALITY).hidden, 1u);
    EXPECT_EQ(Prop(SCHEMA_PROP_BITRATE).hidden, 1u);

    schema->InitAudioCodecList(schema->AudioCodecProperty(), 16);
    EXPECT_EQ(schema->AudioCodecProperty()->hidden, 0u);
    EXPECT_EQ(schema->AudioCodecProperty()->optionSource, nullptr) << "audio leaves the option source alone";
    const int builds = schema->audioBuilds;
    schema->InitAudioCodecList(schema->AudioCodecProperty(), 16);
    EXPECT_EQ(schema->audioBuilds, builds);
}
