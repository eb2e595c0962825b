#pragma once
// What a demuxed file holds, as the media source reports it: duration,
// picture facts (display aspect with the sample aspect applied), and one
// record per video, audio or picture stream. Header values beyond belief
// (durations of centuries, pixel ratios near INT_MAX) are taken as unknown.
#include "mediaeng/probe/FormatContext.h"
#include <string>
#include <vector>

namespace mediaeng {

struct StreamFacts {
    int index = -1;           // stream index in the container
    std::string codec;        // decoder name
    int width = 0, height = 0;
    double displayAspect = 0; // width over height as displayed
    double frameRate = 0;
    int64_t bitrate = 0;      // bits per second, 0 when unknown
    int channels = 0, sampleRate = 0;
    double duration = 0;      // seconds, 0 when unknown
    std::string language;     // the stream's language tag, empty when none
};

struct ProbeResult {
    std::string format;       // demuxer name
    double duration = 0;      // seconds
    bool still = false;       // a single picture
    int64_t bitrate = 0;      // overall bits per second, 0 when unknown
    std::vector<StreamFacts> video, audio;  // a still's picture is video[0]
};

// Reads the facts of an opened context. Returns false when it holds no
// stream we can decode.
bool ProbeStreams(AVFormatContext* ctx, ProbeResult& out);

// True when the file is cut off: a RIFF size past its end, an index that
// points past its end, or (with no index that reaches the end) packets that
// stop well before the duration the headers claim, read from the last
// keyframe before it to the end of the file.
bool LooksTruncated(AVFormatContext* ctx, const ProbeResult& facts);

}  // namespace mediaeng
