#include "model/output/ImageFileObj.h"

#include "engine/OutputFormatEnum.h"
#include "model/config/ConfigMng.h"
#include "model/output/OutputIds.h"

CImageFileObj::CImageFileObj() : CFrameFileObj(false)
{
    is_create = 0;
    include_video = 1;
    include_audio = 0;
    is_join_image = 0;
    images_rows = 2;
    images_cols = 2;
}

CImageFileObj::~CImageFileObj() = default;

HRESULT CImageFileObj::Bind(const std::wstring& prefix, CConfigMng* node)
{
    HRESULT hr = CFrameFileObj::Bind(prefix, node);
    if (FAILED(hr)) return hr;
    const KeyEntry keys[] = {
        {L"is_join_image", CONFIG_TYPE_INT, &is_join_image, 0},
        {L"images_rows", CONFIG_TYPE_INT, &images_rows, 0},
        {L"images_cols", CONFIG_TYPE_INT, &images_cols, 0},
    };
    hr = RegisterKeys(prefix, node, keys);
    if (FAILED(hr)) return hr;
    return BindMembers(prefix, node, m_adv, kImageWatermarksGroup);
}

void CImageFileObj::CreateSchema()
{
    COutputFileObj::CreateSchema();
    CreateFormatGroup();
    CreateImage(1);
    CSchemaProperties* join = AddGroup(425, OUTPUT_GROUP_JOIN_IMAGES);
    AddProperty(61379, join, OUTPUT_PROP_JOIN_IMAGES, SCHEMA_TYPE_INT, &is_join_image, 0x412, SPB_JOIN_IMAGES);
    AddProperty(61381, join, OUTPUT_PROP_IMAGES_ROWS, SCHEMA_TYPE_INT, &images_rows, 0);
    AddProperty(61382, join, OUTPUT_PROP_IMAGES_COLS, SCHEMA_TYPE_INT, &images_cols, 0);
    CreateMemberSchemas(m_adv);
}

void CImageFileObj::FillFormatList(CSchemaProperty* property)
{
    FillFormats(property, FMTCAT_IMAGE);
}

void CImageFileObj::UpdateStates()
{
    CFrameFileObj::UpdateStates();
    VerifyImageOptions();
    // The join-images dialog edits rows and columns; the grid never shows them.
    SetFlag(OUTPUT_PROP_IMAGES_ROWS, 1, true);
    SetFlag(OUTPUT_PROP_IMAGES_COLS, 1, true);
    m_adv.UpdateStates();
}
