#pragma once
// Common base of the output settings objects: the parameter block, the schema
// that shows it in the settings grid, and the engine codec lists that keep the
// chosen codec, its options and the visible rows consistent with the format.
#include "model/schema/EngineLists.h"
#include "model/schema/ParametersObj.h"
#include "model/schema/PropertiesImpl.h"
#include <memory>
#include <string>

// Group ids of the output schemas.
enum : int32_t {
    SCHEMA_GROUP_AUDIO = 7,
    SCHEMA_GROUP_IMAGE = 8,
    SCHEMA_GROUP_SYSTEM = 17,
    SCHEMA_GROUP_VIDEO = 21,
    SCHEMA_GROUP_FRAME_SIZE = 23,
};

// Property ids of the output schemas (the video and audio groups share 15, 22, 24
// and 25).
enum : int32_t {
    SCHEMA_PROP_CODEC = 15,
    SCHEMA_PROP_FILE_FORMAT = 11,
    SCHEMA_PROP_INCLUDE_VIDEO = 18,
    SCHEMA_PROP_INCLUDE_AUDIO = 19,
    SCHEMA_PROP_IMAGE_SIZE = 20,
    SCHEMA_PROP_RATE_CONTROL = 22,
    SCHEMA_PROP_QUALITY = 24,
    SCHEMA_PROP_BITRATE = 25,
    SCHEMA_PROP_MAX_BITRATE = 26,
    SCHEMA_PROP_MAX_BUFFER_WINDOW = 27,
    SCHEMA_PROP_TWO_PASS = 28,
    SCHEMA_PROP_KEY_FRAME_RATE = 29,
    SCHEMA_PROP_ASPECT_RATIO = 30,
    SCHEMA_PROP_FRAME_RATE = 31,
    SCHEMA_PROP_AUDIO_CHANNELS = 32,
    SCHEMA_PROP_SAMPLING_RATE = 33,
    SCHEMA_PROP_PRECISION = 34,
    SCHEMA_PROP_RESAMPLING = 35,
    SCHEMA_PROP_RESIZE_TYPE = 36,
    SCHEMA_PROP_LITTERBOX = 37,
    SCHEMA_PROP_LITTERBOX_COLOR = 38,
    SCHEMA_PROP_VC_PROFILE = 70,
};

class CSchemaImpl : public CParametersObj, public CPropertiesImpl, public IObject {
public:
    CSchemaImpl();
    ~CSchemaImpl() override;

    void CreateSystem();
    void CreateVideo();
    void CreateAudio();
    void CreateImage(int imageOutput);

    // Nothing is rebuilt while the format stays the same.
    void InitVideoCodecList(CSchemaProperty* property, int32_t format);
    void InitAudioCodecList(CSchemaProperty* property, int32_t format);
    // Replace a codec the current list does not offer (exact match) by its default.
    void VerifyVideoCodec(std::wstring& codec);
    void VerifyAudioCodec(std::wstring& codec);
    void VerifyVideoOptions(const std::wstring& codec, int32_t rateControl, int32_t format);
    void VerifyAudioOptions(const std::wstring& codec);
    void VerifyImageOptions();

    // Format-dependent audio lists; 1 when they are final.
    int32_t InitListForFormatDepAudioCodec(int32_t tag);
    int32_t InitListPCM();
    int32_t InitListMP3();
    int32_t InitListMP2(int32_t tag);
    int32_t InitListAAC();
    int32_t InitListAMRNB();
    int32_t InitListQDM2();
    // Lists built from the wave formats the engine offers for the codec.
    void InitComboForCommonCodec(int32_t tag);

    CSchemaProperty* VideoCodecProperty() const { return m_videoCodecProperty; }
    CSchemaProperty* AudioCodecProperty() const { return m_audioCodecProperty; }
    const std::shared_ptr<CVideoCodecsBase>& VideoCodecs() const { return m_videoCodecs; }
    const std::shared_ptr<CAudioCodecsBase>& AudioCodecs() const { return m_audioCodecs; }

protected:
    // The engine's lists for a format; tests put doubles here.
    virtual std::shared_ptr<CVideoCodecsBase> CreateVideoCodecs(int32_t format);
    virtual std::shared_ptr<CAudioCodecsBase> CreateAudioCodecs(int32_t format);

private:
    void FillAndVerify(const CListEnumBase& list, CSchemaProperty* property, int32_t* field);
    void FillSamplingRates(const CListEnumBase& list);
    void FillChannels(const CListEnumBase& list);
    void FillBitrates(const CListEnumBase& list);
    void FillMP3Bitrates();

    std::shared_ptr<CVideoCodecsBase> m_videoCodecs;
    std::shared_ptr<CAudioCodecsBase> m_audioCodecs;
    int32_t m_videoListFormat = -1;
    int32_t m_audioListFormat = -1;
    CSchemaProperty* m_videoCodecProperty = nullptr;
    CSchemaProperty* m_audioCodecProperty = nullptr;
};
