#include "model/output/FrameFileObj.h"

#include "model/config/ConfigMng.h"

CFrameFileObj::CFrameFileObj(bool videoOutput)
{
    m_watermarks.video_output = videoOutput ? 1 : 0;
    m_eraser.ResetToDefaults();
}

CFrameFileObj::~CFrameFileObj() = default;

HRESULT CFrameFileObj::Bind(const std::wstring& prefix, CConfigMng* node)
{
    HRESULT hr = COutputFileObj::Bind(prefix, node);
    if (FAILED(hr)) return hr;
    const KeyEntry keys[] = {
        {L"image_size", CONFIG_TYPE_STRING, &image_size, 1},
        {L"resize_type", CONFIG_TYPE_INT, &resize_type, 1},
        {L"resampling", CONFIG_TYPE_INT, &resampling, 1},
        {L"litterbox", CONFIG_TYPE_INT, &litterbox, 1},
        {L"litterbox_color", CONFIG_TYPE_INT, &litterbox_color, 1},
    };
    return RegisterKeys(prefix, node, keys);
}

HRESULT CFrameFileObj::BindMembers(const std::wstring& prefix, CConfigMng* node, COutputFileObj& adv,
                                   DWORD watermarksGroup)
{
    adv.Bind(prefix, node);
    m_filters.Bind(prefix, node);
    m_crop.Bind(prefix, node);
    m_eraser.Bind(prefix, node);
    return CConfigMng::AddGroup(node, watermarksGroup, &m_watermarks);
}

void CFrameFileObj::CreateMemberSchemas(COutputFileObj& adv)
{
    m_filters.CreateSchema();
    m_crop.CreateSchema();
    m_eraser.CreateSchema();
    adv.CreateSchema();
    FillFormatList(FindProperty(SCHEMA_PROP_FILE_FORMAT));
}
