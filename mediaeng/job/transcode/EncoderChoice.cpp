#include "mediaeng/job/transcode/EncoderChoice.h"
#include "mediaeng/core/EngineTexts.h"
#include "platform/TextConv.h"
#include <algorithm>
#include <cstdlib>
#include <cstring>

using mediaeng::EngineText;
using mediaeng::EngineTextUtf8;

namespace mediaeng::job {

std::wstring Widen(const std::string& text)
{
    return Utf8ToWide(text);
}

const AVCodec* ChooseEncoder(const AVOutputFormat* muxer, AVMediaType type, const std::string& name,
                             std::vector<std::wstring>& warnings)
{
    if (!name.empty()) {
        const AVCodec* codec = avcodec_find_encoder_by_name(name.c_str());
        if (!codec) {
            if (const AVCodecDescriptor* d = avcodec_descriptor_get_by_name(name.c_str()))
                codec = avcodec_find_encoder(d->id);
        }
        if (codec && codec->type == type && avformat_query_codec(muxer, codec->id, FF_COMPLIANCE_NORMAL) != 0)
            return codec;
        warnings.push_back(EngineText(text::kCodecNotInFormat, Widen(name)));
    }
    const AVCodecID id = type == AVMEDIA_TYPE_VIDEO ? muxer->video_codec : muxer->audio_codec;
    if (id == AV_CODEC_ID_NONE) return nullptr;
    // Software encoders first: a hardware one may be listed but not usable here.
    if (id == AV_CODEC_ID_H264)
        if (const AVCodec* x264 = avcodec_find_encoder_by_name("libx264")) return x264;
    if (id == AV_CODEC_ID_HEVC)
        if (const AVCodec* x265 = avcodec_find_encoder_by_name("libx265")) return x265;
    return avcodec_find_encoder(id);
}

int NearestInt(const int* list, int value)
{
    if (!list || !*list) return value;
    int best = list[0];
    for (const int* p = list; *p; ++p)
        if (std::abs(*p - value) < std::abs(best - value)) best = *p;
    return best;
}

int NearestAudioBitrate(const AVCodec* codec, int kbps, int sampleRate, int channels)
{
    static const int mp3[] = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
    static const int mp2[] = {32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0};
    static const int ac3[] = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 448, 512, 576, 640, 0};
    switch (codec->id) {
    case AV_CODEC_ID_MP3: return NearestInt(mp3, kbps);
    case AV_CODEC_ID_MP2: return NearestInt(mp2, kbps);
    case AV_CODEC_ID_AC3: return NearestInt(ac3, kbps);
    case AV_CODEC_ID_AAC: return std::clamp(kbps, 8 * channels, std::min(6144 * sampleRate / 1024 / 1000 * channels, 320 * channels));
    case AV_CODEC_ID_WMAV1:
    case AV_CODEC_ID_WMAV2: return std::clamp(kbps, 24, 384);
    default: return std::clamp(kbps, 8, 1536);
    }
}

}  // namespace mediaeng::job
