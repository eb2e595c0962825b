#pragma once
// What media sources call to build their graphs: the playback graph (flag 1)
// or the grab graph (flag 0) of an input, and the picture of an input at a time.
#include "engine/PlaybackGraph.h"
#include "mediaeng/playback/PlaybackInput.h"
#include <string>

namespace mediaeng::playback {

enum : int {
    MEDIA_GRAPH_GRAB = 0,
    MEDIA_GRAPH_PLAYBACK = 1,
};

// Opens the input and builds its graph, stopped at position 0. On failure
// *error (when given) says why.
HRESULT CreateMediaGraph(const CPlaybackInput& input, int flag, IGraphBuilder** graph, std::wstring* error = nullptr);

// Decodes the picture shown at time into a new format block (BITMAPINFOHEADER,
// 24-bit bottom-up) and data block. Blocks already in *format and *data are
// freed first; all blocks are std::malloc'ed and freed with std::free.
// Gives up after timeLimitMs.
HRESULT ReadPictureAt(const CPlaybackInput& input, REFERENCE_TIME time, DWORD* formatSize, BYTE** format,
                      DWORD* dataSize, BYTE** data, std::wstring* error = nullptr, DWORD timeLimitMs = 10000);

}  // namespace mediaeng::playback
