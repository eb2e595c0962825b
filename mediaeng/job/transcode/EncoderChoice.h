#pragma once
// Picks the FFmpeg encoder for an output stream and the nearest values an
// encoder takes (frame rates, sample rates, channel counts, bitrates).
#include "mediaeng/av/AvHandles.h"
#include <string>
#include <vector>

namespace mediaeng::job {

// The named encoder when it exists and the muxer can store its codec, else the
// muxer's default encoder of that kind (a warning says so). Null when the
// muxer takes no stream of that kind.
const AVCodec* ChooseEncoder(const AVOutputFormat* muxer, AVMediaType type, const std::string& name,
                             std::vector<std::wstring>& warnings);

// The nearest of a zero-terminated list (null list: any value is fine).
int NearestInt(const int* list, int value);
// Nearest of the known valid audio bitrates (kbps) of an encoder.
int NearestAudioBitrate(const AVCodec* codec, int kbps, int sampleRate, int channels);

std::wstring Widen(const std::string& text);

}  // namespace mediaeng::job
