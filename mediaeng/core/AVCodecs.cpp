#include "engine/AVCodecs.h"
#include "mediaeng/core/FormatTable.h"
#include <cwchar>

using mediaeng::CodecInfo;

namespace {

const CodecInfo* FindCodec(bool video, int32_t tag)
{
    return video ? mediaeng::FindVideoCodec(tag) : mediaeng::FindAudioCodec(tag);
}

}  // namespace

CAVCodecsBase::CAVCodecsBase(int32_t format, bool video) : m_format(format), m_video(video)
{
    const mediaeng::FormatInfo* f = mediaeng::FindFormat(format);
    if (!f) return;
    for (int32_t tag : video ? f->videoTags : f->audioTags) {
        const CodecInfo* c = FindCodec(video, tag);
        if (c && !mediaeng::AvailableEncoder(*c).empty()) AddItem(c->tag, c->name);
    }
}

void CAVCodecsBase::GetDefaultCodec(wchar_t* buffer, size_t size) const
{
    if (!buffer || size == 0) return;
    buffer[0] = L'\0';
    if (!m_items.empty()) std::wcsncpy(buffer, m_items.front()->text, size - 1), buffer[size - 1] = L'\0';
}

HRESULT CAVCodecsBase::FetchCodec(ICodecExternal* codecs)
{
    if (!codecs) return E_POINTER;
    LONG count = 0;
    if (FAILED(codecs->GetCount(&count))) return E_FAIL;
    for (LONG i = 0; i < count; ++i) {
        BSTR name = nullptr;
        LONG tag = 0;
        if (FAILED(codecs->GetCodec(i, &name, &tag))) continue;
        const CodecInfo* c = FindCodec(m_video, tag);
        if (c && GetIndex(tag) < 0 && !mediaeng::AvailableEncoder(*c).empty()) AddItem(tag, c->name);
        SysFreeString(name);
    }
    return S_OK;
}

namespace {

DWORD CapsAt(const CListEnumBase& list, int index, bool video)
{
    if (index < 0 || static_cast<size_t>(index) >= list.GetCount()) return 0;
    const CodecInfo* c = FindCodec(video, list.GetItem(static_cast<size_t>(index)).value);
    return c ? c->caps : 0;
}

}  // namespace

BOOL CVideoCodecsBase::IsAdv(int) const { return 0; }
BOOL CVideoCodecsBase::IsMultyPass(int index, int) const { return (CapsAt(*this, index, true) & mediaeng::CODEC_TWOPASS) != 0; }
BOOL CVideoCodecsBase::IsKeyFrame(int index) const { return (CapsAt(*this, index, true) & mediaeng::CODEC_KEYFRAME) != 0; }
BOOL CVideoCodecsBase::IsQuality(int index) const { return (CapsAt(*this, index, true) & mediaeng::CODEC_QUALITY) != 0; }
BOOL CVideoCodecsBase::IsBitrate(int index) const { return (CapsAt(*this, index, true) & mediaeng::CODEC_BITRATE) != 0; }
BOOL CVideoCodecsBase::IsRate(int index) const { return (CapsAt(*this, index, true) & mediaeng::CODEC_RATEMODES) != 0; }
HRESULT CVideoCodecsBase::ShowDialog(int, void*) { return S_FALSE; }

BOOL CAudioCodecsBase::IsPrecision(int index) const { return (CapsAt(*this, index, false) & mediaeng::CODEC_PRECISION) != 0; }
BOOL CAudioCodecsBase::IsRateControl(int index) const { return (CapsAt(*this, index, false) & mediaeng::CODEC_RATEMODES) != 0; }
BOOL CAudioCodecsBase::IsBitrate(int index) const { return (CapsAt(*this, index, false) & mediaeng::CODEC_BITRATE) != 0; }

HRESULT CAudioCodecsBase::InitAudioFormat(int32_t tag, int32_t)
{
    m_waves.clear();
    // Only the Windows Media audio codecs have a fixed set of wave formats;
    // every other codec keeps the format-dependent lists.
    if (tag < 512 || !FindCodec(false, tag)) return S_FALSE;
    static const DWORD kRates[] = {22050, 32000, 44100, 48000};
    static const DWORD kKbps[] = {32, 48, 64, 96, 128, 160, 192};
    for (DWORD rate : kRates)
        for (WORD channels : {WORD{1}, WORD{2}})
            for (DWORD kbps : kKbps) {
                if (channels == 1 && kbps > 96) continue;
                WAVEFORMATEX w;
                w.wFormatTag = static_cast<WORD>(tag == 512 ? 0x160 : 0x161);
                w.nChannels = channels;
                w.nSamplesPerSec = rate;
                w.nAvgBytesPerSec = kbps * 1000 / 8;
                w.wBitsPerSample = 16;
                w.nBlockAlign = static_cast<WORD>(channels * 2);
                m_waves.push_back(w);
            }
    return S_OK;
}

DWORD CAudioCodecsBase::GetWave(WAVEFORMATEX* out, size_t item, int32_t* extra) const
{
    if (extra) *extra = 0;
    if (item >= m_waves.size()) return 0;
    if (out) *out = m_waves[item];
    return m_waves[item].nAvgBytesPerSec;
}

namespace {

template <class List>
std::unique_ptr<List> MakeIfAny(int32_t format, bool video)
{
    const mediaeng::FormatInfo* f = mediaeng::FindFormat(format);
    if (!f || (video ? f->videoTags : f->audioTags).empty()) return nullptr;
    return std::make_unique<List>(format);
}

class CAnyVideoCodecs : public CVideoCodecsBase {
public:
    explicit CAnyVideoCodecs(int32_t format) : CVideoCodecsBase(format) {}
};
class CAnyAudioCodecs : public CAudioCodecsBase {
public:
    explicit CAnyAudioCodecs(int32_t format) : CAudioCodecsBase(format) {}
};

}  // namespace

std::unique_ptr<CVideoCodecsBase> CreateVideoCodecsForFormat(int32_t format)
{
    return MakeIfAny<CAnyVideoCodecs>(format, true);
}

std::unique_ptr<CAudioCodecsBase> CreateAudioCodecsForFormat(int32_t format)
{
    return MakeIfAny<CAnyAudioCodecs>(format, false);
}
