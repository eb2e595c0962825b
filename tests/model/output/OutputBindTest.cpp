// Registration of the output objects into a node: counts, order, profile flags
// and the watermark child group.
#include "model/config/ConfigMng.h"
#include "model/output/AudioFileObj.h"
#include "model/output/ImageFileObj.h"
#include "model/output/VideoFileObj.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <string>

namespace {

struct BindCase {
    const char* label;
    std::function<std::unique_ptr<COutputFileObj>()> make;
    std::wstring prefix;
    size_t count;
    std::wstring first, last;
    std::set<std::wstring> flagged;  // short names
    int watermarkGroup;              // -1: none
};

void PrintTo(const BindCase& c, std::ostream* os) { *os << c.label; }

std::set<std::wstring> Flagged(const CConfigMng& node)
{
    std::set<std::wstring> names;
    for (const ConfigParam& p : node.Params())
        if (p.flag) names.insert(std::wstring(p.ShortName()));
    return names;
}

const std::set<std::wstring> kFrameFlagged = {L"file_format", L"image_size", L"resize_type", L"resampling",
                                              L"litterbox", L"litterbox_color"};
const std::set<std::wstring> kAudioKeys = {L"audio_codec", L"audio_channels", L"audio_sampling_rate",
                                           L"audio_bitrate", L"audio_precision", L"audio_rate_control",
                                           L"audio_quality"};

std::set<std::wstring> VideoFlagged()
{
    std::set<std::wstring> s = kFrameFlagged;
    for (const wchar_t* k : {L"frame_rate", L"aspect_ratio", L"include_video", L"video_codec", L"video_bitrate",
                             L"video_quality", L"two_pass", L"key_frame_rate", L"video_rate_control",
                             L"max_bitrate", L"vc_profile", L"include_audio"})
        s.insert(k);
    s.insert(kAudioKeys.begin(), kAudioKeys.end());
    return s;
}

std::set<std::wstring> AudioFlagged()
{
    std::set<std::wstring> s = kAudioKeys;
    s.insert(L"file_format");
    return s;
}

class OutputBind : public ::testing::TestWithParam<BindCase> {};

TEST_P(OutputBind, RegistersKeysInOrderWithFlagsAndGroup)
{
    const BindCase& c = GetParam();
    CConfigMng node;
    auto output = c.make();
    ASSERT_EQ(output->Bind(c.prefix, &node), S_OK);

    const auto& params = node.Params();
    ASSERT_EQ(params.size(), c.count);
    EXPECT_EQ(params.front().name, c.prefix + L"." + c.first);
    EXPECT_EQ(params.back().name, c.prefix + L"." + c.last);
    EXPECT_EQ(Flagged(node), c.flagged);
    for (const ConfigParam& p : params) EXPECT_EQ(p.name.rfind(c.prefix + L".", 0), 0u) << p.name;

    if (c.watermarkGroup < 0) {
        EXPECT_TRUE(node.Groups().empty());
    } else {
        ASSERT_EQ(node.Groups().size(), 1u);
        EXPECT_EQ(node.Groups()[0].id, static_cast<DWORD>(c.watermarkGroup));
    }
    EXPECT_EQ(output->GetNode(), &node);
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, OutputBind,
    ::testing::Values(
        BindCase{"video", [] { return std::make_unique<CVideoFileObj>(); }, L"video_file", 98, L"is_create",
                 L"eraser_cell", VideoFlagged(), 11},
        BindCase{"image", [] { return std::make_unique<CImageFileObj>(); }, L"image_file", 78, L"is_create",
                 L"eraser_cell", kFrameFlagged, 10},
        BindCase{"audio", [] { return std::make_unique<CAudioFileObj>(); }, L"audio_file", 32, L"is_create",
                 L"adv_enable_join", AudioFlagged(), -1}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(OutputBind, NullNodeRegistersNothing)
{
    CVideoFileObj video;
    EXPECT_EQ(video.Bind(L"video_file", nullptr), E_POINTER);
    EXPECT_EQ(video.GetNode(), nullptr);
}

TEST(OutputBind, AdvancedKeysKeepTheirFileOrder)
{
    // The project file lists the duration and background audio before the
    // last-clip switch for video and audio, and the image keys in their own order.
    auto indexOf = [](const CConfigMng& node, const std::wstring& name) {
        const auto& params = node.Params();
        for (size_t i = 0; i < params.size(); ++i)
            if (params[i].name == name) return static_cast<long>(i);
        return -1L;
    };
    CConfigMng node;
    CVideoFileObj video;
    CImageFileObj image;
    ASSERT_EQ(video.Bind(L"video_file", &node), S_OK);
    ASSERT_EQ(image.Bind(L"image_file", &node), S_OK);
    long duration = indexOf(node, L"video_file.adv_image_duration");
    long bgAudio = indexOf(node, L"video_file.adv_bg_audio");
    long lastClip = indexOf(node, L"video_file.adv_create_last_clip");
    ASSERT_GE(duration, 0);
    EXPECT_EQ(bgAudio, duration + 1);
    EXPECT_EQ(lastClip, duration + 2);
    EXPECT_EQ(indexOf(node, L"image_file.adv_image_extract_mode"),
              indexOf(node, L"image_file.adv_image_creation_mode") + 1);
    EXPECT_EQ(indexOf(node, L"image_file.adv_bg_audio"), -1);
    EXPECT_EQ(node.Groups().size(), 2u);
}

TEST(OutputDefaults, FreshObjectsHoldTheirDefaultsAndOverrides)
{
    CVideoFileObj video;
    CImageFileObj image;
    CAudioFileObj audio;
    for (const COutputFileObj* o : {static_cast<const COutputFileObj*>(&video),
                                    static_cast<const COutputFileObj*>(&image),
                                    static_cast<const COutputFileObj*>(&audio)}) {
        EXPECT_EQ(o->file_name, L"*.*");
        EXPECT_EQ(o->num_format, L"%02d");
        EXPECT_EQ(o->dupformat, L"%02d");
        EXPECT_EQ(o->overwrite, 1);
        EXPECT_EQ(o->increment, 1);
        EXPECT_EQ(o->formatdepext, 1);
        EXPECT_EQ(o->file_format, 0);
        EXPECT_TRUE(o->profile_name.empty());
        EXPECT_TRUE(o->destination.empty());
    }
    EXPECT_EQ(video.is_create, 1);
    EXPECT_EQ(image.is_create, 0);
    EXPECT_EQ(audio.is_create, 0);
    EXPECT_EQ(image.include_audio, 0);
    EXPECT_EQ(audio.include_video, 0);
    EXPECT_EQ(image.images_rows, 2);
    EXPECT_EQ(image.images_cols, 2);
    EXPECT_EQ(video.m_watermarks.video_output, 1u);
    EXPECT_EQ(image.m_watermarks.video_output, 0u);
    EXPECT_EQ(video.m_eraser.eraser_right, 100);
    EXPECT_EQ(image.m_eraser.eraser_cell, 8);
    EXPECT_EQ(video.m_adv.adv_split_count_part, 2);
}

}  // namespace
