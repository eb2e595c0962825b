#pragma once
// Turns decoded pictures into the frame record the preview draws: a 40-byte
// BITMAPINFOHEADER format block and 24-bit bottom-up rows padded to 4 bytes.
#include "mediaeng/playback/PlaybackFFmpeg.h"
#include "platform/Bitmap.h"
#include <vector>

namespace mediaeng::playback {

class CPlaybackPicture {
public:
    // Converts one frame; the blocks stay valid until the next call.
    HRESULT Convert(const AVFrame* frame);

    const BITMAPINFOHEADER& Header() const { return m_header; }
    DWORD FormatSize() const { return sizeof(BITMAPINFOHEADER); }
    BYTE* Format() { return reinterpret_cast<BYTE*>(&m_header); }
    DWORD DataSize() const { return static_cast<DWORD>(m_data.size()); }
    BYTE* Data() { return m_data.data(); }

private:
    SwsPtr m_sws;
    int m_srcWidth = 0, m_srcHeight = 0;
    int m_srcFormat = -1;
    BITMAPINFOHEADER m_header;
    std::vector<BYTE> m_data;
};

}  // namespace mediaeng::playback
