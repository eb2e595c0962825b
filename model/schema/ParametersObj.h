#pragma once
// The parameter block of the output settings: every value of the three output
// kinds, named after its key. The schema and the output objects bind to these
// fields; the output objects register them with the parameter store.
#include <cstdint>
#include <string>

class CParametersObj {
public:
    // Strings start empty; the advanced fields get their defaults here, the
    // others from the schema and output constructors.
    CParametersObj();
    ~CParametersObj();

    // Resets the advanced ("adv_") settings; "adv_bg_audio" keeps its text.
    void InitDefaults();

    std::wstring profile_name;
    int32_t is_create = 0;
    std::wstring destination;
    std::wstring file_name;
    int32_t overwrite = 0;
    int32_t file_format = 0;
    int32_t name_case = 0;
    int32_t ext_case = 0;
    std::wstring num_format;
    int32_t st_with = 0;
    int32_t increment = 0;
    int32_t websafe = 0;
    int32_t formatdepext = 0;
    std::wstring dupformat;
    int32_t include_video = 0;
    std::wstring video_codec;
    int32_t video_quality = 0;
    int32_t video_bitrate = 0;
    int32_t max_bitrate = 0;
    int32_t max_buffer_window = 0;
    int32_t two_pass = 0;
    int32_t key_frame_rate = 0;
    int32_t video_rate_control = 0;
    int32_t vc_profile = 0;
    int32_t include_audio = 0;
    std::wstring audio_codec;
    int32_t audio_channels = 0;
    int32_t audio_sampling_rate = 0;
    int32_t audio_bitrate = 0;
    int32_t audio_precision = 0;
    int32_t audio_rate_control = 0;
    int32_t audio_quality = 0;
    int32_t frame_rate = 0;
    int32_t aspect_ratio = 0;
    std::wstring image_size;
    int32_t resampling = 0;
    int32_t resize_type = 0;
    int32_t litterbox = 0;
    int32_t litterbox_color = 0;
    int32_t is_join_image = 0;
    int32_t images_rows = 0;
    int32_t images_cols = 0;
    int32_t adv_operation = 0;
    int32_t adv_split_type = 0;
    int32_t adv_split_count_part = 0;
    int32_t adv_split_size = 0;
    int32_t adv_split_time = 0;
    int32_t adv_split_start_time = 0;
    int32_t adv_create_last_clip = 0;
    int32_t adv_enable_split = 0;
    int32_t adv_enable_join = 0;
    int32_t adv_image_extract_mode = 0;
    int32_t adv_image_duration = 0;
    std::wstring adv_bg_audio;
    int32_t adv_image_creation_mode = 0;
};
