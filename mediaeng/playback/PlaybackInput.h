#pragma once
// What a playback or grab graph reads: a file by its path, or an engine media
// source (a file or a DVD title) through its opener, called once per demuxer.
#include "engine/MediaInput.h"
#include <functional>
#include <memory>
#include <string>

namespace mediaeng::playback {

struct CPlaybackInput {
    std::string url;  // UTF-8 path; with an opener, the name used in messages
    // Set for engine media sources (files and DVD titles): opens a fresh,
    // probed demuxer of the source.
    std::function<HRESULT(std::unique_ptr<CMediaInput>&)> openInput;
    // The streams shown and heard, numbered as the probe lists them
    // (mediaeng/probe/StreamNumbering.h); one switched off shows the first.
    int videoStream = 0;
    int audioStream = 0;
};

}  // namespace mediaeng::playback
