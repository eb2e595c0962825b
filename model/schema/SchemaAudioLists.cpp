// The audio option lists of CSchemaImpl: fixed lists for the codecs whose
// choices the engine knows by tag, and lists built from the wave formats the
// engine offers for any other codec.
#include "model/schema/SchemaImpl.h"
#include "model/util/RoundNearest.h"

#include <cstdio>
#include <vector>

namespace {

std::wstring FormatNumber(const char* format, long long number)
{
    char text[64];
    std::snprintf(text, sizeof text, format, number);
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

}  // namespace

void CSchemaImpl::FillAndVerify(const CListEnumBase& list, CSchemaProperty* property, int32_t* field)
{
    if (property) CSchemaProperty::FillOptions(list, property);
    // Nothing in an empty list can stand in for the value.
    if (schema_lists::Count(list) > 0) schema_lists::Verify(list, field);
}

void CSchemaImpl::FillSamplingRates(const CListEnumBase& list)
{
    FillAndVerify(list, FindProperty(SCHEMA_PROP_SAMPLING_RATE), &audio_sampling_rate);
}

void CSchemaImpl::FillChannels(const CListEnumBase& list)
{
    FillAndVerify(list, FindProperty(SCHEMA_PROP_AUDIO_CHANNELS), &audio_channels);
}

void CSchemaImpl::FillBitrates(const CListEnumBase& list)
{
    const CSchemaProperties* g = FindGroup(SCHEMA_GROUP_AUDIO);
    FillAndVerify(list, g ? FindProperty(SCHEMA_PROP_BITRATE, g) : nullptr, &audio_bitrate);
}

void CSchemaImpl::FillMP3Bitrates()
{
    // The rate was verified just before, so the choice follows the corrected rate.
    if (audio_sampling_rate >= 32000)
        FillBitrates(CMP3AudioHighBitrateEnum());
    else
        FillBitrates(CMP3AudioLowBitrateEnum());
}

int32_t CSchemaImpl::InitListForFormatDepAudioCodec(int32_t tag)
{
    switch (tag) {
    case 0: return InitListPCM();
    case 1: return InitListMP3();
    case 2:
    case 3: return InitListMP2(tag);
    case 4: return InitListAAC();
    case 5:
    case 6: return InitListAMRNB();
    case 7: return InitListQDM2();
    default: return 0;
    }
}

int32_t CSchemaImpl::InitListPCM()
{
    FillSamplingRates(CPCMSamlingRateEnum());
    FillChannels(CChannelMultyEnum());
    return 1;
}

int32_t CSchemaImpl::InitListMP3()
{
    FillSamplingRates(CMP3AudioSamplingRateEnum());
    FillChannels(CChannelSimpleEnum());
    FillMP3Bitrates();
    return 1;
}

int32_t CSchemaImpl::InitListMP2(int32_t tag)
{
    if (tag == 2)
        FillSamplingRates(CMP1AudioSamplingRateEnum());
    else
        FillSamplingRates(CMP2AudioSamplingRateEnum());
    FillChannels(CChannelMultyEnum());
    if (audio_sampling_rate >= 32000)
        FillBitrates(CMP2AudioMiddleBitrateEnum(audio_channels));
    else
        FillBitrates(CMP2AudioLowBitrateEnum(audio_channels));
    return 1;
}

int32_t CSchemaImpl::InitListAAC()
{
    FillSamplingRates(CMP3AudioSamplingRateEnum());
    FillChannels(CChannelMultyEnum());
    FillBitrates(CAACAudioBitrateEnum());
    return 0;
}

int32_t CSchemaImpl::InitListAMRNB()
{
    FillSamplingRates(CAMRNWSamlingRateEnum());
    FillChannels(CChannelMonoOnlyEnum());
    FillBitrates(CAMNBAudioBitrateEnum());
    return 0;
}

int32_t CSchemaImpl::InitListQDM2()
{
    FillSamplingRates(CMP3AudioSamplingRateEnum());
    FillChannels(CChannelSimpleEnum());
    FillMP3Bitrates();
    return 0;
}

void CSchemaImpl::InitComboForCommonCodec(int32_t tag)
{
    if (!m_audioCodecs) return;
    CAudioCodecsBase& codecs = *m_audioCodecs;
    if (codecs.InitAudioFormat(tag, audio_rate_control) != S_OK) return;

    std::vector<WAVEFORMATEX> waves(schema_lists::WaveCount(codecs));
    for (size_t i = 0; i < waves.size(); ++i)
        waves[i].nAvgBytesPerSec = schema_lists::GetWave(codecs, &waves[i], i);

    CListEnumBase rates;
    for (const WAVEFORMATEX& w : waves) {
        const auto rate = static_cast<int32_t>(w.nSamplesPerSec);
        if (!schema_lists::HasValue(rates, rate)) schema_lists::Add(rates, rate, FormatNumber("%lld Hz", rate));
    }
    FillSamplingRates(rates);

    CListEnumBase channels;
    for (const WAVEFORMATEX& w : waves) {
        if (static_cast<int32_t>(w.nSamplesPerSec) != audio_sampling_rate) continue;
        const int32_t count = w.nChannels;
        if (schema_lists::HasValue(channels, count)) continue;
        if (count == 2)
            schema_lists::AddById(channels, 2, 124);
        else if (count == 1)
            schema_lists::AddById(channels, 1, 125);
        else
            schema_lists::Add(channels, count, FormatNumber("%lld", count));
    }
    FillChannels(channels);

    CListEnumBase bitrates;
    for (const WAVEFORMATEX& w : waves) {
        if (w.nAvgBytesPerSec == 0) continue;
        const double bits = static_cast<double>(w.nAvgBytesPerSec) * 8;
        const auto kbps = static_cast<int32_t>(RoundNearest(bits / 1000));
        if (static_cast<int32_t>(w.nSamplesPerSec) != audio_sampling_rate) continue;
        if (static_cast<int32_t>(w.nChannels) != audio_channels) continue;
        if (schema_lists::HasValue(bitrates, kbps)) continue;
        const std::wstring text = kbps != 0 ? FormatNumber("%lld kbps", kbps)
                                            : FormatNumber("%lld bps", static_cast<long long>(RoundNearest(bits)));
        schema_lists::Add(bitrates, kbps, text);
    }
    FillBitrates(bitrates);
}
