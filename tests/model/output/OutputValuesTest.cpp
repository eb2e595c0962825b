// By-key access of the output objects: each reaches only its own fields, with
// the field's own type.
#include "model/config/ConfigMng.h"
#include "model/output/AudioFileObj.h"
#include "model/output/VideoFileObj.h"

#include <gtest/gtest.h>

namespace {

class OutputValues : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Video first, as in the project: its "audio_codec" is registered
        // before the audio output's.
        ASSERT_EQ(video.Bind(L"video_file", &node), S_OK);
        ASSERT_EQ(audio.Bind(L"audio_file", &node), S_OK);
        video.audio_codec = L"AAC";
        audio.audio_codec = L"MP3";
        video.audio_bitrate = 96;
        audio.audio_bitrate = 320;
    }
    CConfigMng node;
    CVideoFileObj video;
    CAudioFileObj audio;
};

TEST_F(OutputValues, SharedKeysReachTheOwnOutput)
{
    CVariant v;
    EXPECT_EQ(audio.GetValue(L"audio_bitrate", &v), S_OK);
    EXPECT_EQ(v.AsInt(), 320);
    EXPECT_EQ(audio.GetValue(L"audio_codec", &v), S_OK);
    ASSERT_EQ(v.vt, VT_BSTR);
    EXPECT_EQ(v.AsString(), L"MP3");

    EXPECT_EQ(audio.SetValue(L"audio_bitrate", CVariant(int32_t(192))), S_OK);
    EXPECT_EQ(audio.audio_bitrate, 192);
    EXPECT_EQ(video.audio_bitrate, 96);
    EXPECT_EQ(audio.SetValue(L"audio_codec", CVariant(L"Opus")), S_OK);
    EXPECT_EQ(audio.audio_codec, L"Opus");
    EXPECT_EQ(video.audio_codec, L"AAC");
}

TEST_F(OutputValues, ValueKindMustMatchTheField)
{
    // A text never lands in a number, a number never in a text, and a text
    // field is handed out as text, not as bits of its storage.
    EXPECT_EQ(video.SetValue(L"video_bitrate", CVariant(L"5000")), S_OK);
    EXPECT_EQ(video.video_bitrate, 2000);
    EXPECT_EQ(video.SetValue(L"video_codec", CVariant(int32_t(7))), S_OK);
    EXPECT_TRUE(video.video_codec.empty());
    video.video_codec = L"H.264";
    CVariant v;
    video.GetValue(L"video_codec", &v);
    ASSERT_EQ(v.vt, VT_BSTR);
    EXPECT_EQ(v.AsString(), L"H.264");
    video.GetValue(L"video_bitrate", &v);
    EXPECT_NE(v.vt, VT_BSTR);
    EXPECT_EQ(v.AsInt(), 2000);
}

TEST_F(OutputValues, UnknownKeysAndUnboundObjectsChangeNothing)
{
    CVariant v(int32_t(5));
    EXPECT_EQ(audio.GetValue(L"video_bitrate", &v), S_OK);  // the video output's key
    EXPECT_EQ(v.vt, VT_I4);
    EXPECT_EQ(v.lVal, 5);
    EXPECT_EQ(audio.SetValue(L"video_bitrate", CVariant(int32_t(1))), S_OK);
    EXPECT_EQ(video.video_bitrate, 2000);
    EXPECT_EQ(audio.GetValue(nullptr, &v), S_OK);
    EXPECT_EQ(audio.GetValue(L"audio_bitrate", nullptr), S_OK);

    CAudioFileObj unbound;
    EXPECT_EQ(unbound.GetValue(L"audio_bitrate", &v), S_OK);
    EXPECT_EQ(v.lVal, 5);
    EXPECT_EQ(unbound.SetValue(L"audio_bitrate", CVariant(int32_t(1))), S_OK);
    EXPECT_EQ(unbound.audio_bitrate, 128);
}

}  // namespace
