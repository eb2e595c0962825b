#pragma once
// The engine's fixed option lists of the output settings: frame rates,
// aspect ratios, rate modes, channels, sampling rates, precisions, bitrates,
// resampling, resize and letterbox types. Values are what the job reads:
// rates in Hz, bitrates in kbps, frame rates in 1/1000 fps (0 = as source),
// aspect ratio ids (0 = as source).
#include "engine/ListEnumBase.h"

#define KM_DECLARE_LIST(name) \
    class name : public CListEnumBase { \
    public: \
        name(); \
    }

KM_DECLARE_LIST(CFrameRateEnum);            // 0 as source, 23976 ... 60000
KM_DECLARE_LIST(CImageAspectRatioType);     // 0 as source, 1 4:3, 2 16:9, 3 1:1, 4 2.35:1
KM_DECLARE_LIST(CBitrateTypeEnum);          // 0 constant, 1 variable, 2 quality
KM_DECLARE_LIST(CH254BitrateTypeEnum);      // as above for H.264 (2 is CRF)
KM_DECLARE_LIST(CWMVBitrateTypeEnum);       // 0 CBR, 1 VBR, 2 quality VBR, 3 constrained VBR
KM_DECLARE_LIST(CChannelMultyEnum);         // 1, 2, 6
KM_DECLARE_LIST(CChannelSimpleEnum);        // 1, 2
KM_DECLARE_LIST(CChannelMonoOnlyEnum);      // 1
KM_DECLARE_LIST(CPCMSamlingRateEnum);       // 8000 ... 96000
KM_DECLARE_LIST(CMP3AudioSamplingRateEnum); // 8000 ... 48000
KM_DECLARE_LIST(CMP1AudioSamplingRateEnum); // 32000, 44100, 48000
KM_DECLARE_LIST(CMP2AudioSamplingRateEnum); // 16000, 22050, 24000, 32000, 44100, 48000
KM_DECLARE_LIST(CAMRNWSamlingRateEnum);     // 8000
KM_DECLARE_LIST(CPrecisionEnum);            // 8, 16, 24, 32 bits
KM_DECLARE_LIST(CMP3BitrateTypeEnum);       // 0 CBR, 1 VBR, 2 ABR
KM_DECLARE_LIST(CWMVAudioBitrateTypeEnum);  // 0 CBR, 1 VBR quality, 2 VBR bitrate
KM_DECLARE_LIST(CMP3AudioLowBitrateEnum);   // 8 ... 160 kbps (rates below 32000)
KM_DECLARE_LIST(CMP3AudioHighBitrateEnum);  // 32 ... 320 kbps
KM_DECLARE_LIST(CAACAudioBitrateEnum);      // 32 ... 320 kbps
KM_DECLARE_LIST(CAMNBAudioBitrateEnum);     // 4.75 ... 12.2 kbps as bps/1000, rounded
KM_DECLARE_LIST(CImageResampling);          // 0 bilinear, 1 bicubic, 2 nearest, 3 lanczos
KM_DECLARE_LIST(CImageResizeType);          // 0 stretch, 1 crop to fit, 2 letterbox
KM_DECLARE_LIST(CLitterBoxType);            // 0 none, 1 colour, 2 blurred

#undef KM_DECLARE_LIST

// MPEG-1/2 Layer II bitrates: the valid set depends on the channel count.
class CMP2AudioLowBitrateEnum : public CListEnumBase {
public:
    explicit CMP2AudioLowBitrateEnum(int32_t channels = 2);   // rates below 32000
};
class CMP2AudioMiddleBitrateEnum : public CListEnumBase {
public:
    explicit CMP2AudioMiddleBitrateEnum(int32_t channels = 2);
};
