#include "engine/OptionLists.h"
#include <initializer_list>
#include <string>

namespace {

struct Entry {
    int32_t value;
    const wchar_t* text;
};

void Fill(CListEnumBase& list, std::initializer_list<Entry> entries, int32_t defaultValue)
{
    for (const Entry& e : entries) list.AddItem(e.value, e.text);
    list.SetDefaultValue(defaultValue);
}

void FillRates(CListEnumBase& list, std::initializer_list<int32_t> rates, int32_t defaultValue)
{
    for (int32_t r : rates) list.AddItem(r, (std::to_wstring(r) + L" Hz").c_str());
    list.SetDefaultValue(defaultValue);
}

void FillKbps(CListEnumBase& list, std::initializer_list<int32_t> rates, int32_t defaultValue)
{
    for (int32_t r : rates) list.AddItem(r, (std::to_wstring(r) + L" kbps").c_str());
    list.SetDefaultValue(defaultValue);
}

}  // namespace

CFrameRateEnum::CFrameRateEnum()
{
    Fill(*this,
         {{0, L"As source"}, {10000, L"10 fps"}, {12000, L"12 fps"}, {15000, L"15 fps"}, {23976, L"23.976 fps"},
          {24000, L"24 fps"}, {25000, L"25 fps"}, {29970, L"29.97 fps"}, {30000, L"30 fps"}, {50000, L"50 fps"},
          {59940, L"59.94 fps"}, {60000, L"60 fps"}},
         0);
}

CImageAspectRatioType::CImageAspectRatioType()
{
    Fill(*this, {{0, L"As source"}, {1, L"4:3"}, {2, L"16:9"}, {3, L"1:1"}, {4, L"2.35:1"}}, 0);
}

CBitrateTypeEnum::CBitrateTypeEnum()
{
    Fill(*this, {{0, L"Constant bitrate"}, {1, L"Variable bitrate"}, {2, L"Constant quality"}}, 0);
}

CH254BitrateTypeEnum::CH254BitrateTypeEnum()
{
    Fill(*this, {{0, L"Average bitrate"}, {1, L"Constrained bitrate"}, {2, L"Constant quality (CRF)"}}, 0);
}

CWMVBitrateTypeEnum::CWMVBitrateTypeEnum()
{
    Fill(*this,
         {{0, L"Constant bitrate"}, {1, L"Variable bitrate"}, {2, L"Quality-based VBR"}, {3, L"Constrained VBR"}}, 0);
}

CChannelMultyEnum::CChannelMultyEnum()
{
    Fill(*this, {{1, L"Mono"}, {2, L"Stereo"}, {6, L"5.1"}}, 2);
}

CChannelSimpleEnum::CChannelSimpleEnum()
{
    Fill(*this, {{1, L"Mono"}, {2, L"Stereo"}}, 2);
}

CChannelMonoOnlyEnum::CChannelMonoOnlyEnum()
{
    Fill(*this, {{1, L"Mono"}}, 1);
}

CPCMSamlingRateEnum::CPCMSamlingRateEnum()
{
    FillRates(*this, {8000, 11025, 16000, 22050, 32000, 44100, 48000, 88200, 96000}, 44100);
}

CMP3AudioSamplingRateEnum::CMP3AudioSamplingRateEnum()
{
    FillRates(*this, {8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000}, 44100);
}

CMP1AudioSamplingRateEnum::CMP1AudioSamplingRateEnum()
{
    FillRates(*this, {32000, 44100, 48000}, 44100);
}

CMP2AudioSamplingRateEnum::CMP2AudioSamplingRateEnum()
{
    FillRates(*this, {16000, 22050, 24000, 32000, 44100, 48000}, 44100);
}

CAMRNWSamlingRateEnum::CAMRNWSamlingRateEnum()
{
    FillRates(*this, {8000}, 8000);
}

CPrecisionEnum::CPrecisionEnum()
{
    Fill(*this, {{8, L"8 bit"}, {16, L"16 bit"}, {24, L"24 bit"}, {32, L"32 bit"}}, 16);
}

CMP3BitrateTypeEnum::CMP3BitrateTypeEnum()
{
    Fill(*this, {{0, L"Constant bitrate"}, {1, L"Variable bitrate"}, {2, L"Average bitrate"}}, 0);
}

CWMVAudioBitrateTypeEnum::CWMVAudioBitrateTypeEnum()
{
    Fill(*this, {{0, L"Constant bitrate"}, {1, L"Quality-based VBR"}, {2, L"Bitrate-based VBR"}}, 0);
}

CMP3AudioLowBitrateEnum::CMP3AudioLowBitrateEnum()
{
    FillKbps(*this, {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}, 64);
}

CMP3AudioHighBitrateEnum::CMP3AudioHighBitrateEnum()
{
    FillKbps(*this, {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}, 128);
}

CAACAudioBitrateEnum::CAACAudioBitrateEnum()
{
    FillKbps(*this, {32, 48, 64, 96, 128, 160, 192, 256, 320}, 128);
}

CAMNBAudioBitrateEnum::CAMNBAudioBitrateEnum()
{
    Fill(*this,
         {{5, L"4.75 kbps"}, {6, L"5.9 kbps"}, {7, L"7.4 kbps"}, {8, L"7.95 kbps"}, {10, L"10.2 kbps"},
          {12, L"12.2 kbps"}},
         12);
}

CImageResampling::CImageResampling()
{
    Fill(*this, {{0, L"Bilinear"}, {1, L"Bicubic"}, {2, L"Nearest neighbour"}, {3, L"Lanczos"}}, 1);
}

CImageResizeType::CImageResizeType()
{
    Fill(*this, {{0, L"Stretch"}, {1, L"Crop to fit"}, {2, L"Letterbox"}}, 0);
}

CLitterBoxType::CLitterBoxType()
{
    Fill(*this, {{0, L"No bars (fitted size)"}, {1, L"Colour bars"}, {2, L"Blurred picture"}}, 1);
}

// Layer II: mono streams stop at 192 kbps, stereo ones start at 64 kbps.
CMP2AudioLowBitrateEnum::CMP2AudioLowBitrateEnum(int32_t channels)
{
    if (channels <= 1)
        FillKbps(*this, {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}, 64);
    else
        FillKbps(*this, {16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}, 96);
}

CMP2AudioMiddleBitrateEnum::CMP2AudioMiddleBitrateEnum(int32_t channels)
{
    if (channels <= 1)
        FillKbps(*this, {32, 48, 56, 64, 80, 96, 112, 128, 160, 192}, 128);
    else
        FillKbps(*this, {64, 96, 112, 128, 160, 192, 224, 256, 320, 384}, 192);
}
