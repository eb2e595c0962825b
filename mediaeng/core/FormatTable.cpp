#include "mediaeng/core/FormatTable.h"
#include "engine/OutputFormatEnum.h"
#include <map>
#include <mutex>
#include <sstream>
extern "C" {
#include <libavcodec/avcodec.h>
}

namespace mediaeng {
namespace {

constexpr DWORD kVideoFull = CODEC_BITRATE | CODEC_QUALITY | CODEC_TWOPASS | CODEC_KEYFRAME | CODEC_RATEMODES;
constexpr DWORD kVideoPlain = CODEC_BITRATE | CODEC_QUALITY | CODEC_KEYFRAME | CODEC_RATEMODES;

const std::vector<CodecInfo>& VideoCodecs()
{
    static const std::vector<CodecInfo> codecs = {
        {1, L"MPEG-4", "mpeg4", true, kVideoFull},
        {2, L"Xvid", "libxvid", true, kVideoFull},
        {3, L"H.264", "libx264", true, kVideoFull},
        {4, L"Motion JPEG", "mjpeg", true, CODEC_BITRATE | CODEC_QUALITY | CODEC_RATEMODES},
        {5, L"Windows Media Video 8", "wmv2", true, kVideoFull},
        {6, L"Windows Media Video 7", "wmv1", true, kVideoFull},
        {7, L"MPEG-1", "mpeg1video", true, kVideoFull},
        {8, L"MPEG-2", "mpeg2video", true, kVideoFull},
        {9, L"ProRes", "prores_ks,prores", true, 0},
        {10, L"Flash Video", "flv", true, kVideoFull},
        {11, L"Screen video", "flashsv", true, CODEC_KEYFRAME},
        {12, L"H.265", "libx265", true, kVideoFull},
        {13, L"H.263", "h263", true, kVideoPlain},
        {14, L"VP9", "libvpx-vp9", true, kVideoFull},
        {15, L"AV1", "libsvtav1,libaom-av1,librav1e", true, kVideoPlain},
        {16, L"VP8", "libvpx", true, kVideoFull},
    };
    return codecs;
}

const std::vector<CodecInfo>& AudioCodecs()
{
    static const std::vector<CodecInfo> codecs = {
        {0, L"PCM", "pcm_s16le", false, CODEC_PRECISION},
        {1, L"MP3", "libmp3lame", false, CODEC_BITRATE | CODEC_RATEMODES},
        {2, L"MP2", "mp2", false, CODEC_BITRATE},
        {4, L"AAC", "aac", false, CODEC_BITRATE},
        {5, L"AMR-NB", "libopencore_amrnb", false, CODEC_BITRATE},
        {8, L"AC-3", "ac3", false, CODEC_BITRATE},
        {9, L"Vorbis", "libvorbis", false, CODEC_BITRATE | CODEC_RATEMODES},
        {10, L"Opus", "libopus", false, CODEC_BITRATE | CODEC_RATEMODES},
        {11, L"FLAC", "flac", false, CODEC_PRECISION},
        {512, L"Windows Media Audio 1", "wmav1", false, CODEC_BITRATE},
        {513, L"Windows Media Audio 2", "wmav2", false, CODEC_BITRATE},
    };
    return codecs;
}

constexpr DWORD V = FMTCAT_VIDEO, A = FMTCAT_AUDIO, I = FMTCAT_IMAGE;

const std::vector<FormatInfo>& Formats()
{
    // List order is the order of the format lists.
    static const std::vector<FormatInfo> formats = {
        {1, "AVI", "avi", "avi", V, 0, {1, 2, 3, 4}, {1, 0, 8}, ""},
        {13, "MP4", "mp4", "mp4", V, 1, {3, 12, 1, 13}, {4}, ""},
        {2, "WMV", "wmv", "asf", V, 2, {5, 6}, {513, 512}, ""},
        {4, "MOV", "mov", "mov", V, 3, {3, 1, 9}, {4, 0}, ""},
        {16, "MKV", "mkv", "matroska", V, 4, {3, 12, 14, 15, 1}, {4, 9, 10, 11, 8, 1}, ""},
        {17, "WebM", "webm", "webm", V, 5, {14, 16, 15}, {10, 9}, ""},
        {5, "FLV", "flv", "flv", V, 6, {10, 11, 3}, {1, 4}, ""},
        {6, "SWF", "swf", "swf", V, 7, {10, 4}, {1}, ""},
        {18, "F4V", "f4v", "f4v", V, 8, {3}, {4}, ""},
        {3, "MPEG", "mpg", "mpeg", V, 9, {7, 8}, {2, 8}, ""},
        {21, "DVD", "vob", "dvd", V, 10, {8}, {8, 2}, ""},
        {14, "3GP", "3gp", "3gp", V, 11, {3, 1, 13}, {4, 5}, ""},
        {15, "3G2", "3g2", "3g2", V, 12, {3, 1, 13}, {4, 5}, ""},
        {19, "MP3", "mp3", "mp3", A, 13, {}, {1}, ""},
        {20, "WAV", "wav", "wav", A, 14, {}, {0}, ""},
        {7, "AAC", "m4a", "ipod", A, 15, {}, {4}, ""},
        {8, "OGG", "ogg", "ogg", A, 16, {}, {9}, ""},
        {9, "FLAC", "flac", "flac", A, 17, {}, {11}, ""},
        {10, "WMA", "wma", "asf", A, 18, {}, {513, 512}, ""},
        {11, "AC3", "ac3", "ac3", A, 19, {}, {8}, ""},
        {12, "Opus", "opus", "opus", A, 20, {}, {10}, ""},
        {kSameAsSourceFormat, "Same as source", "", "", FMTCAT_SAME, 21, {}, {}, ""},
        {22, "JPEG", "jpg", "image2", I, 22, {}, {}, "mjpeg"},
        {23, "PNG", "png", "image2", I, 23, {}, {}, "png"},
        {24, "BMP", "bmp", "image2", I, 24, {}, {}, "bmp"},
        {25, "GIF", "gif", "image2", I, 25, {}, {}, "gif"},
        {26, "TIFF", "tif", "image2", I, 26, {}, {}, "tiff"},
    };
    return formats;
}

const CodecInfo* FindIn(const std::vector<CodecInfo>& list, int32_t tag)
{
    for (const CodecInfo& c : list)
        if (c.tag == tag) return &c;
    return nullptr;
}

}  // namespace

const std::vector<FormatInfo>& AllFormats() { return Formats(); }

const FormatInfo* FindFormat(int32_t id)
{
    for (const FormatInfo& f : Formats())
        if (f.id == id) return &f;
    return nullptr;
}

const CodecInfo* FindVideoCodec(int32_t tag) { return FindIn(VideoCodecs(), tag); }
const CodecInfo* FindAudioCodec(int32_t tag) { return FindIn(AudioCodecs(), tag); }

const CodecInfo* FindCodecByName(int32_t format, const std::wstring& name, bool video)
{
    const FormatInfo* f = FindFormat(format);
    if (!f) return nullptr;
    for (int32_t tag : video ? f->videoTags : f->audioTags) {
        const CodecInfo* c = video ? FindVideoCodec(tag) : FindAudioCodec(tag);
        if (c && name == c->name) return c;
    }
    return nullptr;
}

bool HasEncoder(const char* name)
{
    static std::mutex mutex;
    static std::map<std::string, bool> cache;
    std::lock_guard<std::mutex> lk(mutex);
    auto it = cache.find(name);
    if (it != cache.end()) return it->second;
    const AVCodec* codec = avcodec_find_encoder_by_name(name);
    // Experimental encoders need an explicit opt-in the user never gives.
    bool ok = codec && !(codec->capabilities & AV_CODEC_CAP_EXPERIMENTAL);
    cache.emplace(name, ok);
    return ok;
}

std::string AvailableEncoder(const CodecInfo& codec)
{
    std::istringstream names(codec.encoders);
    std::string name;
    while (std::getline(names, name, ','))
        if (!name.empty() && HasEncoder(name.c_str())) return name;
    return {};
}

}  // namespace mediaeng
