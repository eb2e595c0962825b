// Every property of each output settings schema, group by group in the order
// the grid walks them: property id, bound key, type, flag word, button kind,
// limits and the bound value after construction. The flag word decides how the
// grid edits a row and whether a change rebuilds the grid, so it is checked
// whole, one table per schema.
#include "GoldenTable.h"
#include "model/output/AudioFileObj.h"
#include "model/output/ImageFileObj.h"
#include "model/output/VideoFileObj.h"

#include <functional>
#include <map>
#include <memory>

using namespace golden;

namespace {

constexpr UINT kIntRow = SCHEMA_TYPE_INT;
constexpr UINT kTextRow = SCHEMA_TYPE_STRING;

struct PropertyRow {
    int32_t group;
    int32_t id;
    const wchar_t* key;
    UINT type;
    UINT flags;
    UINT button;
    const wchar_t* value;
    int32_t minimum = 0;
    int32_t maximum = 0;
};
using SchemaTable = std::vector<PropertyRow>;

SchemaTable JoinRows(std::initializer_list<SchemaTable> parts)
{
    SchemaTable all;
    for (const SchemaTable& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

std::wstring Hex(UINT v)
{
    wchar_t buf[16];
    swprintf(buf, 16, L"0x%04X", v);
    return buf;
}

std::wstring PropertyText(int32_t group, int32_t id, const std::wstring& key, UINT type, UINT flags, UINT button,
                          int32_t minimum, int32_t maximum, const std::wstring& value)
{
    return L"group " + std::to_wstring(group) + L" id " + std::to_wstring(id) + L" " + key + L" type " +
           std::to_wstring(type) + L" flags " + Hex(flags) + L" button " + std::to_wstring(button) + L" range " +
           std::to_wstring(minimum) + L".." + std::to_wstring(maximum) + L" = \"" + value + L"\"";
}

std::vector<std::wstring> Expected(const SchemaTable& table)
{
    std::vector<std::wstring> rows;
    for (const PropertyRow& r : table)
        rows.push_back(PropertyText(r.group, r.id, r.key, r.type, r.flags, r.button, r.minimum, r.maximum, r.value));
    return rows;
}

// The schema's rows; each property's key is the name its field is registered
// under in node.
std::vector<std::wstring> Actual(const CPropertiesImpl& schema, const CConfigMng& node)
{
    std::map<const void*, std::wstring> keys;
    for (const ConfigParam& p : node.Params()) keys.emplace(p.member, std::wstring(p.ShortName()));
    std::vector<std::wstring> rows;
    for (const auto& group : schema.groups)
        for (const auto& p : group->properties) {
            auto key = keys.find(p->value);
            rows.push_back(PropertyText(group->id, p->id, key == keys.end() ? L"(unbound)" : key->second, p->type,
                                        p->flags, p->buttonKind, p->minimum, p->maximum,
                                        ValueText(p->type == SCHEMA_TYPE_STRING ? kText : kInt, p->value)));
        }
    return rows;
}

// Group 10: where and under which names the files go; 56 to 63 have no row and
// are edited by the file-name builder.
SchemaTable FileGroup()
{
    return {
        {10, 14, L"destination", kTextRow, 0x2002, SPB_FOLDER, L""},
        {10, 13, L"file_name", kTextRow, 0x2002, SPB_FILE_NAME_BUILDER, L"*.*"},
        {10, 12, L"overwrite", kIntRow, 0x2004, 0, L"1"},
        {10, 56, L"name_case", kIntRow, 0x0800, 0, L"0"},
        {10, 57, L"ext_case", kIntRow, 0x0800, 0, L"0"},
        {10, 58, L"num_format", kTextRow, 0x0800, 0, L"%02d"},
        {10, 59, L"st_with", kIntRow, 0x0800, 0, L"0"},
        {10, 60, L"increment", kIntRow, 0x0800, 0, L"1"},
        {10, 61, L"websafe", kIntRow, 0x0800, 0, L"0"},
        {10, 62, L"formatdepext", kIntRow, 0x0800, 0, L"1"},
        {10, 63, L"dupformat", kTextRow, 0x0800, 0, L"%02d"},
    };
}

const SchemaTable kFormatOnly = {{17, 11, L"file_format", kIntRow, 0x0009, 0, L"0"}};

const SchemaTable kVideoSystem = {
    {17, 11, L"file_format", kIntRow, 0x0009, 0, L"0"},  {17, 18, L"include_video", kIntRow, 0x000C, 0, L"1"},
    {17, 19, L"include_audio", kIntRow, 0x000C, 0, L"1"}, {17, 31, L"frame_rate", kIntRow, 0x0001, 0, L"0"},
    {17, 30, L"aspect_ratio", kIntRow, 0x0001, 0, L"0"},
};

const SchemaTable kVideoGroup = {
    {21, 15, L"video_codec", kTextRow, 0x101A, 0, L""},
    {21, 70, L"vc_profile", kIntRow, 0x0001, 0, L"0"},
    {21, 22, L"video_rate_control", kIntRow, 0x0009, 0, L"0"},
    {21, 24, L"video_quality", kIntRow, 0x1000, 0, L"75"},
    {21, 25, L"video_bitrate", kIntRow, 0x1000, 0, L"2000"},
    {21, 26, L"max_bitrate", kIntRow, 0x1000, 0, L"2000"},
    {21, 27, L"max_buffer_window", kIntRow, 0x1000, 0, L"2000"},
    {21, 28, L"two_pass", kIntRow, 0x1004, 0, L"0"},
    {21, 29, L"key_frame_rate", kIntRow, 0x1000, 0, L"100"},
};

const SchemaTable kAudioGroup = {
    {7, 15, L"audio_codec", kTextRow, 0x1018, 0, L""},
    {7, 32, L"audio_channels", kIntRow, 0x1009, 0, L"2"},
    {7, 33, L"audio_sampling_rate", kIntRow, 0x1009, 0, L"44100"},
    {7, 34, L"audio_precision", kIntRow, 0x1001, 0, L"16"},
    {7, 22, L"audio_rate_control", kIntRow, 0x1009, 0, L"0"},
    {7, 24, L"audio_quality", kIntRow, 0x1000, 0, L"75"},
    {7, 25, L"audio_bitrate", kIntRow, 0x1001, 0, L"128"},
};

// Frame size of the video output (23) or image options of the image output (8).
SchemaTable ImageGroup(int32_t group)
{
    return {
        {group, 20, L"image_size", kTextRow, 0x1200, 0, L"100%"},
        {group, 35, L"resampling", kIntRow, 0x1001, 0, L"0"},
        {group, 36, L"resize_type", kIntRow, 0x1009, 0, L"0"},
        {group, 37, L"litterbox", kIntRow, 0x1009, 0, L"1"},
        {group, 38, L"litterbox_color", kIntRow, 0x1020, 0, L"0"},
    };
}

const SchemaTable kJoinImagesGroup = {
    {41, 40, L"is_join_image", kIntRow, 0x0412, SPB_JOIN_IMAGES, L"0"},
    {41, 42, L"images_rows", kIntRow, 0, 0, L"2"},
    {41, 43, L"images_cols", kIntRow, 0, 0, L"2"},
};

// Advanced schemas: the switch group, the split group, the join group.
SchemaTable VideoAdvanced(bool withDuration)
{
    SchemaTable t = {
        {67, 68, L"adv_enable_split", kIntRow, 0x000C, 0, L"0"},
        {67, 69, L"adv_enable_join", kIntRow, 0x000C, 0, L"0"},
        {46, 47, L"adv_split_type", kIntRow, 0x0009, 0, L"0"},
        {46, 48, L"adv_split_time", kIntRow, 0, 0, L"10"},
        {46, 50, L"adv_split_count_part", kIntRow, 0, 0, L"2"},
        {46, 51, L"adv_split_size", kIntRow, 0, 0, L"700"},
        {46, 49, L"adv_split_start_time", kIntRow, 0, 0, L"0"},
        {46, 64, L"adv_create_last_clip", kIntRow, 0x0004, 0, L"0"},
    };
    if (withDuration) t.push_back({53, 54, L"adv_image_duration", kIntRow, 0, 0, L"10"});
    t.push_back({53, 55, L"adv_bg_audio", kTextRow, 0x0002, SPB_AUDIO_FILE, L""});
    return t;
}

const SchemaTable kImageAdvanced = {
    {67, 68, L"adv_image_extract_mode", kIntRow, 0x0009, 0, L"0"},
    {44, 49, L"adv_split_start_time", kIntRow, 0, 0, L"0"},
    {44, 47, L"adv_split_type", kIntRow, 0x0009, 0, L"0"},
    {44, 48, L"adv_split_time", kIntRow, 0, 0, L"10"},
    {44, 50, L"adv_split_count_part", kIntRow, 0, 0, L"2"},
};

struct SchemaCase {
    const char* name;
    // Builds and binds a fresh object; returns the schema to read.
    std::function<const CPropertiesImpl&(CConfigMng&, std::shared_ptr<void>&)> build;
    SchemaTable table;
};

void PrintTo(const SchemaCase& c, std::ostream* os) { *os << c.name; }

template <class Output>
const CPropertiesImpl& BuildOutput(CConfigMng& node, std::shared_ptr<void>& keep, const wchar_t* prefix)
{
    auto output = std::make_shared<Output>();
    output->Bind(prefix, &node);
    output->CreateSchema();
    keep = output;
    return *output;
}

template <class Output>
const CPropertiesImpl& BuildAdvanced(CConfigMng& node, std::shared_ptr<void>& keep, const wchar_t* prefix)
{
    auto output = std::make_shared<Output>();
    output->Bind(prefix, &node);
    output->CreateSchema();
    keep = output;
    return output->m_adv;
}

class OutputSchemaGolden : public ::testing::TestWithParam<SchemaCase> {};

TEST_P(OutputSchemaGolden, HoldsEveryPropertyWithItsFlagsButtonAndDefault)
{
    const SchemaCase& c = GetParam();
    CConfigMng node;
    std::shared_ptr<void> keep;
    const CPropertiesImpl& schema = c.build(node, keep);
    ExpectSameRows(Expected(c.table), Actual(schema, node));
}

INSTANTIATE_TEST_SUITE_P(
    Schemas, OutputSchemaGolden,
    ::testing::Values(
        SchemaCase{"VideoOutput",
                   [](CConfigMng& n, std::shared_ptr<void>& k) -> const CPropertiesImpl& {
                       return BuildOutput<CVideoFileObj>(n, k, L"video_file");
                   },
                   JoinRows({FileGroup(), kVideoSystem, kVideoGroup, kAudioGroup, ImageGroup(23)})},
        SchemaCase{"ImageOutput",
                   [](CConfigMng& n, std::shared_ptr<void>& k) -> const CPropertiesImpl& {
                       return BuildOutput<CImageFileObj>(n, k, L"image_file");
                   },
                   JoinRows({FileGroup(), kFormatOnly, ImageGroup(8), kJoinImagesGroup})},
        SchemaCase{"AudioOutput",
                   [](CConfigMng& n, std::shared_ptr<void>& k) -> const CPropertiesImpl& {
                       return BuildOutput<CAudioFileObj>(n, k, L"audio_file");
                   },
                   JoinRows({FileGroup(), kFormatOnly, kAudioGroup})},
        SchemaCase{"VideoAdvanced",
                   [](CConfigMng& n, std::shared_ptr<void>& k) -> const CPropertiesImpl& {
                       return BuildAdvanced<CVideoFileObj>(n, k, L"video_file");
                   },
                   VideoAdvanced(true)},
        SchemaCase{"AudioAdvanced",
                   [](CConfigMng& n, std::shared_ptr<void>& k) -> const CPropertiesImpl& {
                       return BuildAdvanced<CAudioFileObj>(n, k, L"audio_file");
                   },
                   VideoAdvanced(false)},
        SchemaCase{"ImageAdvanced",
                   [](CConfigMng& n, std::shared_ptr<void>& k) -> const CPropertiesImpl& {
                       return BuildAdvanced<CImageFileObj>(n, k, L"image_file");
                   },
                   kImageAdvanced}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
