#include "model/source/MediaKind.h"
#include "model/source/PropertyAccess.h"

bool IsVirtualVideoSource(IUnknown* source)
{
    CVariant v = GetSourceProperty(source, L"IsVirtualVideoFile");
    return v.vt != VT_EMPTY && v.AsInt(0) != 0;
}

bool HasVideo(IUnknown* source)
{
    return IsVirtualVideoSource(source) || HasContainerItem(source, L"Video")
        || HasContainerItem(source, L"Video: 1");
}

bool HasAudio(IUnknown* source)
{
    return IsVirtualVideoSource(source) || HasContainerItem(source, L"Audio")
        || HasContainerItem(source, L"Audio: 1");
}

bool HasFrameSize(IUnknown* source)
{
    return IsVirtualVideoSource(source)
        || (HasContainerItem(source, L"Width") && HasContainerItem(source, L"Height"));
}

bool IsImageSource(IUnknown* source) { return HasFrameSize(source) && !HasVideo(source); }
bool IsAudioOnlySource(IUnknown* source) { return HasAudio(source) && !HasVideo(source); }
bool IsVideoSource(IUnknown* source) { return HasVideo(source); }
