#include "model/edit/EraserObj.h"
#include "engine/JobTreeKeys.h"
#include "model/config/ConfigMng.h"
#include "model/edit/EngineWrite.h"
#include <algorithm>

namespace {
enum : int32_t { kTypeGroup = 0, kRectGroup = 1, kAmountGroup = 2, kStrengthId = 3, kCellId = 4 };
enum : int32_t { kEraseNone = 0, kEraseBlur = 2, kErasePixelate = 4 };
}

int CEraserObj::Bind(const std::wstring& prefix, CConfigMng* node)
{
    const struct {
        const wchar_t* key;
        int32_t* field;
    } params[] = {
        {L"eraser_type", &eraser_type}, {L"eraser_left", &eraser_left}, {L"eraser_right", &eraser_right},
        {L"eraser_top", &eraser_top}, {L"eraser_bottom", &eraser_bottom},
        {L"eraser_strength", &eraser_strength}, {L"eraser_cell", &eraser_cell},
    };
    for (const auto& p : params)
        CConfigMng::AddPrefixedParam(node, p.key, prefix, CONFIG_TYPE_INT, p.field, 0);
    return 0;
}

void CEraserObj::CreateSchema()
{
    CSchemaProperties* type = AddGroup(358, kTypeGroup);
    CSchemaProperty* kind = AddProperty(359, type, 0, SCHEMA_TYPE_INT, &eraser_type, SPF_NO_TYPING | SPF_REBUILD);
    CSchemaProperty::AddOption(kind, 0, L"None");
    CSchemaProperty::AddOption(kind, 1, L"Crop");
    CSchemaProperty::AddOption(kind, 2, L"Blur");
    CSchemaProperty::AddOption(kind, 3, L"Fill");
    CSchemaProperty::AddOption(kind, 4, L"Pixelate");
    CSchemaProperties* amount = AddGroup(366, kAmountGroup);
    AddProperty(367, amount, kStrengthId, SCHEMA_TYPE_INT, &eraser_strength, SPF_SPIN, SPB_NONE, 1, 16);
    AddProperty(368, amount, kCellId, SCHEMA_TYPE_INT, &eraser_cell, SPF_SPIN, SPB_NONE, 1, 16);
    CSchemaProperties* rect = AddGroup(361, kRectGroup);
    AddProperty(362, rect, 0, SCHEMA_TYPE_INT, &eraser_left, SPF_SPIN, SPB_NONE, -16000, 16000);
    AddProperty(363, rect, 0, SCHEMA_TYPE_INT, &eraser_right, SPF_SPIN, SPB_NONE, -16000, 16000);
    AddProperty(364, rect, 0, SCHEMA_TYPE_INT, &eraser_top, SPF_SPIN, SPB_NONE, -16000, 16000);
    AddProperty(365, rect, 0, SCHEMA_TYPE_INT, &eraser_bottom, SPF_SPIN, SPB_NONE, -16000, 16000);
}

void CEraserObj::UpdateStates()
{
    switch (eraser_type) {
    case kEraseNone:
        SetFlag(kRectGroup, 1, true);
        SetFlag(kAmountGroup, 1, true);
        break;
    case kErasePixelate:
        SetFlag(kRectGroup, 0, true);
        SetFlag(kAmountGroup, 0, true);
        SetFlag(kCellId, 0, true);
        SetFlag(kStrengthId, 1, true);
        break;
    case kEraseBlur:
        SetFlag(kRectGroup, 0, true);
        SetFlag(kAmountGroup, 0, true);
        SetFlag(kCellId, 1, true);
        SetFlag(kStrengthId, 0, true);
        break;
    default:
        SetFlag(kRectGroup, 0, true);
        SetFlag(kAmountGroup, 1, true);
        break;
    }
}

void CEraserObj::ResetToDefaults()
{
    const tag_ERASEPARAM d;
    eraser_type = d.nType;
    eraser_left = d.nLeft;
    eraser_right = d.nRight;
    eraser_top = d.nTop;
    eraser_bottom = d.nBottom;
    eraser_strength = d.nStrength;
    eraser_cell = d.nCell;
}

tag_ERASEPARAM CEraserObj::Params() const
{
    tag_ERASEPARAM p;
    p.nType = eraser_type;
    p.nLeft = eraser_left;
    p.nRight = eraser_right;
    p.nTop = eraser_top;
    p.nBottom = eraser_bottom;
    // A cell or strength of 0 from a project file would divide by zero downstream.
    p.nStrength = std::max(eraser_strength, 1);
    p.nCell = std::max(eraser_cell, 1);
    return p;
}

void CEraserObj::WriteEngineValues(const CEraserObj& eraser, IUnknown* node)
{
    const tag_ERASEPARAM p = eraser.Params();
    EngineWriteInt(node, jobkey::EraserType, p.nType);
    EngineWriteInt(node, jobkey::EraserTop, p.nTop);
    EngineWriteInt(node, jobkey::EraserBottom, p.nBottom);
    EngineWriteInt(node, jobkey::EraserLeft, p.nLeft);
    EngineWriteInt(node, jobkey::EraserRight, p.nRight);
    EngineWriteInt(node, jobkey::EraserCell, p.nCell);
    EngineWriteInt(node, jobkey::EraserStrength, p.nStrength);
}
