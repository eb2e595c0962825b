#include "model/output/AudioFileObj.h"

#include "engine/OutputFormatEnum.h"
#include "model/config/ConfigMng.h"

CAudioFileObj::CAudioFileObj()
{
    is_create = 0;
    include_video = 0;
    include_audio = 1;
}

CAudioFileObj::~CAudioFileObj() = default;

HRESULT CAudioFileObj::Bind(const std::wstring& prefix, CConfigMng* node)
{
    HRESULT hr = COutputFileObj::Bind(prefix, node);
    if (FAILED(hr)) return hr;
    const KeyEntry keys[] = {
        {L"audio_codec", CONFIG_TYPE_STRING, &audio_codec, 1},
        {L"audio_channels", CONFIG_TYPE_INT, &audio_channels, 1},
        {L"audio_sampling_rate", CONFIG_TYPE_INT, &audio_sampling_rate, 1},
        {L"audio_bitrate", CONFIG_TYPE_INT, &audio_bitrate, 1},
        {L"audio_precision", CONFIG_TYPE_INT, &audio_precision, 1},
        {L"audio_rate_control", CONFIG_TYPE_INT, &audio_rate_control, 1},
        {L"audio_quality", CONFIG_TYPE_INT, &audio_quality, 1},
    };
    hr = RegisterKeys(prefix, node, keys);
    if (FAILED(hr)) return hr;
    return m_adv.Bind(prefix, node);
}

void CAudioFileObj::CreateSchema()
{
    COutputFileObj::CreateSchema();
    CreateFormatGroup();
    CreateAudio();
    m_adv.CreateSchema();
    FillFormatList(FindProperty(SCHEMA_PROP_FILE_FORMAT));
}

void CAudioFileObj::FillFormatList(CSchemaProperty* property)
{
    FillFormats(property, FMTCAT_AUDIO | FMTCAT_SAME);
}

void CAudioFileObj::UpdateStates()
{
    COutputFileObj::UpdateStates();
    InitAudioCodecList(AudioCodecProperty(), file_format);
    VerifyAudioCodec(audio_codec);
    VerifyAudioOptions(audio_codec);
    m_adv.UpdateStates();
}
