#include "model/util/FormatProfile.h"
#include "engine/EngineNode.h"

HRESULT GetFormatProfile(IUnknown* formatNode, IUnknown** profile)
{
    if (!profile) return E_POINTER;
    if (!formatNode) return E_FAIL;
    ComPtr<IMediaItem> format = ComPtr<IUnknown>(formatNode).As<IMediaItem>();
    if (!format) return E_FAIL;
    ComPtr<IUnknown> owner;
    format->GetOwner(owner.ReleaseAndGetAddressOf());
    ComPtr<IMediaItem> ownerItem = owner.As<IMediaItem>();
    if (!ownerItem) return E_FAIL;
    ownerItem->GetOwner(profile);
    return S_OK;
}
