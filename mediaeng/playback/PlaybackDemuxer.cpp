#include "mediaeng/playback/PlaybackDemuxer.h"
#include "mediaeng/core/EngineTexts.h"
#include "mediaeng/frame/DisplayTurn.h"
#include "mediaeng/probe/StreamNumbering.h"
#include "platform/TextConv.h"

using mediaeng::EngineText;
using mediaeng::EngineTextUtf8;

namespace mediaeng::playback {

std::wstring AvErrorText(int err) { return Utf8ToWide(av::AvErrorText(err)); }

namespace {
// Bounds the probe of a damaged file.
constexpr int64_t kProbeSize = 5 * 1024 * 1024;
constexpr int64_t kAnalyzeDuration = 5 * AV_TIME_BASE;

int ChosenOrFirst(const AVFormatContext* fmt, AVMediaType type, int nth)
{
    const int index = mediaeng::NthStream(fmt, type, nth);
    return index >= 0 ? index : mediaeng::NthStream(fmt, type, 0);
}
}  // namespace

CPlaybackDemuxer::CPlaybackDemuxer() : m_packet(av_packet_alloc()) {}

CPlaybackDemuxer::~CPlaybackDemuxer() { Close(); }

void CPlaybackDemuxer::Close()
{
    m_video.reset();
    m_audio.reset();
    m_fmt = nullptr;
    m_format.reset();
    m_input.reset();
    m_videoIndex = m_audioIndex = -1;
}

int CPlaybackDemuxer::InterruptCallback(void* self)
{
    auto* me = static_cast<CPlaybackDemuxer*>(self);
    if (me->m_abort && me->m_abort->load()) return 1;
    return std::chrono::steady_clock::now() > me->m_deadline ? 1 : 0;
}

HRESULT CPlaybackDemuxer::Fail(const std::wstring& text, HRESULT hr)
{
    m_error = text;
    return hr;
}

HRESULT CPlaybackDemuxer::OpenFormat(const CPlaybackInput& input)
{
    if (input.openInput) {
        HRESULT hr = input.openInput(m_input);
        if (FAILED(hr) || !m_input || !m_input->Format())
            return Fail(EngineText(text::kCannotOpenForPlaying, input.url), FAILED(hr) ? hr : E_FAIL);
        m_fmt = m_input->Format();
        m_fmt->interrupt_callback = {&CPlaybackDemuxer::InterruptCallback, this};
        return S_OK;
    }
    AVFormatContext* fmt = avformat_alloc_context();
    if (!fmt) return E_OUTOFMEMORY;
    fmt->interrupt_callback = {&CPlaybackDemuxer::InterruptCallback, this};
    fmt->probesize = kProbeSize;
    fmt->max_analyze_duration = kAnalyzeDuration;
    int err = avformat_open_input(&fmt, input.url.c_str(), nullptr, nullptr);  // frees fmt on failure
    if (err < 0) return Fail(EngineText(text::kCannotOpenBecause, input.url, AvErrorText(err)), E_FAIL);
    m_format.reset(fmt);
    m_fmt = fmt;
    err = avformat_find_stream_info(fmt, nullptr);
    if (err < 0) return Fail(EngineText(text::kCannotReadStreamsOf, input.url, AvErrorText(err)), E_FAIL);
    return S_OK;
}

HRESULT CPlaybackDemuxer::Open(const CPlaybackInput& input, bool wantAudio, std::wstring* error)
{
    Close();
    HRESULT hr = OpenFormat(input);
    AVFormatContext* fmt = m_fmt;
    if (SUCCEEDED(hr)) {
        // The chosen streams, numbered as the conversion numbers them.
        m_videoIndex = ChosenOrFirst(fmt, AVMEDIA_TYPE_VIDEO, input.videoStream);
        if (wantAudio) m_audioIndex = ChosenOrFirst(fmt, AVMEDIA_TYPE_AUDIO, input.audioStream);
        if (m_videoIndex >= 0 && FAILED(OpenDecoder(m_videoIndex, m_video))) m_videoIndex = -1;
        if (m_audioIndex >= 0 && FAILED(OpenDecoder(m_audioIndex, m_audio))) m_audioIndex = -1;
        if (!m_video && !m_audio)
            hr = Fail(EngineText(text::kNothingDecodable, input.url), E_FAIL);
    }
    if (FAILED(hr)) {
        Close();
        if (error) *error = m_error;
        return hr;
    }
    m_origin = fmt->start_time != AV_NOPTS_VALUE ? ToMediaTime(fmt->start_time, AVRational{1, AV_TIME_BASE}) : 0;
    m_duration = fmt->duration > 0 ? ToMediaTime(fmt->duration, AVRational{1, AV_TIME_BASE}) : 0;
    if (m_duration <= 0 && m_input) m_duration = static_cast<REFERENCE_TIME>(m_input->DurationSeconds() * kUnitsPerSecond);
    m_turn = m_video ? mediaeng::UprightTurn(fmt->streams[m_videoIndex]) : 0;
    if (m_video) {
        AVRational rate = av_guess_frame_rate(fmt, fmt->streams[m_videoIndex], nullptr);
        if (rate.num > 0 && rate.den > 0) m_frameDuration = av_rescale_q(1, av_inv_q(rate), kMediaTimeBase);
    }
    m_eof = m_videoDrained = m_audioDrained = false;
    return S_OK;
}

int CPlaybackDemuxer::VideoWidth() const
{
    if (!m_video) return 0;
    return m_turn == 90 || m_turn == 270 ? m_video->height : m_video->width;
}

int CPlaybackDemuxer::VideoHeight() const
{
    if (!m_video) return 0;
    return m_turn == 90 || m_turn == 270 ? m_video->width : m_video->height;
}

HRESULT CPlaybackDemuxer::OpenDecoder(int index, CodecPtr& codec)
{
    AVStream* st = m_fmt->streams[index];
    const AVCodec* dec = avcodec_find_decoder(st->codecpar->codec_id);
    if (!dec) return E_FAIL;
    codec.reset(avcodec_alloc_context3(dec));
    if (!codec || avcodec_parameters_to_context(codec.get(), st->codecpar) < 0) return E_FAIL;
    codec->pkt_timebase = st->time_base;
    codec->thread_count = 0;  // as many as the decoder likes
    if (avcodec_open2(codec.get(), dec, nullptr) < 0) {
        codec.reset();
        return E_FAIL;
    }
    return S_OK;
}

bool CPlaybackDemuxer::ReceiveFrame(AVCodecContext* codec, int index, CDecodedFrame& out, HRESULT& hr)
{
    FramePtr frame(av_frame_alloc());
    int err = avcodec_receive_frame(codec, frame.get());
    if (err == AVERROR(EAGAIN)) return false;
    if (err == AVERROR_EOF) {
        (codec == m_video.get() ? m_videoDrained : m_audioDrained) = true;
        return false;
    }
    if (err < 0) {
        hr = Fail(EngineText(text::kDecodingFailed, AvErrorText(err)), E_FAIL);
        return false;
    }
    AVStream* st = m_fmt->streams[index];
    int64_t ts = frame->best_effort_timestamp;
    if (ts == AV_NOPTS_VALUE) ts = frame->pts;
    out.video = codec == m_video.get();
    out.time = (ts == AV_NOPTS_VALUE ? 0 : ToMediaTime(ts, st->time_base)) - m_origin;
    if (out.video) {
        out.duration = m_frameDuration;
        if (m_turn) {
            frame.reset(mediaeng::TurnFrame(frame.get(), m_turn));
            if (!frame) {
                hr = Fail(EngineText(text::kOutOfMemoryPlay), E_OUTOFMEMORY);
                return false;
            }
        }
    } else {
        out.duration = frame->sample_rate > 0 ? av_rescale(frame->nb_samples, kUnitsPerSecond, frame->sample_rate) : 0;
    }
    out.frame = std::move(frame);
    return true;
}

HRESULT CPlaybackDemuxer::Next(CDecodedFrame& out)
{
    for (;;) {
        HRESULT hr = S_OK;
        if (m_video && !m_videoDrained && ReceiveFrame(m_video.get(), m_videoIndex, out, hr)) return S_OK;
        if (FAILED(hr)) return hr;
        if (m_audio && !m_audioDrained && ReceiveFrame(m_audio.get(), m_audioIndex, out, hr)) return S_OK;
        if (FAILED(hr)) return hr;
        if (m_eof) {
            bool videoDone = !m_video || m_videoDrained;
            bool audioDone = !m_audio || m_audioDrained;
            if (videoDone && audioDone) return S_FALSE;
            continue;  // the decoders still hold frames
        }
        int err = av_read_frame(m_fmt, m_packet.get());
        if (err == AVERROR_EOF || (err < 0 && m_fmt->pb && avio_feof(m_fmt->pb))) {
            m_eof = true;
            if (m_video) avcodec_send_packet(m_video.get(), nullptr);
            if (m_audio) avcodec_send_packet(m_audio.get(), nullptr);
            continue;
        }
        if (err < 0)
            return Fail(EngineText(text::kReadingFailed, AvErrorText(err)), err == AVERROR_EXIT ? E_ABORT : E_FAIL);
        AVCodecContext* codec = nullptr;
        if (m_packet->stream_index == m_videoIndex) codec = m_video.get();
        if (m_packet->stream_index == m_audioIndex) codec = m_audio.get();
        if (codec) {
            // A damaged packet is skipped; the decoder resynchronises on the next one.
            // Both decoders were drained above, so the packet is always taken.
            avcodec_send_packet(codec, m_packet.get());
        }
        av_packet_unref(m_packet.get());
    }
}

HRESULT CPlaybackDemuxer::Seek(REFERENCE_TIME t)
{
    if (!m_fmt) return E_FAIL;
    int64_t ts = av_rescale_q(t + m_origin, kMediaTimeBase, AVRational{1, AV_TIME_BASE});
    int err = avformat_seek_file(m_fmt, -1, INT64_MIN, ts, ts, 0);
    if (err < 0) err = av_seek_frame(m_fmt, -1, ts, AVSEEK_FLAG_BACKWARD);
    if (err < 0 && t <= 0) err = av_seek_frame(m_fmt, -1, 0, AVSEEK_FLAG_BYTE);
    if (m_video) avcodec_flush_buffers(m_video.get());
    if (m_audio) avcodec_flush_buffers(m_audio.get());
    m_eof = m_videoDrained = m_audioDrained = false;
    if (err < 0) return Fail(EngineText(text::kSeekingFailed, AvErrorText(err)), E_FAIL);
    return S_OK;
}

}  // namespace mediaeng::playback
