#include "mediaeng/job/transcode/AudioEncoder.h"
#include "mediaeng/core/EngineTexts.h"
#include "mediaeng/job/transcode/EncoderChoice.h"
extern "C" {
#include <libavutil/opt.h>
}
#include <algorithm>
#include <cstring>

using mediaeng::EngineText;
using mediaeng::EngineTextUtf8;

namespace mediaeng::job {

namespace {

// The sample format for a PCM precision, or the encoder's best one.
AVSampleFormat PickSampleFormat(const AVCodec* codec, int precision)
{
    if (!codec->sample_fmts) return AV_SAMPLE_FMT_S16;
    AVSampleFormat wanted = precision <= 8 ? AV_SAMPLE_FMT_U8 : precision <= 16 ? AV_SAMPLE_FMT_S16 : AV_SAMPLE_FMT_S32;
    for (const AVSampleFormat* f = codec->sample_fmts; *f != AV_SAMPLE_FMT_NONE; ++f)
        if (av_get_packed_sample_fmt(*f) == wanted) return *f;
    return codec->sample_fmts[0];
}

// The PCM encoder of a precision, keeping the family (little-endian signed).
const AVCodec* PcmForPrecision(const AVCodec* codec, int precision, std::vector<std::wstring>& warnings)
{
    if (codec->id != AV_CODEC_ID_PCM_S16LE && codec->id != AV_CODEC_ID_PCM_S24LE && codec->id != AV_CODEC_ID_PCM_S32LE &&
        codec->id != AV_CODEC_ID_PCM_U8)
        return codec;
    static const int valid[] = {8, 16, 24, 32, 0};
    const int p = NearestInt(valid, precision);
    if (p != precision)
        warnings.push_back(EngineText(text::kPrecisionChanged, precision, p));
    const char* name = p == 8 ? "pcm_u8" : p == 16 ? "pcm_s16le" : p == 24 ? "pcm_s24le" : "pcm_s32le";
    const AVCodec* pcm = avcodec_find_encoder_by_name(name);
    return pcm ? pcm : codec;
}

int NearestChannelCount(const AVCodec* codec, int channels)
{
    if (!codec->ch_layouts) return channels;
    int best = 0;
    for (const AVChannelLayout* l = codec->ch_layouts; l->nb_channels; ++l)
        if (!best || std::abs(l->nb_channels - channels) < std::abs(best - channels)) best = l->nb_channels;
    return best ? best : channels;
}

}  // namespace

CAudioEncoder::~CAudioEncoder()
{
    if (m_fifo) av_audio_fifo_free(m_fifo);
}

int CAudioEncoder::SampleRate() const
{
    return m_ctx ? m_ctx->sample_rate : 0;
}

bool CAudioEncoder::Open(AVFormatContext* oc, const CAudioOutput& s, const CAudioInput& in,
                         std::vector<std::wstring>& warnings, std::string& error)
{
    const AVCodec* codec = ChooseEncoder(oc->oformat, AVMEDIA_TYPE_AUDIO, s.encoder, warnings);
    if (!codec) return error = EngineTextUtf8(text::kNoAudioEncoder), false;
    codec = PcmForPrecision(codec, s.precision, warnings);
    m_ctx.reset(avcodec_alloc_context3(codec));
    AVCodecContext* c = m_ctx.get();

    int rate = s.sampleRate > 0 ? s.sampleRate : in.sampleRate;
    if (codec->supported_samplerates) {
        const int nearest = NearestInt(codec->supported_samplerates, rate);
        if (nearest != rate)
            warnings.push_back(EngineText(text::kRateNotEncoded, rate, nearest));
        rate = nearest;
    }
    if (oc->oformat && !std::strcmp(oc->oformat->name, "flv") && rate != 44100 && rate != 22050 && rate != 11025) {
        static const int flvRates[] = {11025, 22050, 44100, 0};
        const int nearest = NearestInt(flvRates, rate);
        warnings.push_back(EngineText(text::kRateNotStored, rate, nearest));
        rate = nearest;
    }
    int channels = s.channels > 0 ? s.channels : in.layout.nb_channels;
    const int nearestChannels = NearestChannelCount(codec, std::clamp(channels, 1, 8));
    if (nearestChannels != channels)
        warnings.push_back(EngineText(text::kChannelsChanged, channels, nearestChannels));
    channels = nearestChannels;

    c->sample_rate = rate;
    av_channel_layout_default(&c->ch_layout, channels);
    c->sample_fmt = PickSampleFormat(codec, s.precision);
    c->time_base = AVRational{1, rate};
    c->thread_count = 0;
    if (oc->oformat->flags & AVFMT_GLOBALHEADER) c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    const bool pcm = codec->id >= AV_CODEC_ID_PCM_S16LE && codec->id < AV_CODEC_ID_ADPCM_IMA_QT;
    if (!pcm) {
        if (s.bitrateMode == kBitrateVariable && (codec->id == AV_CODEC_ID_MP3 || codec->id == AV_CODEC_ID_AAC ||
                                                  codec->id == AV_CODEC_ID_VORBIS)) {
            const int q = std::clamp(s.quality, 0, 100);
            c->flags |= AV_CODEC_FLAG_QSCALE;
            // LAME: 0 best .. 9 worst; FFmpeg's AAC: 0.1 .. 2; Vorbis: -1 .. 10.
            const double scale = codec->id == AV_CODEC_ID_MP3 ? 9.0 - q * 0.09
                                 : codec->id == AV_CODEC_ID_AAC ? 0.1 + q * 0.019
                                                                : -1.0 + q * 0.11;
            c->global_quality = int(scale * FF_QP2LAMBDA);
        } else {
            const int kbps = NearestAudioBitrate(codec, s.bitrateKbps, rate, channels);
            if (kbps != s.bitrateKbps)
                warnings.push_back(EngineText(text::kAudioBitrateChanged, s.bitrateKbps, kbps));
            c->bit_rate = int64_t(kbps) * 1000;
        }
    }
    int rc = avcodec_open2(c, codec, nullptr);
    if (rc < 0) return error = EngineTextUtf8(text::kCannotOpenEncoder, codec->name, av::AvErrorText(rc)), false;
    m_stream = avformat_new_stream(oc, nullptr);
    if (!m_stream) return error = EngineTextUtf8(text::kOutOfMemory), false;
    m_stream->time_base = c->time_base;
    avcodec_parameters_from_context(m_stream->codecpar, c);
    m_frameSize = (codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE) || c->frame_size <= 0 ? 1024 : c->frame_size;

    SwrContext* swr = nullptr;
    AVChannelLayout inLayout{};
    av_channel_layout_copy(&inLayout, &in.layout);
    rc = swr_alloc_set_opts2(&swr, &c->ch_layout, c->sample_fmt, c->sample_rate, &inLayout, in.format, in.sampleRate, 0,
                             nullptr);
    av_channel_layout_uninit(&inLayout);
    m_swr.reset(swr);
    if (rc < 0 || swr_init(m_swr.get()) < 0) return error = EngineTextUtf8(text::kSamplesNotConverted), false;
    m_fifo = av_audio_fifo_alloc(c->sample_fmt, channels, m_frameSize * 4);
    if (!m_fifo) return error = EngineTextUtf8(text::kOutOfMemory), false;
    return true;
}

bool CAudioEncoder::Encode(const AVFrame* src, IPacketSink& sink, std::string& error)
{
    AVCodecContext* c = m_ctx.get();
    const int inSamples = src ? src->nb_samples : 0;
    const int outMax = int(swr_get_out_samples(m_swr.get(), inSamples)) + 32;
    if (outMax > 0) {
        uint8_t** buffer = nullptr;
        if (av_samples_alloc_array_and_samples(&buffer, nullptr, c->ch_layout.nb_channels, outMax, c->sample_fmt, 0) < 0)
            return error = EngineTextUtf8(text::kOutOfMemory), false;
        const int got = swr_convert(m_swr.get(), buffer, outMax, src ? const_cast<const uint8_t**>(src->extended_data) : nullptr,
                                    inSamples);
        if (got > 0) av_audio_fifo_write(m_fifo, reinterpret_cast<void**>(buffer), got);
        av_freep(&buffer[0]);
        av_freep(&buffer);
        if (got < 0) return error = EngineTextUtf8(text::kAudioConversionFailed, av::AvErrorText(got)), false;
    }
    return SendFrames(!src, sink, error);
}

bool CAudioEncoder::SendFrames(bool flush, IPacketSink& sink, std::string& error)
{
    AVCodecContext* c = m_ctx.get();
    while (av_audio_fifo_size(m_fifo) >= m_frameSize || (flush && av_audio_fifo_size(m_fifo) > 0)) {
        const int n = std::min(m_frameSize, av_audio_fifo_size(m_fifo));
        av::FramePtr f = av::MakeFrame();
        f->nb_samples = n;
        f->format = c->sample_fmt;
        f->sample_rate = c->sample_rate;
        av_channel_layout_copy(&f->ch_layout, &c->ch_layout);
        if (av::AllocFrameBuffer(f.get()) < 0) return error = EngineTextUtf8(text::kOutOfMemory), false;
        av_audio_fifo_read(m_fifo, reinterpret_cast<void**>(f->data), n);
        f->pts = m_written;
        m_written += n;
        const int rc = avcodec_send_frame(c, f.get());
        if (rc < 0) return error = EngineTextUtf8(text::kAudioEncodingFailed, av::AvErrorText(rc)), false;
        if (!Drain(sink, error)) return false;
    }
    if (flush) {
        avcodec_send_frame(c, nullptr);
        return Drain(sink, error);
    }
    return true;
}

bool CAudioEncoder::Drain(IPacketSink& sink, std::string& error)
{
    for (;;) {
        const int rc = avcodec_receive_packet(m_ctx.get(), m_packet.get());
        if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) return true;
        if (rc < 0) return error = EngineTextUtf8(text::kAudioEncodingFailed, av::AvErrorText(rc)), false;
        if (!sink.WritePacket(m_packet.get(), m_stream, m_ctx->time_base)) return false;
    }
}

}  // namespace mediaeng::job
