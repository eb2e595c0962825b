#pragma once
// What a playback or grab graph reads: a file path, or a custom reader such
// as a DVD title's cells (the opener is called once per demuxer).
#include "engine/MediaInput.h"
#include <functional>
#include <memory>
#include <string>

struct AVIOContext;

struct CPlaybackInput {
    std::string url;  // UTF-8 path; also the name given to the demuxer with a custom reader
    // Set for custom readers: makes a fresh reader positioned at the start,
    // and frees one (the demuxer calls it when it closes).
    std::function<AVIOContext*()> openIo;
    std::function<void(AVIOContext*)> closeIo;
    // Set for engine media sources (files and DVD titles): opens a fresh,
    // probed demuxer of the source.
    std::function<HRESULT(std::unique_ptr<CMediaInput>&)> openInput;
};
