#pragma once
// Codec lists of an output format: item text = codec name as the user sees it,
// item value = codec tag. Only codecs whose FFmpeg encoder this build has are
// listed. Audio tags: 0 PCM, 1 MP3, 2 MP2 (MPEG-1 rates), 3 MP2 (MPEG-2 low
// rates), 4 AAC, 5 AMR-NB, 7 QDM2, 8 AC-3, 9 Vorbis, 10 Opus, 11 FLAC,
// 512+ WMA. Video tags are ours (see mediaeng/core/FormatTable.h).
#include "engine/EngineIds.h"
#include "engine/ListEnumBase.h"
#include "engine/ObjectValues.h"
#include "engine/WaveFormat.h"
#include "platform/Unknown.h"
#include <memory>

// A codec enumerator (CLSID_AVIVideoCodecEnum and friends): codecs that may
// be added to a list beyond its built-in ones.
struct ICodecExternal : IUnknown {
    static constexpr const GUID& kIID = IID_ICodecExternal;
    virtual HRESULT GetCount(LONG* count) = 0;                         // 3
    virtual HRESULT GetCodec(LONG index, BSTR* name, LONG* tag) = 0;   // 4

protected:
    ~ICodecExternal() = default;
};

class CAVCodecsBase : public CListEnumBase {
public:
    // Default codec name into buffer (at least 512 units are always enough).
    virtual void GetDefaultCodec(wchar_t* buffer, size_t size) const;
    // Adds the enumerator's codecs that are not listed yet and that this
    // build can encode.
    virtual HRESULT FetchCodec(ICodecExternal* codecs);
    int32_t Format() const { return m_format; }

protected:
    explicit CAVCodecsBase(int32_t format, bool video);
    int32_t m_format;
    bool m_video;
};

class CVideoCodecsBase : public CAVCodecsBase {
public:
    // Per item index; an index outside the list answers 0.
    virtual BOOL IsAdv(int index) const;                    // has a settings dialog
    virtual BOOL IsMultyPass(int index, int passes) const;  // two-pass possible
    virtual BOOL IsKeyFrame(int index) const;
    virtual BOOL IsQuality(int index) const;
    virtual BOOL IsBitrate(int index) const;
    virtual BOOL IsRate(int index) const;                   // has rate-control modes
    virtual void SetObject(IObject* object) { m_object = object; }
    // No settings dialog in this engine: returns S_FALSE.
    virtual HRESULT ShowDialog(int index, void* parent);

protected:
    explicit CVideoCodecsBase(int32_t format) : CAVCodecsBase(format, true) {}
    IObject* m_object = nullptr;  // not owned
};

class CAudioCodecsBase : public CAVCodecsBase {
public:
    virtual BOOL IsPrecision(int index) const;     // takes a sample precision
    virtual BOOL IsRateControl(int index) const;
    virtual BOOL IsBitrate(int index) const;
    // Fills the wave formats of a codec tag; non-zero when the tag has none
    // (the fixed lists then stay).
    virtual HRESULT InitAudioFormat(int32_t tag, int32_t rateControl);
    size_t GetWaveCount() const { return m_waves.size(); }
    // Fills *out for wave item and returns its byte rate; *extra := 0.
    virtual DWORD GetWave(WAVEFORMATEX* out, size_t item, int32_t* extra) const;

protected:
    explicit CAudioCodecsBase(int32_t format) : CAVCodecsBase(format, false) {}
    std::vector<WAVEFORMATEX> m_waves;
};

#define KM_DECLARE_VIDEO_CODECS(name, fmt) \
    class name : public CVideoCodecsBase { \
    public: \
        explicit name(int32_t = 0) : CVideoCodecsBase(fmt) {} \
    }
#define KM_DECLARE_AUDIO_CODECS(name, fmt) \
    class name : public CAudioCodecsBase { \
    public: \
        explicit name(int32_t = 0) : CAudioCodecsBase(fmt) {} \
    }

KM_DECLARE_VIDEO_CODECS(CAVIVideoCodecs, 1);
KM_DECLARE_AUDIO_CODECS(CAVIAudioCodecs, 1);
KM_DECLARE_VIDEO_CODECS(CWMVVideoCodecs, 2);
KM_DECLARE_AUDIO_CODECS(CWMVAudioCodecs, 2);
KM_DECLARE_VIDEO_CODECS(CMPEGVideoCodecs, 3);
KM_DECLARE_AUDIO_CODECS(CMPEGAudioCodecs, 3);
KM_DECLARE_VIDEO_CODECS(CMOVVideoCodecs, 4);
KM_DECLARE_AUDIO_CODECS(CMOVAudioCodecs, 4);
KM_DECLARE_VIDEO_CODECS(CFLASHVideoCodecs, 5);
KM_DECLARE_AUDIO_CODECS(CFLASHAudioCodecs, 5);
KM_DECLARE_VIDEO_CODECS(CMP4VideoCodecs, 13);
KM_DECLARE_AUDIO_CODECS(CMP4AudioCodecs, 13);
KM_DECLARE_VIDEO_CODECS(C3GPVideoCodecs, 14);
KM_DECLARE_AUDIO_CODECS(C3GPAudioCodecs, 14);
KM_DECLARE_VIDEO_CODECS(C3G2VideoCodecs, 15);
KM_DECLARE_AUDIO_CODECS(C3G2AudioCodecs, 15);
KM_DECLARE_VIDEO_CODECS(CMKVVideoCodecs, 16);
KM_DECLARE_AUDIO_CODECS(CMKVAudioCodecs, 16);
KM_DECLARE_VIDEO_CODECS(CF4VVideoCodecs, 18);
KM_DECLARE_AUDIO_CODECS(CF4VAudioCodecs, 18);
KM_DECLARE_AUDIO_CODECS(CMP3AudioCodecs, 19);
KM_DECLARE_VIDEO_CODECS(CDVDVideoCodecs, 21);
KM_DECLARE_AUDIO_CODECS(CDVDAudioCodecs, 21);

#undef KM_DECLARE_VIDEO_CODECS
#undef KM_DECLARE_AUDIO_CODECS

// The lists of any format id (also those the program builds no class for:
// WebM, the audio formats); null when the format has no such list.
std::unique_ptr<CVideoCodecsBase> CreateVideoCodecsForFormat(int32_t format);
std::unique_ptr<CAudioCodecsBase> CreateAudioCodecsForFormat(int32_t format);
