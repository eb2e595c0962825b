// The active output's settings into the job's format node and its profile node.
#include "model/job/JobMessages.h"
#include "engine/JobTreeKeys.h"
#include "model/job/JobTreeAccess.h"
#include "model/job/ParametersTransfer.h"
#include "model/schema/ParametersObj.h"
#include "model/source/PropertyAccess.h"
#include "model/util/FormatProfile.h"

namespace {

void PutI4(IUnknown* node, const wchar_t* name, int32_t value)
{
    SetSourceProperty(node, name, CVariant(value));
}

// The setting's 32-bit value passes unchanged.
void PutUI4(IUnknown* node, const wchar_t* name, int32_t value)
{
    SetSourceProperty(node, name, CVariant(static_cast<uint32_t>(value)));
}

void PutText(IUnknown* node, const wchar_t* name, const std::wstring& value)
{
    SetSourceProperty(node, name, CVariant(value));
}

struct CodecProperties {
    const wchar_t* video;
    const wchar_t* audio;
};

CodecProperties CodecPropertiesOf(int32_t format)
{
    switch (format) {
    case 1: return {L"AVIVideoCodec", L"AVIAudioCodec"};
    case 2: return {L"WMVVideoCodec", L"WMVAudioCodec"};
    case 3:
    case 21: return {L"MPEGVideoCodec", L"MPEGAudioCodec"};
    case 4: return {L"MOVVideoCodec", L"MOVAudioCodec"};
    case 5:
    case 6: return {L"FLASHVideoCodec", L"FLASHAudioCodec"};
    case 13: return {L"MP4VideoCodec", L"MP4AudioCodec"};
    case 14: return {L"3GPVideoCodec", L"3GPAudioCodec"};
    case 15: return {L"3G2VideoCodec", L"3G2AudioCodec"};
    case 16: return {L"MKVVideoCodec", L"MKVAudioCodec"};
    case 18: return {L"F4VVideoCodec", L"F4VAudioCodec"};
    default: return {nullptr, nullptr};
    }
}

ComPtr<IUnknown> ProfileOf(IUnknown* formatNode)
{
    ComPtr<IUnknown> profile;
    if (FAILED(GetFormatProfile(formatNode, profile.ReleaseAndGetAddressOf()))) profile = nullptr;
    return profile;
}

void WriteSplit(const CParametersObj& adv, IUnknown* profile)
{
    PutI4(profile, jobkey::SplitUse, 1);
    PutI4(profile, jobkey::SplitType, adv.adv_split_type);
    PutI4(profile, jobkey::SplitCountFrames, adv.adv_split_count_part);
    PutI4(profile, jobkey::SplitStep, adv.adv_split_time);
    PutI4(profile, jobkey::SplitSize, adv.adv_split_size);
    PutI4(profile, jobkey::SplitStartWith, adv.adv_split_start_time);
    PutI4(profile, jobkey::SplitLastVideo, adv.adv_create_last_clip);
}

}  // namespace

HRESULT CParametersTransfer::GetFormatNode(IUnknown** formatNode)
{
    if (!formatNode) return S_OK;
    ComPtr<IEngineCollection> profiles = GetProfilesNode(m_job.Get());
    if (!profiles) return S_OK;
    LONG count = 0;
    if (FAILED(profiles->GetCount(&count))) count = 0;
    for (LONG i = 0; i < count; ++i) {
        ComPtr<IUnknown> profile;
        if (FAILED(profiles->GetItem(i, profile.ReleaseAndGetAddressOf())) || !profile) continue;
        CFormatsNodeHolder holder;
        OpenFormatsNode(holder, profile.Get(), 0);
        LONG formats = 0;
        if (holder.Formats() && SUCCEEDED(holder.Formats()->GetCount(&formats)) && formats > 0) {
            ComPtr<IUnknown> first;
            if (SUCCEEDED(holder.Formats()->GetItem(0, first.ReleaseAndGetAddressOf())) && first) {
                *formatNode = first.Detach();
                return S_OK;
            }
        }
    }
    return S_OK;
}

void CParametersTransfer::TransferCommonOutput(const CParametersObj& o, IUnknown* node)
{
    PutI4(node, jobkey::OutputFormatID, o.file_format);
    PutText(node, jobkey::DestinationFolder, o.destination);
    PutText(node, jobkey::FileNamePattern, o.file_name);
    PutI4(node, jobkey::IsOverwrite, o.overwrite);
    PutText(node, jobkey::FormatDublicateName, o.dupformat);
    PutText(node, jobkey::FormatNumericVariable, o.num_format);
    PutI4(node, jobkey::NumericVarStartWidth, o.st_with);
    PutI4(node, jobkey::NumericVarIncrement, o.increment);
    PutI4(node, jobkey::WebSafe, o.websafe);
    PutI4(node, jobkey::NameCase, o.name_case);
    PutI4(node, jobkey::ExtensionCase, o.ext_case);
    PutI4(node, jobkey::UseFormatExtension, o.formatdepext);
}

void CParametersTransfer::TransferFrameSize(const CParametersObj& o, int32_t aspect, IUnknown* node)
{
    PutText(node, jobkey::Resize, o.image_size);
    PutI4(node, jobkey::Resampling, o.resampling);
    PutI4(node, jobkey::ResizeType, o.resize_type);
    if (o.resize_type == 2) {
        switch (o.litterbox) {
        case 0: PutI4(node, jobkey::CreateLitterbox, 0); PutI4(node, jobkey::ResizeType, 2); break;
        case 1: PutI4(node, jobkey::CreateLitterbox, 1); PutI4(node, jobkey::ResizeType, 2); break;
        case 2: PutI4(node, jobkey::CreateLitterbox, 0); PutI4(node, jobkey::ResizeType, 3); break;
        default: break;
        }
    }
    PutUI4(node, jobkey::LitterboxColor, o.litterbox_color);
    PutI4(node, jobkey::AspectRatioType, aspect);
}

void CParametersTransfer::TransferVideoStreams(const CParametersObj& v, IUnknown* node)
{
    PutI4(node, jobkey::IncludeAudioStream, v.include_audio);
    PutI4(node, jobkey::IncludeVideoStream, v.include_video);
    PutI4(node, jobkey::FrameRateID, v.frame_rate);
    PutI4(node, jobkey::AspectRatioType, v.aspect_ratio);
}

void CParametersTransfer::TransferVideoSettings(const CParametersObj& v, IUnknown* node)
{
    TransferFrameSize(v, v.aspect_ratio, node);
    TransferVideoStreams(v, node);
    CodecProperties codecs = CodecPropertiesOf(v.file_format);
    if (codecs.video) {
        PutText(node, codecs.video, v.video_codec);
        PutText(node, codecs.audio, v.audio_codec);
    }
    PutUI4(node, jobkey::VideoBitrate, v.video_bitrate);
    PutUI4(node, jobkey::Quality, v.video_quality);
    PutI4(node, jobkey::TwoPass, AllowsTwoPass(v.video_codec) ? v.two_pass : 0);
    PutI4(node, jobkey::KeyFrames, v.key_frame_rate);
    PutI4(node, jobkey::VideoBitrateMode, v.video_rate_control);
    PutI4(node, jobkey::VideoProfile, v.vc_profile);
    PutI4(node, jobkey::Channels, v.audio_channels);
    PutI4(node, jobkey::SamplingRate, v.audio_sampling_rate);
    PutUI4(node, jobkey::AudioBitrate, v.audio_bitrate);
    PutUI4(node, jobkey::AudioPrecision, v.audio_precision);
    PutI4(node, jobkey::AudioBitrateMode, v.audio_rate_control);
    PutUI4(node, jobkey::AudioQuality, v.audio_quality);
    PutI4(node, jobkey::FormatType, 1);
}

void CParametersTransfer::TransferVideoSplitJoin(const CParametersObj& adv, IUnknown* formatNode)
{
    if (ComPtr<IUnknown> profile = ProfileOf(formatNode)) {
        if (adv.adv_enable_split) {
            WriteSplit(adv, profile.Get());
        } else if (adv.adv_enable_join) {
            PutI4(profile.Get(), jobkey::SplitUse, 0);
            PutI4(profile.Get(), jobkey::JoinType, 1);
            PutI4(profile.Get(), jobkey::JoinImageTime, adv.adv_image_duration);
        } else {
            PutI4(profile.Get(), jobkey::SplitUse, 0);
        }
    }
    // The user learns that the join is dropped even when there is no profile
    // node to write the split into.
    if (adv.adv_enable_split && adv.adv_enable_join) SendMsgWarning(kMsgSplitAndJoin);
}

void CParametersTransfer::TransferAudioSettings(CParametersObj& a, IUnknown* node)
{
    PutI4(node, jobkey::IncludeAudioStream, 1);
    PutI4(node, jobkey::IncludeVideoStream, 0);
    if (a.file_format != 21)
        if (const wchar_t* codec = CodecPropertiesOf(a.file_format).audio) PutText(node, codec, a.audio_codec);
    // Only the raw format keeps a chosen precision; the project keeps the change.
    if (a.file_format != 20) a.audio_precision = 16;
    PutI4(node, jobkey::Channels, a.audio_channels);
    PutI4(node, jobkey::SamplingRate, a.audio_sampling_rate);
    PutUI4(node, jobkey::AudioBitrate, a.audio_bitrate);
    PutUI4(node, jobkey::AudioPrecision, a.audio_precision);
    PutI4(node, jobkey::AudioBitrateMode, a.audio_rate_control);
    PutUI4(node, jobkey::AudioQuality, a.audio_quality);
}

void CParametersTransfer::TransferAudioSplitJoin(const CParametersObj& adv, IUnknown* formatNode)
{
    ComPtr<IUnknown> profile = ProfileOf(formatNode);
    if (!profile) return;
    if (adv.adv_enable_split) {
        WriteSplit(adv, profile.Get());
    } else if (adv.adv_enable_join) {
        PutI4(profile.Get(), jobkey::SplitUse, 0);
        PutI4(profile.Get(), jobkey::JoinType, 1);
    } else {
        PutI4(profile.Get(), jobkey::SplitUse, 0);
    }
}

void CParametersTransfer::TransferImageSettings(const CParametersObj& i, IUnknown* node)
{
    // The image output keeps no aspect setting.
    TransferFrameSize(i, 0, node);
    PutI4(node, jobkey::ScreenListEnable, i.is_join_image);
    PutI4(node, jobkey::ScreenListRows, i.images_rows);
    PutI4(node, jobkey::ScreenListCols, i.images_cols);
}

void CParametersTransfer::TransferImageSplit(const CParametersObj& adv, IUnknown* formatNode)
{
    if (ComPtr<IUnknown> profile = ProfileOf(formatNode)) {
        if (adv.adv_image_extract_mode == 1) {
            PutI4(profile.Get(), jobkey::SplitUse, 1);
            PutI4(profile.Get(), jobkey::SplitType, adv.adv_split_type);
            PutI4(profile.Get(), jobkey::SplitCountFrames, adv.adv_split_count_part);
            PutI4(profile.Get(), jobkey::SplitStep, adv.adv_split_time);
        } else {
            PutI4(profile.Get(), jobkey::SplitUse, 0);
        }
    }
    PutI4(formatNode, jobkey::FrameShift, adv.adv_split_start_time);
}
