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
    hr = RegisterAudioKeys(prefix, node);
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
