// Every key each settings object registers, in registration order, with its
// type, profile flag and value after construction. The order is the order of
// the records in ".km" files and of the lines in profile text, so it is
// checked whole, one table per object.
#include "GoldenTable.h"
#include "model/edit/WatermarkObj.h"
#include "model/output/AudioFileObj.h"
#include "model/output/ImageFileObj.h"
#include "model/output/VideoFileObj.h"

#include <functional>
#include <memory>

using namespace golden;

namespace {

KeyTable CommonKeys(const wchar_t* isCreate)
{
    return {
        {L"is_create", kInt, 0, isCreate},   {L"destination", kText, 0, L""},  {L"file_name", kText, 0, L"*.*"},
        {L"overwrite", kInt, 0, L"1"},       {L"file_format", kInt, 1, L"0"},  {L"name_case", kInt, 0, L"0"},
        {L"ext_case", kInt, 0, L"0"},        {L"num_format", kText, 0, L"%02d"}, {L"st_with", kInt, 0, L"0"},
        {L"increment", kInt, 0, L"1"},       {L"websafe", kInt, 0, L"0"},      {L"formatdepext", kInt, 0, L"1"},
        {L"dupformat", kText, 0, L"%02d"},   {L"profile_name", kText, 0, L""},
    };
}

const KeyTable kFrameKeys = {
    {L"image_size", kText, 1, L"100%"}, {L"resize_type", kInt, 1, L"0"},     {L"resampling", kInt, 1, L"0"},
    {L"litterbox", kInt, 1, L"1"},      {L"litterbox_color", kInt, 1, L"0"},
};

const KeyTable kVideoKeys = {
    {L"frame_rate", kInt, 1, L"0"},         {L"aspect_ratio", kInt, 1, L"0"},
    {L"include_video", kInt, 1, L"1"},      {L"video_codec", kText, 1, L""},
    {L"video_bitrate", kInt, 1, L"2000"},   {L"video_quality", kInt, 1, L"75"},
    {L"two_pass", kInt, 1, L"0"},           {L"key_frame_rate", kInt, 1, L"100"},
    {L"video_rate_control", kInt, 1, L"0"}, {L"max_bitrate", kInt, 1, L"2000"},
    {L"max_buffer_window", kInt, 0, L"2000"}, {L"vc_profile", kInt, 1, L"0"},
    {L"include_audio", kInt, 1, L"1"},
};

const KeyTable kAudioKeys = {
    {L"audio_codec", kText, 1, L""},         {L"audio_channels", kInt, 1, L"2"},
    {L"audio_sampling_rate", kInt, 1, L"44100"}, {L"audio_bitrate", kInt, 1, L"128"},
    {L"audio_precision", kInt, 1, L"16"},    {L"audio_rate_control", kInt, 1, L"0"},
    {L"audio_quality", kInt, 1, L"75"},
};

const KeyTable kJoinImageKeys = {
    {L"is_join_image", kInt, 0, L"0"}, {L"images_rows", kInt, 0, L"2"}, {L"images_cols", kInt, 0, L"2"},
};

// The duration and background audio come before the last-clip switch.
const KeyTable kVideoAdvKeys = {
    {L"adv_operation", kInt, 0, L"0"},       {L"adv_split_type", kInt, 0, L"0"},
    {L"adv_split_count_part", kInt, 0, L"2"}, {L"adv_split_size", kInt, 0, L"700"},
    {L"adv_split_time", kInt, 0, L"10"},     {L"adv_split_start_time", kInt, 0, L"0"},
    {L"adv_image_duration", kInt, 0, L"10"}, {L"adv_bg_audio", kText, 0, L""},
    {L"adv_create_last_clip", kInt, 0, L"0"}, {L"adv_enable_split", kInt, 0, L"0"},
    {L"adv_enable_join", kInt, 0, L"0"},
};

const KeyTable kImageAdvKeys = {
    {L"adv_operation", kInt, 0, L"0"},       {L"adv_split_type", kInt, 0, L"0"},
    {L"adv_split_count_part", kInt, 0, L"2"}, {L"adv_split_size", kInt, 0, L"700"},
    {L"adv_split_time", kInt, 0, L"10"},     {L"adv_split_start_time", kInt, 0, L"0"},
    {L"adv_image_creation_mode", kInt, 0, L"0"}, {L"adv_image_extract_mode", kInt, 0, L"0"},
};

// Spelled as the files store them ("nagative", "enchange").
const KeyTable kFilterKeys = {
    {L"nagative", kInt, 0, L"0"},   {L"grayscale", kInt, 0, L"0"},  {L"sharpen", kInt, 0, L"0"},
    {L"soften", kInt, 0, L"0"},     {L"enchange", kInt, 0, L"0"},   {L"deinterlace", kInt, 0, L"0"},
    {L"autolevel", kInt, 0, L"0"},  {L"autocontrast", kInt, 0, L"0"}, {L"brightness", kInt, 0, L"0"},
    {L"contrast", kInt, 0, L"0"},   {L"gamma", kInt, 0, L"0"},      {L"red", kInt, 0, L"0"},
    {L"green", kInt, 0, L"0"},      {L"blue", kInt, 0, L"0"},       {L"balancec", kInt, 0, L"0"},
    {L"balancem", kInt, 0, L"0"},   {L"balancey", kInt, 0, L"0"},   {L"preservel", kInt, 0, L"0"},
    {L"range", kInt, 0, L"0"},      {L"level", kText, 0, L"0:1.00:255"}, {L"hue", kInt, 0, L"0"},
    {L"saturation", kInt, 0, L"0"}, {L"luminosity", kInt, 0, L"0"}, {L"y", kInt, 0, L"0"},
    {L"u", kInt, 0, L"0"},          {L"v", kInt, 0, L"0"},          {L"cmyk_c", kInt, 0, L"0"},
    {L"cmyk_m", kInt, 0, L"0"},     {L"cmyk_y", kInt, 0, L"0"},     {L"cmyk_h", kInt, 0, L"0"},
    {L"lms_l", kInt, 0, L"0"},      {L"lms_m", kInt, 0, L"0"},      {L"lms_s", kInt, 0, L"0"},
    {L"depth_map", kInt, 0, L"0"},
};

const KeyTable kCropKeys = {
    {L"crop_left", kInt, 0, L"0"}, {L"crop_right", kInt, 0, L"0"}, {L"crop_top", kInt, 0, L"0"},
    {L"crop_bottom", kInt, 0, L"0"}, {L"flip_h", kInt, 0, L"0"},   {L"flip_v", kInt, 0, L"0"},
    {L"rotate", kInt, 0, L"0"},
};

// As a visual output sets them up.
const KeyTable kEraserKeys = {
    {L"eraser_type", kInt, 0, L"0"},    {L"eraser_left", kInt, 0, L"0"},     {L"eraser_right", kInt, 0, L"100"},
    {L"eraser_top", kInt, 0, L"0"},     {L"eraser_bottom", kInt, 0, L"100"}, {L"eraser_strength", kInt, 0, L"8"},
    {L"eraser_cell", kInt, 0, L"8"},
};

// Registered on the watermark's own node, without a prefix; the start and end
// times come before the range type, the offset before the duration.
const KeyTable kWatermarkKeys = {
    {L"watermark_id", kInt, 0, L"0"},
    {L"text", kText, 0, L"www.example.com"},
    {L"placement", kInt, 0, L"8"},
    {L"x", kInt, 0, L"10"},
    {L"y", kInt, 0, L"10"},
    {L"width", kInt, 0, L"100"},
    {L"height", kInt, 0, L"100"},
    {L"stretching", kInt, 0, L"0"},
    {L"transparency", kInt, 0, L"0"},
    {L"angel", kInt, 0, L"0"},
    {L"figure_type", kInt, 0, L"2"},
    {L"curve", kInt, 0, L"0"},
    {L"border", kInt, 0, L"2"},
    {L"color", kInt, 0, L"0"},
    {L"font_name", kText, 0, L"Tahoma"},
    {L"font_size", kInt, 0, L"10"},
    {L"font_bold", kInt, 0, L"0"},
    {L"font_italic", kInt, 0, L"0"},
    {L"font_underline", kInt, 0, L"0"},
    {L"font_strikeout", kInt, 0, L"0"},
    {L"font_align", kInt, 0, L"0"},
    {L"font_charset", kInt, 0, L"0"},
    {L"path", kText, 0, L""},
    {L"resize", kText, 0, L"100%"},
    {L"stroke", kInt, 0, L"0"},
    {L"strokecolor", kInt, 0, L"255"},
    {L"strokewidth", kInt, 0, L"1"},
    {L"stroketransparency", kInt, 0, L"0"},
    {L"dropshadow", kInt, 0, L"0"},
    {L"dropshadowtransparency", kInt, 0, L"25"},
    {L"dropshadowcolor", kInt, 0, L"0"},
    {L"dropshadowangle", kInt, 0, L"45"},
    {L"dropshadowsize", kInt, 0, L"4"},
    {L"dropshadowdistance", kInt, 0, L"8"},
    {L"fadeIn", kInt, 0, L"0"},
    {L"fadeInduration", kInt, 0, L"2"},
    {L"fadeOut", kInt, 0, L"0"},
    {L"fadeOutduration", kInt, 0, L"2"},
    {L"timelineAllVideo", kInt, 0, L"0"},
    {L"timelineStartTime", kText, 0, L"0:00:00"},
    {L"timelineEndTime", kText, 0, L"0:00:10"},
    {L"timelineType", kInt, 0, L"0"},
    {L"timelineOffsetTime", kText, 0, L"0:00:00"},
    {L"timelineDurationTime", kText, 0, L"0:00:10"},
};

// A settings object bound into a fresh node; the object stays alive with the
// node so the records' members can be read.
struct Bound {
    std::shared_ptr<void> owner;
    std::shared_ptr<CConfigMng> node = std::make_shared<CConfigMng>();
};

template <class T, class BindFn>
Bound BindFresh(BindFn bind)
{
    Bound b;
    auto object = std::make_shared<T>();
    bind(*object, b.node.get());
    b.owner = object;
    return b;
}

struct KeysCase {
    const char* name;
    std::wstring prefix;
    std::function<Bound()> bind;
    KeyTable table;
};

void PrintTo(const KeysCase& c, std::ostream* os) { *os << c.name; }

class SettingsKeysGolden : public ::testing::TestWithParam<KeysCase> {};

TEST_P(SettingsKeysGolden, RegistersEveryKeyInOrderWithTypeFlagAndDefault)
{
    const KeysCase& c = GetParam();
    Bound bound = c.bind();
    ExpectSameRows(ExpectedKeys(c.table), ActualKeys(*bound.node, c.prefix));
}

const std::wstring kVideo = L"video_file";
const std::wstring kImage = L"image_file";
const std::wstring kAudio = L"audio_file";

INSTANTIATE_TEST_SUITE_P(
    Objects, SettingsKeysGolden,
    ::testing::Values(
        KeysCase{"VideoOutput", kVideo,
                 [] { return BindFresh<CVideoFileObj>([](auto& o, CConfigMng* n) { o.Bind(kVideo, n); }); },
                 Join({CommonKeys(L"1"), kFrameKeys, kVideoKeys, kAudioKeys, kVideoAdvKeys, kFilterKeys, kCropKeys,
                       kEraserKeys})},
        KeysCase{"ImageOutput", kImage,
                 [] { return BindFresh<CImageFileObj>([](auto& o, CConfigMng* n) { o.Bind(kImage, n); }); },
                 Join({CommonKeys(L"0"), kFrameKeys, kJoinImageKeys, kImageAdvKeys, kFilterKeys, kCropKeys,
                       kEraserKeys})},
        KeysCase{"AudioOutput", kAudio,
                 [] { return BindFresh<CAudioFileObj>([](auto& o, CConfigMng* n) { o.Bind(kAudio, n); }); },
                 Join({CommonKeys(L"0"), kAudioKeys, kVideoAdvKeys})},
        KeysCase{"VideoAdvanced", kVideo,
                 [] { return BindFresh<CVideoFileAdvObj>([](auto& o, CConfigMng* n) { o.Bind(kVideo, n); }); },
                 kVideoAdvKeys},
        KeysCase{"AudioAdvanced", kAudio,
                 [] { return BindFresh<CAudioFileAdvObj>([](auto& o, CConfigMng* n) { o.Bind(kAudio, n); }); },
                 kVideoAdvKeys},
        KeysCase{"ImageAdvanced", kImage,
                 [] { return BindFresh<CImageFileAdvObj>([](auto& o, CConfigMng* n) { o.Bind(kImage, n); }); },
                 kImageAdvKeys},
        KeysCase{"Filters", kImage,
                 [] { return BindFresh<CFiltersObj>([](auto& o, CConfigMng* n) { o.Bind(kImage, n); }); },
                 kFilterKeys},
        KeysCase{"Crop", kVideo,
                 [] { return BindFresh<CCropObj>([](auto& o, CConfigMng* n) { o.Bind(kVideo, n); }); }, kCropKeys},
        KeysCase{"EraserOfAVisualOutput", kVideo,
                 [] {
                     return BindFresh<CVideoFileObj>([](auto& o, CConfigMng* n) { o.m_eraser.Bind(kVideo, n); });
                 },
                 kEraserKeys},
        KeysCase{"Watermark", L"",
                 [] {
                     // The watermark is its own node.
                     Bound b;
                     auto watermark = std::make_shared<CWatermarkObj>(1u);
                     b.node = std::shared_ptr<CConfigMng>(watermark, watermark.get());
                     b.owner = watermark;
                     return b;
                 },
                 kWatermarkKeys}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
