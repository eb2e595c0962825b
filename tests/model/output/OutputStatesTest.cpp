// Which groups and rows of the output schemas show for a format and the
// include switches, and what the format lists offer.
#include "model/output/AudioFileObj.h"
#include "model/output/ImageFileObj.h"
#include "model/output/OutputIds.h"
#include "model/output/VideoFileObj.h"
#include "../schema/SchemaTestSupport.h"

#include <gtest/gtest.h>

namespace {

UINT GroupHidden(const CPropertiesImpl& s, int32_t id)
{
    const CSchemaProperties* g = s.FindGroup(id);
    return g ? g->hidden : 99;
}

UINT PropHidden(const CPropertiesImpl& s, int32_t id)
{
    const CSchemaProperty* p = s.FindProperty(id);
    return p ? p->hidden : 99;
}

bool Offers(const CSchemaProperty* p, int32_t value)
{
    for (const SchemaOption& o : p->options)
        if (o.value == value) return true;
    return false;
}

using OutputStates = SchemaResources;

struct VideoStateRow {
    int32_t format, includeVideo, includeAudio;
    UINT video, audio, frame, rate, aspect;  // hidden states expected
};

TEST_F(OutputStates, VideoRowsFollowFormatAndIncludeSwitches)
{
    // One object through every row: each row must depend only on the values,
    // never on what an earlier row hid.
    const VideoStateRow rows[] = {
        {13, 1, 1, 0, 0, 0, 0, 0}, {13, 0, 1, 1, 0, 1, 1, 1}, {13, 1, 1, 0, 0, 0, 0, 0},
        {13, 1, 0, 0, 1, 0, 0, 0}, {13, 0, 0, 1, 1, 1, 1, 1}, {0, 1, 1, 1, 1, 1, 1, 0},
        {0, 0, 1, 1, 1, 1, 1, 1},  {100, 1, 1, 1, 1, 1, 1, 1}, {100, 0, 0, 1, 1, 1, 1, 1},
        {13, 1, 1, 0, 0, 0, 0, 0}, {0, 1, 0, 1, 1, 1, 1, 0},  {13, 0, 1, 1, 0, 1, 1, 1},
    };
    CVideoFileObj video;
    video.CreateSchema();
    for (const VideoStateRow& r : rows) {
        video.file_format = r.format;
        video.include_video = r.includeVideo;
        video.include_audio = r.includeAudio;
        video.UpdateStates();
        SCOPED_TRACE(testing::Message() << "format " << r.format << " video " << r.includeVideo << " audio "
                                        << r.includeAudio);
        EXPECT_EQ(GroupHidden(video, SCHEMA_GROUP_VIDEO), r.video);
        EXPECT_EQ(GroupHidden(video, SCHEMA_GROUP_AUDIO), r.audio);
        EXPECT_EQ(GroupHidden(video, SCHEMA_GROUP_FRAME_SIZE), r.frame);
        EXPECT_EQ(PropHidden(video, SCHEMA_PROP_FRAME_RATE), r.rate);
        EXPECT_EQ(PropHidden(video, SCHEMA_PROP_ASPECT_RATIO), r.aspect);
    }
}

TEST_F(OutputStates, AudioGroupFollowsFormat)
{
    CAudioFileObj audio;
    audio.CreateSchema();
    const std::pair<int32_t, UINT> rows[] = {{0, 1}, {19, 0}, {100, 1}, {20, 0}};
    for (auto [format, hidden] : rows) {
        audio.file_format = format;
        audio.UpdateStates();
        EXPECT_EQ(GroupHidden(audio, SCHEMA_GROUP_AUDIO), hidden) << "format " << format;
    }
    EXPECT_EQ(audio.FindGroup(SCHEMA_GROUP_VIDEO), nullptr);
}

TEST_F(OutputStates, ImageSheetRowsAndNameBuilderFieldsNeverShow)
{
    CImageFileObj image;
    image.CreateSchema();
    image.images_rows = 5;
    image.is_join_image = 1;
    image.UpdateStates();
    EXPECT_EQ(PropHidden(image, OUTPUT_PROP_IMAGES_ROWS), 1u);
    EXPECT_EQ(PropHidden(image, OUTPUT_PROP_IMAGES_COLS), 1u);
    EXPECT_EQ(PropHidden(image, OUTPUT_PROP_JOIN_IMAGES), 0u);
    EXPECT_EQ(image.FindProperty(OUTPUT_PROP_JOIN_IMAGES)->buttonKind, SPB_JOIN_IMAGES);

    CVideoFileObj video;
    video.CreateSchema();
    for (const COutputFileObj* o : {static_cast<COutputFileObj*>(&image), static_cast<COutputFileObj*>(&video)})
        for (int32_t id = OUTPUT_PROP_NAME_CASE; id <= OUTPUT_PROP_DUPFORMAT; ++id) {
            const CSchemaProperty* p = o->FindProperty(id);
            ASSERT_NE(p, nullptr) << id;
            EXPECT_TRUE(p->flags & SPF_NO_ROW) << id;
            EXPECT_TRUE(p->name.empty()) << id;
        }
}

TEST_F(OutputStates, FormatListsOfferTheirCategory)
{
    CVideoFileObj video;
    CAudioFileObj audio;
    CImageFileObj image;
    video.CreateSchema();
    audio.CreateSchema();
    image.CreateSchema();
    const CSchemaProperty* v = video.FindProperty(SCHEMA_PROP_FILE_FORMAT);
    const CSchemaProperty* a = audio.FindProperty(SCHEMA_PROP_FILE_FORMAT);
    const CSchemaProperty* i = image.FindProperty(SCHEMA_PROP_FILE_FORMAT);
    ASSERT_TRUE(v && a && i);
    EXPECT_TRUE(Offers(v, 13));
    EXPECT_TRUE(Offers(v, kSameAsSourceFormatId));
    EXPECT_FALSE(Offers(v, 19));
    EXPECT_TRUE(Offers(a, 19));
    EXPECT_TRUE(Offers(a, kSameAsSourceFormatId));
    EXPECT_FALSE(Offers(a, 13));
    EXPECT_TRUE(Offers(i, 23));
    EXPECT_FALSE(Offers(i, kSameAsSourceFormatId));
    for (const SchemaOption& o : v->options) EXPECT_FALSE(o.text.empty());
    // The file group comes first, with the folder and name builder buttons.
    EXPECT_EQ(video.groups.front()->id, OUTPUT_GROUP_FILE);
    EXPECT_EQ(video.FindProperty(OUTPUT_PROP_DESTINATION)->buttonKind, SPB_FOLDER);
    EXPECT_EQ(video.FindProperty(OUTPUT_PROP_FILE_NAME)->buttonKind, SPB_FILE_NAME_BUILDER);
}

}  // namespace
