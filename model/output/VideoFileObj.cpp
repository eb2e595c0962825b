#include "model/output/VideoFileObj.h"

#include "engine/OutputFormatEnum.h"
#include "model/config/ConfigMng.h"
#include "model/output/OutputIds.h"

CVideoFileObj::CVideoFileObj() : CFrameFileObj(true)
{
    is_create = 1;
    include_video = 1;
    include_audio = 1;
}

CVideoFileObj::~CVideoFileObj() = default;

HRESULT CVideoFileObj::Bind(const std::wstring& prefix, CConfigMng* node)
{
    HRESULT hr = CFrameFileObj::Bind(prefix, node);
    if (FAILED(hr)) return hr;
    const KeyEntry keys[] = {
        {L"frame_rate", CONFIG_TYPE_INT, &frame_rate, 1},
        {L"aspect_ratio", CONFIG_TYPE_INT, &aspect_ratio, 1},
        {L"include_video", CONFIG_TYPE_INT, &include_video, 1},
        {L"video_codec", CONFIG_TYPE_STRING, &video_codec, 1},
        {L"video_bitrate", CONFIG_TYPE_INT, &video_bitrate, 1},
        {L"video_quality", CONFIG_TYPE_INT, &video_quality, 1},
        {L"two_pass", CONFIG_TYPE_INT, &two_pass, 1},
        {L"key_frame_rate", CONFIG_TYPE_INT, &key_frame_rate, 1},
        {L"video_rate_control", CONFIG_TYPE_INT, &video_rate_control, 1},
        {L"max_bitrate", CONFIG_TYPE_INT, &max_bitrate, 1},
        {L"max_buffer_window", CONFIG_TYPE_INT, &max_buffer_window, 0},
        {L"vc_profile", CONFIG_TYPE_INT, &vc_profile, 1},
        {L"include_audio", CONFIG_TYPE_INT, &include_audio, 1},
    };
    hr = RegisterKeys(prefix, node, keys);
    if (FAILED(hr)) return hr;
    hr = RegisterAudioKeys(prefix, node);
    if (FAILED(hr)) return hr;
    return BindMembers(prefix, node, m_adv, kVideoWatermarksGroup);
}

void CVideoFileObj::CreateSchema()
{
    COutputFileObj::CreateSchema();
    CreateSystem();
    CreateVideo();
    CreateAudio();
    CreateImage(0);
    CreateMemberSchemas(m_adv);
}

void CVideoFileObj::FillFormatList(CSchemaProperty* property)
{
    FillFormats(property, FMTCAT_VIDEO | FMTCAT_SAME);
}

void CVideoFileObj::UpdateStates()
{
    CFrameFileObj::UpdateStates();
    // Not forced: these only hide what the format rule left shown.
    SetFlag(SCHEMA_GROUP_VIDEO, include_video == 0 ? 1 : 0, false);
    SetFlag(SCHEMA_GROUP_AUDIO, include_audio == 0 ? 1 : 0, false);
    SetFlag(SCHEMA_GROUP_FRAME_SIZE, include_video == 0 ? 1 : 0, false);
    SetFlag(SCHEMA_PROP_FRAME_RATE, include_video == 0 ? 1 : 0, false);
    SetFlag(SCHEMA_PROP_ASPECT_RATIO, include_video == 0 || file_format == kSameAsSourceFormatId ? 1 : 0, true);
    if (include_video != 0) {
        InitVideoCodecList(VideoCodecProperty(), file_format);
        VerifyVideoCodec(video_codec);
        VerifyVideoOptions(video_codec, video_rate_control, file_format);
    }
    if (include_audio != 0) {
        InitAudioCodecList(AudioCodecProperty(), file_format);
        VerifyAudioCodec(audio_codec);
        VerifyAudioOptions(audio_codec);
    }
    if (include_video != 0) VerifyImageOptions();
    m_adv.UpdateStates();
}
