#include "mediaeng/playback/PlaybackAudio.h"
#include <algorithm>
#include <mutex>

namespace mediaeng::playback {

namespace {
// SDL's audio subsystem alone, counted across graphs: the full subsystem init
// also starts SDL's event loop, which talks to the desktop bus.
std::mutex g_sdlLock;
int g_sdlUsers = 0;

bool AcquireSdlAudio()
{
    std::lock_guard<std::mutex> lk(g_sdlLock);
    if (g_sdlUsers == 0 && SDL_AudioInit(nullptr) != 0) return false;
    ++g_sdlUsers;
    return true;
}

void ReleaseSdlAudio()
{
    std::lock_guard<std::mutex> lk(g_sdlLock);
    if (--g_sdlUsers == 0) SDL_AudioQuit();
}
}  // namespace

HRESULT CPlaybackAudio::Open(const AVCodecContext* codec)
{
    Close();
    if (!codec || codec->sample_rate <= 0) return S_FALSE;
    if (!AcquireSdlAudio()) return S_FALSE;
    m_sdlInit = true;
    SDL_AudioSpec want{};
    want.freq = codec->sample_rate;
    want.format = AUDIO_S16SYS;
    want.channels = static_cast<Uint8>(std::clamp(codec->ch_layout.nb_channels, 1, 2));
    want.samples = 1024;
    m_device = SDL_OpenAudioDevice(nullptr, 0, &want, &m_spec, 0);
    if (m_device == 0) {
        Close();
        return S_FALSE;
    }
    m_bytesPerSample = 2 * m_spec.channels;
    return S_OK;
}

void CPlaybackAudio::Close()
{
    if (m_device) SDL_CloseAudioDevice(m_device);
    m_device = 0;
    if (m_sdlInit) ReleaseSdlAudio();
    m_sdlInit = false;
    m_swr.reset();
    m_swrFormat = -1;
}

HRESULT CPlaybackAudio::SetupResampler(const AVFrame* frame)
{
    if (m_swr && frame->format == m_swrFormat && frame->sample_rate == m_swrRate &&
        frame->ch_layout.nb_channels == m_swrChannels)
        return S_OK;
    m_swr.reset();
    AVChannelLayout out{};
    av_channel_layout_default(&out, m_spec.channels);
    SwrContext* swr = nullptr;
    int err = swr_alloc_set_opts2(&swr, &out, AV_SAMPLE_FMT_S16, m_spec.freq, const_cast<AVChannelLayout*>(&frame->ch_layout),
                                  static_cast<AVSampleFormat>(frame->format), frame->sample_rate, 0, nullptr);
    av_channel_layout_uninit(&out);
    if (err < 0 || !swr) return E_FAIL;
    m_swr.reset(swr);
    if (swr_init(swr) < 0) {
        m_swr.reset();
        return E_FAIL;
    }
    m_swrFormat = frame->format;
    m_swrRate = frame->sample_rate;
    m_swrChannels = frame->ch_layout.nb_channels;
    return S_OK;
}

REFERENCE_TIME CPlaybackAudio::BytesToTime(int64_t bytes) const
{
    return av_rescale(bytes / m_bytesPerSample, kUnitsPerSecond, m_spec.freq);
}

HRESULT CPlaybackAudio::Queue(const AVFrame* frame, REFERENCE_TIME frameTime, REFERENCE_TIME from, REFERENCE_TIME until)
{
    if (!m_device || !frame || frame->nb_samples <= 0) return S_FALSE;
    HRESULT hr = SetupResampler(frame);
    if (FAILED(hr)) return hr;
    int capacity = swr_get_out_samples(m_swr.get(), frame->nb_samples);
    if (capacity <= 0) return S_FALSE;
    m_buffer.resize(static_cast<size_t>(capacity) * m_bytesPerSample);
    uint8_t* out[1] = {m_buffer.data()};
    int samples = swr_convert(m_swr.get(), out, capacity, const_cast<const uint8_t**>(frame->extended_data), frame->nb_samples);
    if (samples <= 0) return samples < 0 ? E_FAIL : S_FALSE;
    int64_t first = from > frameTime ? av_rescale(from - frameTime, m_spec.freq, kUnitsPerSecond) : 0;
    int64_t last = until > frameTime ? av_rescale(until - frameTime, m_spec.freq, kUnitsPerSecond) : 0;
    last = std::min<int64_t>(last, samples);
    if (first >= last) return S_FALSE;
    SDL_QueueAudio(m_device, m_buffer.data() + first * m_bytesPerSample, static_cast<Uint32>((last - first) * m_bytesPerSample));
    m_endTime = frameTime + av_rescale(last, kUnitsPerSecond, m_spec.freq);
    return S_OK;
}

void CPlaybackAudio::Clear()
{
    if (m_device) SDL_ClearQueuedAudio(m_device);
    if (m_swr) swr_init(m_swr.get());  // drop what the resampler buffered
}

void CPlaybackAudio::SetPaused(bool paused)
{
    if (m_device) SDL_PauseAudioDevice(m_device, paused ? 1 : 0);
}

bool CPlaybackAudio::Clock(REFERENCE_TIME* now) const
{
    if (!m_device) return false;
    Uint32 queued = SDL_GetQueuedAudioSize(m_device);
    if (queued == 0) return false;
    // The device's own buffer is being played while the queue holds the rest.
    int64_t pending = static_cast<int64_t>(queued) + static_cast<int64_t>(m_spec.samples) * m_bytesPerSample / 2;
    *now = m_endTime - BytesToTime(pending);
    return true;
}

REFERENCE_TIME CPlaybackAudio::QueuedAhead() const
{
    return m_device ? BytesToTime(SDL_GetQueuedAudioSize(m_device)) : 0;
}

}  // namespace mediaeng::playback
