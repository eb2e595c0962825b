#include "model/output/VideoFileAdvObj.h"

#include "model/config/ConfigMng.h"
#include "model/output/OutputIds.h"
#include "model/output/SplitType.h"

CVideoFileAdvObj::~CVideoFileAdvObj() = default;
CAudioFileAdvObj::~CAudioFileAdvObj() = default;

HRESULT CVideoFileAdvObj::Bind(const std::wstring& prefix, CConfigMng* node)
{
    HRESULT hr = RegisterSplitKeys(prefix, node);
    if (FAILED(hr)) return hr;
    const KeyEntry keys[] = {
        {L"adv_image_duration", CONFIG_TYPE_INT, &adv_image_duration, 0},
        {L"adv_bg_audio", CONFIG_TYPE_STRING, &adv_bg_audio, 0},
        {L"adv_create_last_clip", CONFIG_TYPE_INT, &adv_create_last_clip, 0},
        {L"adv_enable_split", CONFIG_TYPE_INT, &adv_enable_split, 0},
        {L"adv_enable_join", CONFIG_TYPE_INT, &adv_enable_join, 0},
    };
    return RegisterKeys(prefix, node, keys);
}

void CVideoFileAdvObj::CreateSchema()
{
    CSchemaProperties* sw = AddGroup(497, ADV_GROUP_OPERATION);
    AddProperty(498, sw, ADV_PROP_ENABLE_SPLIT, SCHEMA_TYPE_INT, &adv_enable_split, 0xc);
    AddProperty(499, sw, ADV_PROP_ENABLE_JOIN, SCHEMA_TYPE_INT, &adv_enable_join, 0xc);

    CSchemaProperties* split = AddGroup(366, ADV_GROUP_SPLIT);
    CSchemaProperty::FillOptions(
        CSplitType(), AddProperty(61403, split, ADV_PROP_SPLIT_TYPE, SCHEMA_TYPE_INT, &adv_split_type, 9));
    AddProperty(61405, split, ADV_PROP_SPLIT_TIME, SCHEMA_TYPE_INT, &adv_split_time, 0);
    AddProperty(61407, split, ADV_PROP_SPLIT_COUNT, SCHEMA_TYPE_INT, &adv_split_count_part, 0);
    AddProperty(61408, split, ADV_PROP_SPLIT_SIZE, SCHEMA_TYPE_INT, &adv_split_size, 0);
    AddProperty(61406, split, ADV_PROP_START_TIME, SCHEMA_TYPE_INT, &adv_split_start_time, 0);
    AddProperty(493, split, ADV_PROP_LAST_CLIP, SCHEMA_TYPE_INT, &adv_create_last_clip, 4);

    CSchemaProperties* join = AddGroup(366, ADV_GROUP_JOIN);
    AddExtraProperty(join);
    AddProperty(61417, join, ADV_PROP_BG_AUDIO, SCHEMA_TYPE_STRING, &adv_bg_audio, 2, SPB_AUDIO_FILE);
}

void CVideoFileAdvObj::AddExtraProperty(CSchemaProperties* joinGroup)
{
    AddProperty(61416, joinGroup, ADV_PROP_IMAGE_DURATION, SCHEMA_TYPE_INT, &adv_image_duration, 0);
}

void CVideoFileAdvObj::ShowSplit()
{
    SetFlag(ADV_GROUP_OPERATION, 0, true);
    SetFlag(ADV_GROUP_SPLIT, adv_enable_split == 0 ? 1 : 0, true);
    SetFlag(ADV_GROUP_JOIN, 1, true);
    SetFlag(ADV_PROP_SPLIT_TIME, adv_split_type == SPLIT_BY_TIME ? 0 : 1, true);
    SetFlag(ADV_PROP_SPLIT_COUNT, adv_split_type == SPLIT_BY_COUNT ? 0 : 1, true);
    SetFlag(ADV_PROP_SPLIT_SIZE, adv_split_type == SPLIT_BY_SIZE ? 0 : 1, true);
    SetFlag(ADV_PROP_LAST_CLIP, adv_split_type == SPLIT_BY_TIME ? 0 : 1, true);
    SetFlag(ADV_PROP_ENABLE_SPLIT, 0, true);
    SetFlag(ADV_PROP_ENABLE_JOIN, 1, true);
}

void CVideoFileAdvObj::ShowJoin()
{
    SetFlag(ADV_GROUP_OPERATION, 0, true);
    SetFlag(ADV_GROUP_JOIN, adv_enable_join == 0 ? 1 : 0, true);
    SetFlag(ADV_GROUP_SPLIT, 1, true);
    SetFlag(ADV_PROP_ENABLE_SPLIT, 1, true);
    SetFlag(ADV_PROP_ENABLE_JOIN, 0, true);
}

void CVideoFileAdvObj::UpdateStates()
{
    switch (adv_operation) {
    case ADV_OPERATION_NONE:
        SetFlag(ADV_GROUP_SPLIT, 1, true);
        SetFlag(ADV_GROUP_JOIN, 1, true);
        SetFlag(ADV_GROUP_OPERATION, 1, true);
        break;
    case ADV_OPERATION_SPLIT: ShowSplit(); break;
    case ADV_OPERATION_JOIN: ShowJoin(); break;
    default: break;  // an unknown operation leaves the grid as it was
    }
}
