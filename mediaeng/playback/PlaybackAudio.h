#pragma once
// Sound of a playback graph through SDL2: converts decoded audio to 16-bit
// PCM, queues it on the device and tells which media time is being heard.
// Without an audio device the graph plays silently on its own clock.
#include "mediaeng/playback/PlaybackFFmpeg.h"
#include <SDL2/SDL.h>
#include <vector>

namespace mediaeng::playback {

class CPlaybackAudio {
public:
    CPlaybackAudio() = default;
    ~CPlaybackAudio() { Close(); }
    CPlaybackAudio(const CPlaybackAudio&) = delete;
    CPlaybackAudio& operator=(const CPlaybackAudio&) = delete;

    // S_OK with a device, S_FALSE when there is none (silent playback).
    HRESULT Open(const AVCodecContext* codec);
    void Close();
    bool IsOpen() const { return m_device != 0; }

    // Queues the part of a frame (starting at frameTime) that lies in [from, until).
    HRESULT Queue(const AVFrame* frame, REFERENCE_TIME frameTime, REFERENCE_TIME from, REFERENCE_TIME until);
    // Drops everything queued (seek, stop).
    void Clear();
    void SetPaused(bool paused);
    // The media time being heard now; false when nothing is queued.
    bool Clock(REFERENCE_TIME* now) const;
    // Length of the sound queued and not heard yet.
    REFERENCE_TIME QueuedAhead() const;

private:
    HRESULT SetupResampler(const AVFrame* frame);
    REFERENCE_TIME BytesToTime(int64_t bytes) const;

    SDL_AudioDeviceID m_device = 0;
    bool m_sdlInit = false;
    SDL_AudioSpec m_spec{};
    int m_bytesPerSample = 4;  // all channels of one sample
    SwrPtr m_swr;
    int m_swrFormat = -1, m_swrRate = 0, m_swrChannels = 0;
    std::vector<uint8_t> m_buffer;
    REFERENCE_TIME m_endTime = 0;  // media time at the end of the queued sound
};

}  // namespace mediaeng::playback
