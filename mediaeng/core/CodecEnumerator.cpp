// The codec enumerators (ICodecExternal) of the AVI and WMV lists: they name
// the codecs of the format table that this build can encode, so a list that
// fetches from them offers exactly what the job can make.
#include "engine/AVCodecs.h"
#include "mediaeng/core/CodecEnumerator.h"
#include "mediaeng/core/FormatTable.h"
#include "platform/ClassRegistry.h"

namespace mediaeng {

namespace {

class CCodecEnumerator final : public CComObjectBase<ICodecExternal> {
public:
    CCodecEnumerator(int32_t format, bool video)
    {
        const FormatInfo* f = FindFormat(format);
        if (!f) return;
        for (int32_t tag : video ? f->videoTags : f->audioTags) {
            const CodecInfo* c = video ? FindVideoCodec(tag) : FindAudioCodec(tag);
            if (c && !AvailableEncoder(*c).empty()) m_codecs.push_back(c);
        }
    }
    HRESULT GetCount(LONG* count) override
    {
        if (!count) return E_POINTER;
        *count = static_cast<LONG>(m_codecs.size());
        return S_OK;
    }
    HRESULT GetCodec(LONG index, BSTR* name, LONG* tag) override
    {
        if (index < 0 || static_cast<size_t>(index) >= m_codecs.size()) return E_INVALIDARG;
        if (name) *name = SysAllocString(m_codecs[static_cast<size_t>(index)]->name);
        if (tag) *tag = m_codecs[static_cast<size_t>(index)]->tag;
        return S_OK;
    }

private:
    std::vector<const CodecInfo*> m_codecs;
};

void RegisterEnumerator(REFCLSID clsid, int32_t format, bool video)
{
    CoRegisterClass(clsid, [format, video]() -> IUnknown* {
        return static_cast<ICodecExternal*>(new CCodecEnumerator(format, video));
    });
}

}  // namespace

void RegisterCodecEnumerators()
{
    RegisterEnumerator(CLSID_AVIVideoCodecEnum, 1, true);
    RegisterEnumerator(CLSID_AVIAudioCodecEnum, 1, false);
    RegisterEnumerator(CLSID_WMVVideoCodecEnum, 2, true);
    RegisterEnumerator(CLSID_WMVAudioCodecEnum, 2, false);
}

}  // namespace mediaeng
