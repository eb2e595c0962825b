#include "player/FrameDrawImpl.h"

HRESULT CFrameDrawImpl::QueryInterface(REFIID iid, void** out)
{
    if (!out) return E_POINTER;
    if (iid == IID_IFrameDraw) {
        *out = static_cast<IFrameDraw*>(this);
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT CFrameDrawImpl::DrawFrame(DWORD formatSize, BYTE* format, DWORD dataSize, BYTE* data, REFERENCE_TIME* time,
                                  DWORD)
{
    return OnDrawFrame(formatSize, format, dataSize, data, time);
}

HRESULT CFrameDrawImpl::UpdatePosition(REFERENCE_TIME* time, DWORD)
{
    return OnUpdatePosition(time);
}
