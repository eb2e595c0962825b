#include "model/schema/SchemaImpl.h"

#include "platform/TextConv.h"

namespace {

constexpr wchar_t kH264[] = L"H.264";

// Forced show or hide of a property inside one group; nothing without the group.
void ShowIn(CPropertiesImpl& schema, const CSchemaProperties* group, int32_t id, bool show)
{
    if (group) schema.SetFlag(id, show ? 0 : 1, true, group);
}

}  // namespace

CSchemaImpl::CSchemaImpl()
{
    include_video = 1;
    video_quality = 75;
    video_bitrate = 2000;
    max_bitrate = 2000;
    max_buffer_window = 2000;
    two_pass = 0;
    key_frame_rate = 100;
    video_rate_control = 0;
    vc_profile = 0;
    include_audio = 1;
    audio_channels = 2;
    audio_sampling_rate = 44100;
    audio_bitrate = 128;
    audio_precision = 16;
    audio_rate_control = 0;
    audio_quality = 75;
    frame_rate = 0;
    aspect_ratio = 0;
    image_size = L"100%";
    resampling = 0;
    resize_type = 0;
    litterbox = 1;
    litterbox_color = 0;
}

CSchemaImpl::~CSchemaImpl() = default;

std::shared_ptr<CVideoCodecsBase> CSchemaImpl::CreateVideoCodecs(int32_t format)
{
    return schema_lists::CreateVideoCodecs(format);
}

std::shared_ptr<CAudioCodecsBase> CSchemaImpl::CreateAudioCodecs(int32_t format)
{
    return schema_lists::CreateAudioCodecs(format);
}

void CSchemaImpl::CreateSystem()
{
    CSchemaProperties* g = AddGroup(61317, SCHEMA_GROUP_SYSTEM);
    AddProperty(61320, g, SCHEMA_PROP_FILE_FORMAT, SCHEMA_TYPE_INT, &file_format, 0x0009);
    AddProperty(61327, g, SCHEMA_PROP_INCLUDE_VIDEO, SCHEMA_TYPE_INT, &include_video, 0x000C);
    AddProperty(61326, g, SCHEMA_PROP_INCLUDE_AUDIO, SCHEMA_TYPE_INT, &include_audio, 0x000C);
    CSchemaProperty::FillOptions(CFrameRateEnum(),
                                 AddProperty(61328, g, SCHEMA_PROP_FRAME_RATE, SCHEMA_TYPE_INT, &frame_rate, 0x0001));
    CSchemaProperty::FillOptions(
        CImageAspectRatioType(),
        AddProperty(61336, g, SCHEMA_PROP_ASPECT_RATIO, SCHEMA_TYPE_INT, &aspect_ratio, 0x0001));
}

void CSchemaImpl::CreateVideo()
{
    CSchemaProperties* g = AddGroup(61318, SCHEMA_GROUP_VIDEO);
    m_videoCodecProperty = AddProperty(61324, g, SCHEMA_PROP_CODEC, SCHEMA_TYPE_STRING, &video_codec, 0x101A);
    CSchemaProperty* profile = AddProperty(503, g, SCHEMA_PROP_VC_PROFILE, SCHEMA_TYPE_INT, &vc_profile, 0x0001);
    CSchemaProperty::AddOptionById(504, profile, 0);
    CSchemaProperty::AddOptionById(505, profile, 1);
    CSchemaProperty::AddOptionById(506, profile, 2);
    CSchemaProperty* rate =
        AddProperty(61329, g, SCHEMA_PROP_RATE_CONTROL, SCHEMA_TYPE_INT, &video_rate_control, 0x0009);
    if (video_codec == kH264)
        CSchemaProperty::FillOptions(CH254BitrateTypeEnum(), rate);
    else
        CSchemaProperty::FillOptions(CBitrateTypeEnum(), rate);
    AddProperty(61330, g, SCHEMA_PROP_QUALITY, SCHEMA_TYPE_INT, &video_quality, 0x1000);
    AddProperty(61331, g, SCHEMA_PROP_BITRATE, SCHEMA_TYPE_INT, &video_bitrate, 0x1000);
    AddProperty(61332, g, SCHEMA_PROP_MAX_BITRATE, SCHEMA_TYPE_INT, &max_bitrate, 0x1000);
    AddProperty(61333, g, SCHEMA_PROP_MAX_BUFFER_WINDOW, SCHEMA_TYPE_INT, &max_buffer_window, 0x1000);
    AddProperty(61334, g, SCHEMA_PROP_TWO_PASS, SCHEMA_TYPE_INT, &two_pass, 0x1004);
    AddProperty(61335, g, SCHEMA_PROP_KEY_FRAME_RATE, SCHEMA_TYPE_INT, &key_frame_rate, 0x1000);
}

void CSchemaImpl::CreateAudio()
{
    CSchemaProperties* g = AddGroup(61315, SCHEMA_GROUP_AUDIO);
    m_audioCodecProperty = AddProperty(61324, g, SCHEMA_PROP_CODEC, SCHEMA_TYPE_STRING, &audio_codec, 0x1018);
    CSchemaProperty::FillOptions(
        CChannelMultyEnum(),
        AddProperty(61337, g, SCHEMA_PROP_AUDIO_CHANNELS, SCHEMA_TYPE_INT, &audio_channels, 0x1009));
    CSchemaProperty::FillOptions(
        CPCMSamlingRateEnum(),
        AddProperty(61338, g, SCHEMA_PROP_SAMPLING_RATE, SCHEMA_TYPE_INT, &audio_sampling_rate, 0x1009));
    CSchemaProperty::FillOptions(
        CPrecisionEnum(), AddProperty(61339, g, SCHEMA_PROP_PRECISION, SCHEMA_TYPE_INT, &audio_precision, 0x1001));
    CSchemaProperty::FillOptions(
        CMP3BitrateTypeEnum(),
        AddProperty(61329, g, SCHEMA_PROP_RATE_CONTROL, SCHEMA_TYPE_INT, &audio_rate_control, 0x1009));
    AddProperty(61330, g, SCHEMA_PROP_QUALITY, SCHEMA_TYPE_INT, &audio_quality, 0x1000);
    CSchemaProperty::FillOptions(
        CMP3AudioLowBitrateEnum(),
        AddProperty(61331, g, SCHEMA_PROP_BITRATE, SCHEMA_TYPE_INT, &audio_bitrate, 0x1001));
}

void CSchemaImpl::CreateImage(int imageOutput)
{
    CSchemaProperties* g =
        imageOutput ? AddGroup(61316, SCHEMA_GROUP_IMAGE) : AddGroup(61319, SCHEMA_GROUP_FRAME_SIZE);
    CImageDefSizes sizes(1);
    CSchemaProperty::FillOptions(
        sizes, AddProperty(61325, g, SCHEMA_PROP_IMAGE_SIZE, SCHEMA_TYPE_STRING, &image_size, 0x1200));
    if (image_size.empty() && schema_lists::Count(sizes) > 0) image_size = schema_lists::Text(sizes, 0);
    CSchemaProperty::FillOptions(
        CImageResampling(), AddProperty(61340, g, SCHEMA_PROP_RESAMPLING, SCHEMA_TYPE_INT, &resampling, 0x1001));
    CSchemaProperty::FillOptions(
        CImageResizeType(), AddProperty(61341, g, SCHEMA_PROP_RESIZE_TYPE, SCHEMA_TYPE_INT, &resize_type, 0x1009));
    CSchemaProperty::FillOptions(
        CLitterBoxType(), AddProperty(61342, g, SCHEMA_PROP_LITTERBOX, SCHEMA_TYPE_INT, &litterbox, 0x1009));
    AddProperty(61343, g, SCHEMA_PROP_LITTERBOX_COLOR, SCHEMA_TYPE_INT, &litterbox_color, 0x1020);
}

void CSchemaImpl::InitVideoCodecList(CSchemaProperty* property, int32_t format)
{
    if (!property || format == m_videoListFormat) return;
    m_videoListFormat = format;
    CSchemaProperty::ClearOptions(property);
    m_videoCodecs = CreateVideoCodecs(format);
    if (m_videoCodecs) {
        for (size_t i = 0; i < schema_lists::Count(*m_videoCodecs); ++i)
            CSchemaProperty::AddOption(property, static_cast<int32_t>(i), schema_lists::Text(*m_videoCodecs, i));
    }
    property->optionSource = m_videoCodecs;
}

void CSchemaImpl::InitAudioCodecList(CSchemaProperty* property, int32_t format)
{
    if (!property || format == m_audioListFormat) return;
    m_audioListFormat = format;
    CSchemaProperty::ClearOptions(property);
    property->hidden = 0;
    m_audioCodecs = nullptr;
    if (format == 20) {
        property->hidden = 1;
        return;
    }
    m_audioCodecs = CreateAudioCodecs(format);
    if (!m_audioCodecs) return;
    for (size_t i = 0; i < schema_lists::Count(*m_audioCodecs); ++i)
        CSchemaProperty::AddOption(property, static_cast<int32_t>(i), schema_lists::Text(*m_audioCodecs, i));
}

namespace {

void VerifyCodec(const CAVCodecsBase* list, std::wstring& codec)
{
    if (!list) return;
    if (!codec.empty() && schema_lists::IndexOfText(*list, codec) >= 0) return;
    codec = schema_lists::DefaultCodec(*list);
}

}  // namespace

void CSchemaImpl::VerifyVideoCodec(std::wstring& codec)
{
    VerifyCodec(m_videoCodecs.get(), codec);
}

void CSchemaImpl::VerifyAudioCodec(std::wstring& codec)
{
    VerifyCodec(m_audioCodecs.get(), codec);
}

void CSchemaImpl::VerifyVideoOptions(const std::wstring& codec, int32_t rateControl, int32_t format)
{
    if (!m_videoCodecs) return;
    const CVideoCodecsBase& list = *m_videoCodecs;
    // A codec the list does not know (or an empty list) has no capabilities.
    const int idx = schema_lists::IndexOfText(list, codec);
    const bool known = idx >= 0 && static_cast<size_t>(idx) < schema_lists::Count(list);
    const bool adv = known && list.IsAdv(idx);
    const bool bitrate = known && list.IsBitrate(idx);
    const bool quality = known && list.IsQuality(idx);
    const bool multiPass = known && list.IsMultyPass(idx, -1);
    const bool keyFrame = known && list.IsKeyFrame(idx);
    const bool rate = known && list.IsRate(idx);
    const bool h264 = EqualsNoCase(codec, kH264);

    if (m_videoCodecProperty) m_videoCodecProperty->buttonEnabled = adv ? 1 : 0;
    m_videoCodecs->SetObject(this);

    const CSchemaProperties* g = FindGroup(SCHEMA_GROUP_VIDEO);
    ShowIn(*this, g, SCHEMA_PROP_BITRATE, bitrate && rateControl != 2);
    ShowIn(*this, g, SCHEMA_PROP_VC_PROFILE, h264);
    ShowIn(*this, g, SCHEMA_PROP_QUALITY, quality && rateControl == 2);
    ShowIn(*this, g, SCHEMA_PROP_TWO_PASS, multiPass);
    ShowIn(*this, g, SCHEMA_PROP_KEY_FRAME_RATE, keyFrame);
    ShowIn(*this, g, SCHEMA_PROP_RATE_CONTROL, rate);
    ShowIn(*this, g, SCHEMA_PROP_MAX_BITRATE, false);
    ShowIn(*this, g, SCHEMA_PROP_MAX_BUFFER_WINDOW, false);

    CSchemaProperty* modes = FindProperty(SCHEMA_PROP_RATE_CONTROL);
    if (!modes) return;
    if (h264) {
        CSchemaProperty::FillOptions(CH254BitrateTypeEnum(), modes);
    } else if (format == 2) {
        CSchemaProperty::FillOptions(CWMVBitrateTypeEnum(), modes);
        ShowIn(*this, g, SCHEMA_PROP_MAX_BITRATE, rate);
        ShowIn(*this, g, SCHEMA_PROP_MAX_BUFFER_WINDOW, rate);
    } else {
        CSchemaProperty::FillOptions(CBitrateTypeEnum(), modes);
    }
}

void CSchemaImpl::VerifyAudioOptions(const std::wstring& codec)
{
    const CSchemaProperties* g = FindGroup(SCHEMA_GROUP_AUDIO);
    if (!m_audioCodecs) {
        ShowIn(*this, g, SCHEMA_PROP_PRECISION, true);
        ShowIn(*this, g, SCHEMA_PROP_RATE_CONTROL, false);
        ShowIn(*this, g, SCHEMA_PROP_QUALITY, false);
        ShowIn(*this, g, SCHEMA_PROP_BITRATE, false);
        return;
    }
    const CAudioCodecsBase& list = *m_audioCodecs;
    // An unknown codec (or an empty list) has no capabilities and no tag: it
    // must not pass for PCM (tag 0) nor read the first item of an empty list.
    int idx = -1;
    for (size_t i = 0; i < schema_lists::Count(list); ++i) {
        if (schema_lists::Text(list, i) == codec) {
            idx = static_cast<int>(i);
            break;
        }
    }
    const bool known = idx >= 0;
    const int32_t tag = known ? schema_lists::Value(list, idx) : 0;

    if (CSchemaProperty* modes = g ? FindProperty(SCHEMA_PROP_RATE_CONTROL, g) : nullptr) {
        if (known && tag >= 0x200)
            FillAndVerify(CWMVAudioBitrateTypeEnum(), modes, &audio_rate_control);
        else
            FillAndVerify(CMP3BitrateTypeEnum(), modes, &audio_rate_control);
    }
    const bool precision = known && schema_lists::TakesPrecision(list, idx);
    const bool rc = known && schema_lists::HasRateControl(list, idx);
    const bool bitrate = known && schema_lists::HasBitrate(list, idx);
    const bool vbrMode = rc && (audio_rate_control == 1 || audio_rate_control == 2);
    ShowIn(*this, g, SCHEMA_PROP_PRECISION, precision);
    ShowIn(*this, g, SCHEMA_PROP_RATE_CONTROL, rc);
    ShowIn(*this, g, SCHEMA_PROP_QUALITY, vbrMode);
    ShowIn(*this, g, SCHEMA_PROP_BITRATE, bitrate && !vbrMode);

    if (!known) return;
    if (InitListForFormatDepAudioCodec(tag) == 0) InitComboForCommonCodec(tag);
}

void CSchemaImpl::VerifyImageOptions()
{
    const bool bars = resize_type == 2;
    SetFlag(SCHEMA_PROP_LITTERBOX, bars ? 0 : 1, true);
    SetFlag(SCHEMA_PROP_LITTERBOX_COLOR, bars && litterbox == 1 ? 0 : 1, true);
}
