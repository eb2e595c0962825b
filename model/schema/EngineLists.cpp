#include "model/schema/EngineLists.h"

#include "engine/EngineIds.h"
#include "platform/ClassRegistry.h"

namespace schema_lists {

namespace {

constexpr DWORD kCodecEnumContext = 23;

// Lets the format's enumerator add its codecs; without one the list keeps
// what the engine class provides.
void FetchExternal(CAVCodecsBase& list, REFCLSID enumerator)
{
    ComPtr<ICodecExternal> codecs;
    if (SUCCEEDED(CoCreateInstance(enumerator, nullptr, kCodecEnumContext, ICodecExternal::kIID,
                                   codecs.ReleaseAndGetVoidAddress())) &&
        codecs)
        list.FetchCodec(codecs.Get());
}

}  // namespace

std::wstring DefaultCodec(const CAVCodecsBase& list)
{
    wchar_t buffer[512] = {};
    list.GetDefaultCodec(buffer, 512);
    buffer[511] = L'\0';
    return buffer;
}

std::shared_ptr<CVideoCodecsBase> CreateVideoCodecs(int32_t format)
{
    switch (format) {
    case 1: {
        auto list = std::make_shared<CAVIVideoCodecs>();
        FetchExternal(*list, CLSID_AVIVideoCodecEnum);
        return list;
    }
    case 2: {
        auto list = std::make_shared<CWMVVideoCodecs>();
        FetchExternal(*list, CLSID_WMVVideoCodecEnum);
        return list;
    }
    case 3: return std::make_shared<CMPEGVideoCodecs>();
    case 4: return std::make_shared<CMOVVideoCodecs>();
    case 5:
    case 6: return std::make_shared<CFLASHVideoCodecs>(0);
    case 13: return std::make_shared<CMP4VideoCodecs>();
    case 14: return std::make_shared<C3GPVideoCodecs>();
    case 15: return std::make_shared<C3G2VideoCodecs>();
    case 16: return std::make_shared<CMKVVideoCodecs>();
    case 18: return std::make_shared<CF4VVideoCodecs>(0);
    case 21: return std::make_shared<CDVDVideoCodecs>();
    default: return nullptr;
    }
}

std::shared_ptr<CAudioCodecsBase> CreateAudioCodecs(int32_t format)
{
    switch (format) {
    case 1: {
        auto list = std::make_shared<CAVIAudioCodecs>();
        FetchExternal(*list, CLSID_AVIAudioCodecEnum);
        return list;
    }
    case 2: {
        auto list = std::make_shared<CWMVAudioCodecs>();
        FetchExternal(*list, CLSID_WMVAudioCodecEnum);
        return list;
    }
    case 3: return std::make_shared<CMPEGAudioCodecs>();
    case 4: return std::make_shared<CMOVAudioCodecs>();
    case 5:
    case 6: return std::make_shared<CFLASHAudioCodecs>(0);
    case 13: return std::make_shared<CMP4AudioCodecs>();
    case 14: return std::make_shared<C3GPAudioCodecs>();
    case 15: return std::make_shared<C3G2AudioCodecs>();
    case 16: return std::make_shared<CMKVAudioCodecs>();
    case 18: return std::make_shared<CF4VAudioCodecs>(0);
    case 19: return std::make_shared<CMP3AudioCodecs>();
    case 21: return std::make_shared<CDVDAudioCodecs>();
    default: return nullptr;
    }
}

}  // namespace schema_lists
