#include "model/output/OutputFileObj.h"

#include "engine/OutputFormatEnum.h"
#include "model/config/ConfigMng.h"
#include "model/output/OutputIds.h"
#include "platform/TextConv.h"
#include <cstring>

COutputFileObj::COutputFileObj()
{
    profile_name.clear();
    is_create = 0;
    destination.clear();
    file_name = L"*.*";
    overwrite = 1;
    file_format = 0;
    name_case = 0;
    ext_case = 0;
    num_format = L"%02d";
    st_with = 0;
    increment = 1;
    websafe = 0;
    formatdepext = 1;
    dupformat = L"%02d";
}

COutputFileObj::~COutputFileObj() = default;

HRESULT COutputFileObj::RegisterKeys(const std::wstring& prefix, CConfigMng* node, const KeyEntry* keys,
                                     size_t count)
{
    if (!node) return E_POINTER;
    for (size_t i = 0; i < count; ++i) {
        HRESULT hr = CConfigMng::AddPrefixedParam(node, keys[i].key, prefix, keys[i].type, keys[i].field, keys[i].flag);
        if (FAILED(hr)) return hr;
    }
    return S_OK;
}

HRESULT COutputFileObj::RegisterSplitKeys(const std::wstring& prefix, CConfigMng* node)
{
    const KeyEntry keys[] = {
        {L"adv_operation", CONFIG_TYPE_INT, &adv_operation, 0},
        {L"adv_split_type", CONFIG_TYPE_INT, &adv_split_type, 0},
        {L"adv_split_count_part", CONFIG_TYPE_INT, &adv_split_count_part, 0},
        {L"adv_split_size", CONFIG_TYPE_INT, &adv_split_size, 0},
        {L"adv_split_time", CONFIG_TYPE_INT, &adv_split_time, 0},
        {L"adv_split_start_time", CONFIG_TYPE_INT, &adv_split_start_time, 0},
    };
    return RegisterKeys(prefix, node, keys);
}

HRESULT COutputFileObj::RegisterAudioKeys(const std::wstring& prefix, CConfigMng* node)
{
    const KeyEntry keys[] = {
        {L"audio_codec", CONFIG_TYPE_STRING, &audio_codec, 1},
        {L"audio_channels", CONFIG_TYPE_INT, &audio_channels, 1},
        {L"audio_sampling_rate", CONFIG_TYPE_INT, &audio_sampling_rate, 1},
        {L"audio_bitrate", CONFIG_TYPE_INT, &audio_bitrate, 1},
        {L"audio_precision", CONFIG_TYPE_INT, &audio_precision, 1},
        {L"audio_rate_control", CONFIG_TYPE_INT, &audio_rate_control, 1},
        {L"audio_quality", CONFIG_TYPE_INT, &audio_quality, 1},
    };
    return RegisterKeys(prefix, node, keys);
}

HRESULT COutputFileObj::Bind(const std::wstring& prefix, CConfigMng* node)
{
    if (!node) return E_POINTER;
    m_node = node;
    m_prefix = prefix;
    const KeyEntry keys[] = {
        {L"is_create", CONFIG_TYPE_INT, &is_create, 0},
        {L"destination", CONFIG_TYPE_STRING, &destination, 0},
        {L"file_name", CONFIG_TYPE_STRING, &file_name, 0},
        {L"overwrite", CONFIG_TYPE_INT, &overwrite, 0},
        {L"file_format", CONFIG_TYPE_INT, &file_format, 1},
        {L"name_case", CONFIG_TYPE_INT, &name_case, 0},
        {L"ext_case", CONFIG_TYPE_INT, &ext_case, 0},
        {L"num_format", CONFIG_TYPE_STRING, &num_format, 0},
        {L"st_with", CONFIG_TYPE_INT, &st_with, 0},
        {L"increment", CONFIG_TYPE_INT, &increment, 0},
        {L"websafe", CONFIG_TYPE_INT, &websafe, 0},
        {L"formatdepext", CONFIG_TYPE_INT, &formatdepext, 0},
        {L"dupformat", CONFIG_TYPE_STRING, &dupformat, 0},
        {L"profile_name", CONFIG_TYPE_STRING, &profile_name, 0},
    };
    return RegisterKeys(prefix, node, keys);
}

void COutputFileObj::CreateSchema()
{
    CSchemaProperties* g = AddGroup(61314, OUTPUT_GROUP_FILE);
    AddProperty(61321, g, OUTPUT_PROP_DESTINATION, SCHEMA_TYPE_STRING, &destination, 0x2002, SPB_FOLDER);
    AddProperty(61322, g, OUTPUT_PROP_FILE_NAME, SCHEMA_TYPE_STRING, &file_name, 0x2002, SPB_FILE_NAME_BUILDER);
    AddProperty(61323, g, OUTPUT_PROP_OVERWRITE, SCHEMA_TYPE_INT, &overwrite, 0x2004);
    // Edited only by the file-name builder dialog, which finds them by id.
    AddProperty(0, g, OUTPUT_PROP_NAME_CASE, SCHEMA_TYPE_INT, &name_case, SPF_NO_ROW);
    AddProperty(0, g, OUTPUT_PROP_EXT_CASE, SCHEMA_TYPE_INT, &ext_case, SPF_NO_ROW);
    AddProperty(0, g, OUTPUT_PROP_NUM_FORMAT, SCHEMA_TYPE_STRING, &num_format, SPF_NO_ROW);
    AddProperty(0, g, OUTPUT_PROP_ST_WITH, SCHEMA_TYPE_INT, &st_with, SPF_NO_ROW);
    AddProperty(0, g, OUTPUT_PROP_INCREMENT, SCHEMA_TYPE_INT, &increment, SPF_NO_ROW);
    AddProperty(0, g, OUTPUT_PROP_WEBSAFE, SCHEMA_TYPE_INT, &websafe, SPF_NO_ROW);
    AddProperty(0, g, OUTPUT_PROP_FORMATDEPEXT, SCHEMA_TYPE_INT, &formatdepext, SPF_NO_ROW);
    AddProperty(0, g, OUTPUT_PROP_DUPFORMAT, SCHEMA_TYPE_STRING, &dupformat, SPF_NO_ROW);
}

void COutputFileObj::CreateFormatGroup()
{
    CSchemaProperties* g = AddGroup(61317, SCHEMA_GROUP_SYSTEM);
    AddProperty(61320, g, SCHEMA_PROP_FILE_FORMAT, SCHEMA_TYPE_INT, &file_format, 0x0009);
}

void COutputFileObj::FillFormats(CSchemaProperty* property, DWORD category)
{
    if (!property) return;
    COutputFormatEnum formats(category);
    for (size_t i = 0; i < formats.GetCount(); ++i) {
        const OutputFormatItem& item = formats.GetItem(i);
        // The name need not be terminated inside its buffer.
        std::string name(item.name, strnlen(item.name, sizeof item.name));
        CSchemaProperty::AddOption(property, item.id, Utf8ToWide(name));
    }
}

bool COutputFileObj::HasStreamFormat() const
{
    return file_format != kNoOutputFormat && file_format != kSameAsSourceFormatId;
}

void COutputFileObj::UpdateStates()
{
    const UINT hide = HasStreamFormat() ? 0 : 1;
    SetFlag(SCHEMA_GROUP_VIDEO, hide, true);
    SetFlag(SCHEMA_GROUP_AUDIO, hide, true);
    SetFlag(SCHEMA_GROUP_FRAME_SIZE, hide, true);
    SetFlag(SCHEMA_PROP_FRAME_RATE, hide, true);
}

std::wstring COutputFileObj::FullName(const wchar_t* key) const
{
    return m_prefix + L"." + (key ? key : L"");
}

HRESULT COutputFileObj::GetValue(const wchar_t* key, VARIANT* out)
{
    // By the full name, so that a key the outputs share ("audio_codec") never
    // reaches another output's field.
    if (m_node && key && out) m_node->GetParamVariant(FullName(key), out);
    return S_OK;
}

HRESULT COutputFileObj::SetValue(const wchar_t* key, VARIANT value)
{
    if (m_node && key) m_node->SetParamVariant(FullName(key), value);
    return S_OK;
}
