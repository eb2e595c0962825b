#include "model/source/MediaKind.h"
#include "engine/MediaSourceKeys.h"
#include "model/source/PropertyAccess.h"

namespace {

// One stream of a kind is listed as the kind alone, several from "<kind>: 1".
bool HasStreamCategory(IUnknown* source, const wchar_t* kind)
{
    return HasContainerItem(source, kind) || HasContainerItem(source, sourcekey::NumberedCategory(kind, 1).c_str());
}

}  // namespace

bool IsVirtualVideoSource(IUnknown* source)
{
    CVariant v = GetSourceProperty(source, sourcekey::IsVirtualVideoFile);
    return v.vt != VT_EMPTY && v.AsInt(0) != 0;
}

bool HasVideo(IUnknown* source)
{
    return IsVirtualVideoSource(source) || HasStreamCategory(source, sourcekey::Video);
}

bool HasAudio(IUnknown* source)
{
    return IsVirtualVideoSource(source) || HasStreamCategory(source, sourcekey::Audio);
}

bool HasFrameSize(IUnknown* source)
{
    return IsVirtualVideoSource(source)
        || (HasContainerItem(source, sourcekey::Width) && HasContainerItem(source, sourcekey::Height));
}

bool IsImageSource(IUnknown* source) { return HasFrameSize(source) && !HasVideo(source); }
bool IsAudioOnlySource(IUnknown* source) { return HasAudio(source) && !HasVideo(source); }
bool IsVideoSource(IUnknown* source) { return HasVideo(source); }
