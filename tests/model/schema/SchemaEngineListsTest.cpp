// The schema on the engine's own lists: which formats get codec lists, and the
// verification steps over every codec the engine offers.
#include "engine/EngineInit.h"
#include "platform/ClassRegistry.h"
#include "OutputSchema.h"
#include "SchemaTestSupport.h"

#include <gtest/gtest.h>
#include <set>

namespace {

class SchemaEngineListsTest : public SchemaResources {
protected:
    void SetUp() override
    {
        SchemaResources::SetUp();
        EngineInitialize();
        CoInitialize();
    }
};

}  // namespace

TEST_F(SchemaEngineListsTest, CodecListsFollowTheFormatTable)
{
    const std::set<int32_t> videoFormats{1, 2, 3, 4, 5, 6, 13, 14, 15, 16, 18, 21};
    const std::set<int32_t> audioFormats{1, 2, 3, 4, 5, 6, 13, 14, 15, 16, 18, 19, 21};
    for (int32_t format : {0, 1, 2, 3, 4, 5, 6, 7, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 100}) {
        OutputSchema s;
        s.InitVideoCodecList(s.VideoCodecProperty(), format);
        s.InitAudioCodecList(s.AudioCodecProperty(), format);
        EXPECT_EQ(s.VideoCodecs() != nullptr, videoFormats.count(format) == 1) << format;
        EXPECT_EQ(s.AudioCodecs() != nullptr, audioFormats.count(format) == 1) << format;
        EXPECT_EQ(s.AudioCodecProperty()->hidden, format == 20 ? 1u : 0u) << format;
        EXPECT_EQ(s.VideoCodecProperty()->options.size(),
                  s.VideoCodecs() ? schema_lists::Count(*s.VideoCodecs()) : 0u);
        EXPECT_EQ(s.AudioCodecProperty()->options.size(),
                  s.AudioCodecs() ? schema_lists::Count(*s.AudioCodecs()) : 0u);
    }
}

TEST_F(SchemaEngineListsTest, EveryOfferedCodecVerifiesToConsistentLists)
{
    size_t videoSeen = 0, audioSeen = 0;
    for (int32_t format : {1, 2, 3, 4, 5, 13, 14, 16, 18, 19, 21}) {
        OutputSchema s;
        s.InitVideoCodecList(s.VideoCodecProperty(), format);
        s.InitAudioCodecList(s.AudioCodecProperty(), format);
        for (const SchemaOption& codec : s.VideoCodecProperty()->options) {
            ++videoSeen;
            for (int32_t rc : {0, 2}) {
                s.video_codec = codec.text;
                s.VerifyVideoCodec(s.video_codec);
                EXPECT_EQ(s.video_codec, codec.text);
                s.VerifyVideoOptions(s.video_codec, rc, format);
                EXPECT_FALSE(s.FindProperty(SCHEMA_PROP_RATE_CONTROL)->options.empty());
            }
        }
        for (const SchemaOption& codec : s.AudioCodecProperty()->options) {
            ++audioSeen;
            for (int32_t rc : {0, 1, 2}) {
                s.audio_codec = codec.text;
                s.audio_rate_control = rc;
                s.VerifyAudioCodec(s.audio_codec);
                s.VerifyAudioOptions(s.audio_codec);
                // The stored values are among the options offered.
                const auto offered = [&](int32_t id, int32_t value) {
                    const CSchemaProperty* p = s.FindProperty(id, s.FindGroup(SCHEMA_GROUP_AUDIO));
                    if (p->options.empty()) return true;
                    for (const SchemaOption& o : p->options)
                        if (o.value == value) return true;
                    return false;
                };
                const std::string what = std::to_string(format) + " " + std::to_string(codec.value);
                EXPECT_TRUE(offered(SCHEMA_PROP_SAMPLING_RATE, s.audio_sampling_rate)) << what;
                EXPECT_TRUE(offered(SCHEMA_PROP_AUDIO_CHANNELS, s.audio_channels)) << what;
                EXPECT_TRUE(offered(SCHEMA_PROP_RATE_CONTROL, s.audio_rate_control)) << what;
                if (!s.FindProperty(SCHEMA_PROP_BITRATE, s.FindGroup(SCHEMA_GROUP_AUDIO))->hidden) {
                    EXPECT_TRUE(offered(SCHEMA_PROP_BITRATE, s.audio_bitrate)) << what;
                }
            }
        }
    }
    EXPECT_GT(videoSeen, 10u);
    EXPECT_GT(audioSeen, 10u);
}

TEST_F(SchemaEngineListsTest, ImageSizeTakesTheFirstSizeWhenEmpty)
{
    OutputSchema s;
    EXPECT_EQ(s.image_size, L"100%");  // a set size is kept
    CImageDefSizes sizes(1);
    ASSERT_GT(schema_lists::Count(sizes), 0u);
    s.image_size.clear();
    s.CreateImage(1);
    EXPECT_EQ(s.image_size, schema_lists::Text(sizes, 0));
    EXPECT_EQ(s.groups.back()->id, SCHEMA_GROUP_IMAGE);
}

TEST_F(SchemaEngineListsTest, FillOptionsCopiesItemsAndEmptyListClears)
{
    CSchemaProperty p;
    CSchemaProperty::AddOption(&p, 5, L"old");
    CFrameRateEnum rates;
    CSchemaProperty::FillOptions(rates, &p);
    ASSERT_EQ(p.options.size(), schema_lists::Count(rates));
    for (size_t i = 0; i < p.options.size(); ++i) {
        EXPECT_EQ(p.options[i].text, schema_lists::Text(rates, i));
        EXPECT_EQ(p.options[i].value, schema_lists::Value(rates, i));
    }
    CListEnumBase empty;
    CSchemaProperty::FillOptions(empty, &p);
    EXPECT_TRUE(p.options.empty());
}
