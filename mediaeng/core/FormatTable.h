#pragma once
// The engine's one table of output formats and codecs: each format id with its
// title, extension, FFmpeg muxer, categories and codec tags; each codec tag
// with its name and the FFmpeg encoders that can make it. The option lists,
// the format lists and the conversion job all read it.
#include "platform/Types.h"
#include <cstdint>
#include <string>
#include <vector>

namespace mediaeng {

// Capabilities of a codec (what the settings grid offers for it).
enum : DWORD {
    CODEC_BITRATE = 0x01,
    CODEC_QUALITY = 0x02,
    CODEC_TWOPASS = 0x04,
    CODEC_KEYFRAME = 0x08,
    CODEC_RATEMODES = 0x10,  // rate-control choice (video or audio)
    CODEC_PRECISION = 0x20,  // audio sample precision
};

struct CodecInfo {
    int32_t tag;
    const wchar_t* name;     // what lists show ("H.264", "Screen video", "MP3")
    const char* encoders;    // ','-separated FFmpeg encoder names, best first
    bool video;
    DWORD caps;
};

struct FormatInfo {
    int32_t id;
    const char* title;       // short title
    const char* extension;   // without the dot
    const char* muxer;       // FFmpeg muxer name; empty for "Same as source"
    DWORD categories;        // FMTCAT_* of engine/OutputFormatEnum.h
    int32_t icon;
    std::vector<int32_t> videoTags;  // best first: the first available is the default
    std::vector<int32_t> audioTags;
    const char* imageEncoder;        // image formats: the picture encoder
};

constexpr int32_t kSameAsSourceFormat = 100;

// Every format in list order; FindFormat is null for an unknown id.
const std::vector<FormatInfo>& AllFormats();
const FormatInfo* FindFormat(int32_t id);
const CodecInfo* FindVideoCodec(int32_t tag);
const CodecInfo* FindAudioCodec(int32_t tag);
// The codec of a format by its list name (exact), null when the format does
// not offer it.
const CodecInfo* FindCodecByName(int32_t format, const std::wstring& name, bool video);
// First encoder of the codec that this FFmpeg build has; empty when none.
std::string AvailableEncoder(const CodecInfo& codec);
bool HasEncoder(const char* name);

}  // namespace mediaeng
