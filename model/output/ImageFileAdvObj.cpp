#include "model/output/ImageFileAdvObj.h"

#include "model/config/ConfigMng.h"
#include "model/output/OutputIds.h"
#include "model/output/SplitType.h"

CImageFileAdvObj::~CImageFileAdvObj() = default;

HRESULT CImageFileAdvObj::Bind(const std::wstring& prefix, CConfigMng* node)
{
    HRESULT hr = RegisterSplitKeys(prefix, node);
    if (FAILED(hr)) return hr;
    const KeyEntry keys[] = {
        {L"adv_image_creation_mode", CONFIG_TYPE_INT, &adv_image_creation_mode, 0},
        {L"adv_image_extract_mode", CONFIG_TYPE_INT, &adv_image_extract_mode, 0},
    };
    return RegisterKeys(prefix, node, keys);
}

void CImageFileAdvObj::CreateSchema()
{
    CSchemaProperties* sw = AddGroup(497, ADV_GROUP_OPERATION);
    CSchemaProperty* mode = AddProperty(500, sw, ADV_PROP_ENABLE_SPLIT, SCHEMA_TYPE_INT, &adv_image_extract_mode, 9);
    CSchemaProperty::AddOptionById(501, mode, 0);
    CSchemaProperty::AddOptionById(502, mode, 1);

    CSchemaProperties* split = AddGroup(366, ADV_GROUP_IMAGE_SPLIT);
    AddProperty(61406, split, ADV_PROP_START_TIME, SCHEMA_TYPE_INT, &adv_split_start_time, 0);
    CSchemaProperty::FillOptions(
        CImageSplitType(), AddProperty(61413, split, ADV_PROP_SPLIT_TYPE, SCHEMA_TYPE_INT, &adv_split_type, 9));
    AddProperty(61405, split, ADV_PROP_SPLIT_TIME, SCHEMA_TYPE_INT, &adv_split_time, 0);
    AddProperty(61407, split, ADV_PROP_SPLIT_COUNT, SCHEMA_TYPE_INT, &adv_split_count_part, 0);
}

void CImageFileAdvObj::UpdateStates()
{
    if (adv_operation == ADV_OPERATION_NONE) {
        SetFlag(ADV_GROUP_IMAGE_SPLIT, 1, true);
        SetFlag(ADV_GROUP_OPERATION, 1, true);
        SetFlag(ADV_PROP_SPLIT_TIME, 1, true);
        SetFlag(ADV_PROP_SPLIT_COUNT, 1, true);
        return;
    }
    if (adv_operation != ADV_OPERATION_EXTRACT) return;  // unknown: the grid stays as it was
    SetFlag(ADV_GROUP_OPERATION, 0, true);
    SetFlag(ADV_GROUP_IMAGE_SPLIT, 0, true);
    if (adv_image_extract_mode == 0) {
        // One picture at the start position.
        SetFlag(ADV_PROP_START_TIME, 0, true);
        SetFlag(ADV_PROP_SPLIT_TYPE, 1, true);
        SetFlag(ADV_PROP_SPLIT_TIME, 1, true);
        SetFlag(ADV_PROP_SPLIT_COUNT, 1, true);
        return;
    }
    SetFlag(ADV_PROP_SPLIT_TYPE, 0, true);
    SetFlag(ADV_PROP_SPLIT_TIME, adv_split_type == SPLIT_BY_TIME ? 0 : 1, true);
    SetFlag(ADV_PROP_SPLIT_COUNT, adv_split_type == SPLIT_BY_COUNT ? 0 : 1, true);
    SetFlag(ADV_PROP_START_TIME, 0, true);
}
