#include "model/edit/CropObj.h"
#include "engine/JobTreeKeys.h"
#include "model/config/ConfigMng.h"
#include "model/edit/EngineWrite.h"
#include <algorithm>

CCropObj::CCropObj() = default;

int CCropObj::Bind(const std::wstring& prefix, CConfigMng* node)
{
    const struct {
        const wchar_t* key;
        int32_t* field;
    } params[] = {
        {L"crop_left", &crop_left}, {L"crop_right", &crop_right}, {L"crop_top", &crop_top},
        {L"crop_bottom", &crop_bottom}, {L"flip_h", &flip_h}, {L"flip_v", &flip_v}, {L"rotate", &rotate},
    };
    for (const auto& p : params)
        CConfigMng::AddPrefixedParam(node, p.key, prefix, CONFIG_TYPE_INT, p.field, 0);
    return 0;
}

void CCropObj::CreateSchema()
{
    CSchemaProperties* margins = AddGroup(346, 0);
    AddProperty(347, margins, 0, SCHEMA_TYPE_INT, &crop_left, SPF_SPIN, SPB_NONE, 0, 16000);
    AddProperty(348, margins, 0, SCHEMA_TYPE_INT, &crop_right, SPF_SPIN, SPB_NONE, 0, 16000);
    AddProperty(349, margins, 0, SCHEMA_TYPE_INT, &crop_top, SPF_SPIN, SPB_NONE, 0, 16000);
    AddProperty(350, margins, 0, SCHEMA_TYPE_INT, &crop_bottom, SPF_SPIN, SPB_NONE, 0, 16000);
    CSchemaProperties* flips = AddGroup(353, 0);
    AddProperty(354, flips, 0, SCHEMA_TYPE_INT, &flip_h, SPF_SWITCH);
    AddProperty(355, flips, 0, SCHEMA_TYPE_INT, &flip_v, SPF_SWITCH);
    CSchemaProperties* turn = AddGroup(352, 0);
    CSchemaProperty* rot = AddProperty(356, turn, 0, SCHEMA_TYPE_INT, &rotate, SPF_NO_TYPING);
    CSchemaProperty::AddOption(rot, 0, L"None");
    CSchemaProperty::AddOption(rot, 1, L"90 deg");
    CSchemaProperty::AddOption(rot, 2, L"180 deg");
    CSchemaProperty::AddOption(rot, 3, L"270 deg");
}

void CCropObj::ClearMargins()
{
    crop_left = crop_right = crop_top = crop_bottom = 0;
}

void CCropObj::Reset()
{
    ClearMargins();
    flip_h = flip_v = rotate = 0;
}

// A project file may hold anything; the engine gets what it can use.
RECT CCropObj::EngineMargins() const
{
    return RECT{std::max(crop_left, 0), std::max(crop_top, 0), std::max(crop_right, 0), std::max(crop_bottom, 0)};
}

int32_t CCropObj::EngineQuarterTurns() const
{
    return ((rotate % 4) + 4) % 4;
}

void CCropObj::WriteEngineValues(const CCropObj& crop, IUnknown* node)
{
    const RECT margins = crop.EngineMargins();
    EngineWriteInt(node, jobkey::Crop_Left, margins.left);
    EngineWriteInt(node, jobkey::Crop_Right, margins.right);
    EngineWriteInt(node, jobkey::Crop_Top, margins.top);
    EngineWriteInt(node, jobkey::Crop_Bottom, margins.bottom);
    EngineWriteInt(node, jobkey::Rotate, crop.EngineQuarterTurns());
    EngineWriteInt(node, jobkey::FlipH, crop.flip_h);
    EngineWriteInt(node, jobkey::FlipV, crop.flip_v);
}
