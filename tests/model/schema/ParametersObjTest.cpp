#include "model/schema/ParametersObj.h"

#include <gtest/gtest.h>

TEST(ParametersObj, AdvancedDefaultsAndResetKeepsBackgroundAudio)
{
    CParametersObj p;
    EXPECT_TRUE(p.profile_name.empty() && p.destination.empty() && p.file_name.empty() && p.num_format.empty() &&
                p.dupformat.empty() && p.video_codec.empty() && p.audio_codec.empty() && p.image_size.empty() &&
                p.adv_bg_audio.empty());
    p.adv_split_count_part = 9;
    p.adv_split_size = 1;
    p.adv_split_time = 1;
    p.adv_image_duration = 1;
    p.adv_enable_split = 1;
    p.adv_operation = 3;
    p.adv_bg_audio = L"/music/bg.mp3";
    p.InitDefaults();
    EXPECT_EQ(p.adv_operation, 0);
    EXPECT_EQ(p.adv_split_count_part, 2);
    EXPECT_EQ(p.adv_split_size, 700);
    EXPECT_EQ(p.adv_split_time, 10);
    EXPECT_EQ(p.adv_image_duration, 10);
    EXPECT_EQ(p.adv_enable_split, 0);
    EXPECT_EQ(p.adv_bg_audio, L"/music/bg.mp3");
}
