#include "model/output/FrameFileObj.h"

#include "model/config/ConfigMng.h"

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
