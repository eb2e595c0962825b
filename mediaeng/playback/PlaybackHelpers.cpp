#include "engine/PlaybackHelpers.h"
#include "mediaeng/playback/MediaGraph.h"
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {
std::recursive_mutex& PositionLock()
{
    static std::recursive_mutex lock;
    return lock;
}
}  // namespace

void FreeMediaType(AM_MEDIA_TYPE& mt)
{
    std::free(mt.pbFormat);
    mt.pbFormat = nullptr;
    mt.cbFormat = 0;
}

HRESULT GetPin(IBaseFilter* filter, PIN_DIRECTION dir, int index, IPin** pin)
{
    if (!filter || !pin) return E_POINTER;
    return filter->GetPin(dir, index, pin);
}

HRESULT ClearGraphFull(IGraphBuilder* graph)
{
    if (!graph) return E_POINTER;
    ComPtr<mediaeng::playback::IMediaGraphInternal> inner =
        ComPtr<IGraphBuilder>(graph).As<mediaeng::playback::IMediaGraphInternal>();
    return inner ? inner->CloseGraph() : E_NOINTERFACE;
}

void __LockChangePos() { PositionLock().lock(); }

void __UnLockChangePos() { PositionLock().unlock(); }

HRESULT CRunGraphImpl::_SaveFormat(const AM_MEDIA_TYPE* mt, BYTE** block, DWORD* size)
{
    if (!mt || !block || !size) return E_POINTER;
    *block = nullptr;
    *size = 0;
    if (!mt->pbFormat || mt->cbFormat < sizeof(uint32_t)) return E_INVALIDARG;
    // The block must hold the whole header it claims to start with.
    uint32_t headerSize = 0;
    std::memcpy(&headerSize, mt->pbFormat, sizeof(headerSize));
    if (headerSize < 40 || headerSize > mt->cbFormat) return E_INVALIDARG;
    *block = static_cast<BYTE*>(std::malloc(mt->cbFormat));
    if (!*block) return E_OUTOFMEMORY;
    std::memcpy(*block, mt->pbFormat, mt->cbFormat);
    *size = mt->cbFormat;
    return S_OK;
}

void CRunGraphImpl::_FreeFormat(BYTE* block) { std::free(block); }

std::wstring GetGraphError(IGraphBuilder* graph)
{
    if (!graph) return {};
    ComPtr<mediaeng::playback::IMediaGraphInternal> inner =
        ComPtr<IGraphBuilder>(graph).As<mediaeng::playback::IMediaGraphInternal>();
    return inner ? inner->GraphError() : std::wstring();
}
