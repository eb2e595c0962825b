#include "mediaeng/job/operations/JoinRunner.h"
#include "mediaeng/core/EngineTexts.h"
#include "mediaeng/job/transcode/AudioEncoder.h"
#include "mediaeng/job/transcode/ConstantRate.h"
#include "mediaeng/job/transcode/EncoderInputs.h"
#include "mediaeng/job/transcode/JobInput.h"
#include "mediaeng/job/transcode/OutputFile.h"
#include "mediaeng/job/transcode/SourceReader.h"
#include "mediaeng/job/transcode/VideoEncoder.h"
#include "platform/TextConv.h"
extern "C" {
#include <libavutil/audio_fifo.h>
#include <libavutil/imgutils.h>
#include <libavutil/pixdesc.h>
}
#include <algorithm>
#include <cmath>

namespace mediaeng::job {
namespace fs = std::filesystem;

namespace {

// Sound held back before it is encoded, so a source's sound that runs past
// its picture can still be cut at the seam.
constexpr double kHoldBackSeconds = 0.5;
constexpr int kChunk = 1024;

struct FifoFree {
    void operator()(AVAudioFifo* f) const { av_audio_fifo_free(f); }
};

// Every source's sound converted to the output's input format, encoded in
// order, cut or padded with silence at each seam.
class CJoinAudio {
public:
    CJoinAudio(CAudioEncoder& enc, IPacketSink& sink, const CAudioInput& format) : m_enc(enc), m_sink(sink), m_format(format) {}

    bool Open()
    {
        m_fifo.reset(av_audio_fifo_alloc(m_format.format, m_format.layout.nb_channels, kChunk * 4));
        return bool(m_fifo);
    }
    bool BeginSource(const AVCodecContext* dec)
    {
        m_swr.reset();
        if (!dec) return true;
        SwrContext* raw = nullptr;
        if (swr_alloc_set_opts2(&raw, const_cast<AVChannelLayout*>(&m_format.layout), m_format.format, m_format.sampleRate,
                                const_cast<AVChannelLayout*>(&dec->ch_layout),
                                dec->sample_fmt, dec->sample_rate, 0, nullptr) < 0)
            return false;
        m_swr.reset(raw);
        return swr_init(raw) >= 0;
    }
    bool Push(const AVFrame* in, std::string& error)
    {
        if (!m_swr) return true;
        if (!Convert(in)) return error = EngineTextUtf8(text::kSoundNotConverted), false;
        const int64_t hold = std::llround(kHoldBackSeconds * m_format.sampleRate);
        return Write(av_audio_fifo_size(m_fifo.get()) - hold, error);
    }
    // Ends a source at total samples on the output timeline.
    bool EndSource(int64_t total, std::string& error)
    {
        if (m_swr && !Convert(nullptr)) return error = EngineTextUtf8(text::kSoundNotConverted), false;
        const int64_t wanted = std::max<int64_t>(0, total - m_written);
        if (!Write(std::min<int64_t>(wanted, av_audio_fifo_size(m_fifo.get())), error)) return false;
        av_audio_fifo_reset(m_fifo.get());  // past the seam
        return Silence(total - m_written, error);
    }
    int64_t Written() const { return m_written; }
    // Samples taken in but not yet encoded.
    int64_t Pending() const { return av_audio_fifo_size(m_fifo.get()); }

private:
    bool Convert(const AVFrame* in)
    {
        const int inCount = in ? in->nb_samples : 0;
        const int outCount = swr_get_out_samples(m_swr.get(), inCount);
        if (outCount <= 0) return true;
        av::FramePtr tmp = NewFrame(outCount);
        if (!tmp) return false;
        const int n = swr_convert(m_swr.get(), tmp->data, outCount, in ? const_cast<const uint8_t**>(in->extended_data) : nullptr,
                                  inCount);
        return n >= 0 && (n == 0 || av_audio_fifo_write(m_fifo.get(), reinterpret_cast<void**>(tmp->data), n) == n);
    }
    av::FramePtr NewFrame(int samples) const
    {
        av::FramePtr f = av::MakeFrame();
        if (!f) return nullptr;
        f->format = m_format.format;
        f->sample_rate = m_format.sampleRate;
        av_channel_layout_copy(&f->ch_layout, &m_format.layout);
        f->nb_samples = samples;
        if (av::AllocFrameBuffer(f.get()) < 0) return nullptr;
        return f;
    }
    bool Write(int64_t samples, std::string& error)
    {
        while (samples > 0) {
            const int n = int(std::min<int64_t>(samples, kChunk));
            av::FramePtr f = NewFrame(n);
            if (!f || av_audio_fifo_read(m_fifo.get(), reinterpret_cast<void**>(f->data), n) != n)
                return error = EngineTextUtf8(text::kOutOfMemory), false;
            if (!m_enc.Encode(f.get(), m_sink, error)) return false;
            m_written += n;
            samples -= n;
        }
        return true;
    }
    bool Silence(int64_t samples, std::string& error)
    {
        while (samples > 0) {
            const int n = int(std::min<int64_t>(samples, kChunk));
            av::FramePtr f = NewFrame(n);
            if (!f) return error = EngineTextUtf8(text::kOutOfMemory), false;
            av_samples_set_silence(f->data, 0, n, m_format.layout.nb_channels, m_format.format);
            if (!m_enc.Encode(f.get(), m_sink, error)) return false;
            m_written += n;
            samples -= n;
        }
        return true;
    }

    CAudioEncoder& m_enc;
    IPacketSink& m_sink;
    const CAudioInput& m_format;
    av::SwrPtr m_swr;
    std::unique_ptr<AVAudioFifo, FifoFree> m_fifo;
    int64_t m_written = 0;
};

// Pictures of every source brought to one size and format, then to the
// output's constant frame rate on one timeline.
class CJoinVideo {
public:
    CJoinVideo(CVideoEncoder& enc, IPacketSink& sink, const CVideoInput& format) : m_rate(enc, sink), m_format(format) {}

    bool Push(av::FramePtr frame, double time, std::string& error)
    {
        if (!Fit(frame)) return error = EngineTextUtf8(text::kPictureNotScaled), false;
        return m_rate.Show(std::move(frame), time, error);
    }
    // Shows the last picture (black before any) up to time.
    bool FillTo(double time, std::string& error)
    {
        av::FramePtr black;
        if (!m_rate.Holding() && !(black = Black())) return error = EngineTextUtf8(text::kOutOfMemory), false;
        return m_rate.HoldTo(time, error, std::move(black));
    }
    double End() const { return m_rate.Seconds(); }

private:
    av::FramePtr Black() const
    {
        av::FramePtr f = av::MakeFrame();
        if (!f) return nullptr;
        f->format = m_format.format;
        f->width = m_format.width;
        f->height = m_format.height;
        if (av::AllocFrameBuffer(f.get()) < 0) return nullptr;
        const ptrdiff_t lines[4] = {f->linesize[0], f->linesize[1], f->linesize[2], f->linesize[3]};
        av_image_fill_black(f->data, lines, m_format.format, AVCOL_RANGE_MPEG, f->width, f->height);
        return f;
    }
    // Brings a picture of another size or format to the first one's, fitted
    // inside it with its aspect kept.
    bool Fit(av::FramePtr& frame)
    {
        if (frame->width == m_format.width && frame->height == m_format.height && frame->format == m_format.format)
            return true;
        av::FramePtr out = Black();
        if (!out) return false;
        const double scale = std::min(double(m_format.width) / frame->width, double(m_format.height) / frame->height);
        const int w = std::max(2, int(frame->width * scale) & ~1), h = std::max(2, int(frame->height * scale) & ~1);
        m_sws.reset(sws_getCachedContext(m_sws.release(), frame->width, frame->height, AVPixelFormat(frame->format), w, h,
                                         m_format.format, SWS_BICUBIC, nullptr, nullptr, nullptr));
        if (!m_sws) return false;
        const AVPixFmtDescriptor* d = av_pix_fmt_desc_get(m_format.format);
        const int x = ((m_format.width - w) / 2) & ~1, y = ((m_format.height - h) / 2) & ~1;
        uint8_t* dst[4] = {};
        if (d->flags & AV_PIX_FMT_FLAG_PLANAR) {
            const int bytes = d->comp[0].depth > 8 ? 2 : 1;
            for (int p = 0; p < 4 && out->data[p]; ++p) {
                const bool chroma = (p == 1 || p == 2) && d->nb_components >= 3;
                const int px = chroma ? x >> d->log2_chroma_w : x, py = chroma ? y >> d->log2_chroma_h : y;
                dst[p] = out->data[p] + py * out->linesize[p] + px * bytes;
            }
        } else {
            dst[0] = out->data[0] + y * out->linesize[0] + x * (av_get_padded_bits_per_pixel(d) / 8);
        }
        if (sws_scale(m_sws.get(), frame->data, frame->linesize, 0, frame->height, dst, out->linesize) <= 0) return false;
        frame = std::move(out);
        return true;
    }

    CConstantRate m_rate;
    const CVideoInput& m_format;
    av::SwsPtr m_sws;
};

// Feeds one source's pictures and sound to the join, at an offset.
class CJoinSink final : public IReaderSink {
public:
    CJoinSink(CJoinVideo* video, CJoinAudio* audio, IFrameEditStage& edit, CRunControl& control, double offset)
        : m_video(video), m_audio(audio), m_edit(edit), m_control(control), m_offset(offset)
    {
    }
    CReadStep OnVideo(av::FramePtr frame, double outTime) override
    {
        if (!m_control.Checkpoint()) return CReadStep::Stop;
        if (!m_video) return CReadStep::GoOn;
        if (FAILED(m_edit.Process(frame, outTime)) || !frame) return Fail(EngineTextUtf8(text::kPictureNotEdited));
        m_end = std::max(m_end, outTime);
        return m_video->Push(std::move(frame), m_offset + outTime, m_error) ? CReadStep::GoOn : Fail(m_error);
    }
    CReadStep OnAudio(av::FramePtr frame) override
    {
        if (!m_control.Checkpoint()) return CReadStep::Stop;
        return !m_audio || m_audio->Push(frame.get(), m_error) ? CReadStep::GoOn : Fail(m_error);
    }
    CReadStep OnRangeEnd(double outEnd) override
    {
        m_end = std::max(m_end, outEnd);
        return !m_video || m_video->FillTo(m_offset + outEnd, m_error) ? CReadStep::GoOn : Fail(m_error);
    }
    double PictureEnd() const { return m_end; }
    const std::string& Error() const { return m_error; }

private:
    CReadStep Fail(const std::string& e)
    {
        m_error = e.empty() ? EngineTextUtf8(text::kNotConverted) : e;
        return CReadStep::Fail;
    }
    CJoinVideo* m_video;
    CJoinAudio* m_audio;
    IFrameEditStage& m_edit;
    CRunControl& m_control;
    double m_offset;
    double m_end = 0;
    std::string m_error;
};

}  // namespace

CJoinRunner::CJoinRunner(const CJobOutput& output, const CJoinSettings& join, CRunControl& control, EditMaker makeEdit)
    : m_output(output), m_join(join), m_control(control), m_makeEdit(std::move(makeEdit))
{
}

CTranscodeResult CJoinRunner::Run(const std::vector<CJobSource>& input, const fs::path& finalPath,
                                  const std::function<void(double)>& progress)
{
    CTranscodeResult result;
    std::vector<CJobSource> sources = input;
    const bool wantVideo = m_output.video.enabled, wantAudio = m_output.audio.enabled;

    // First look: which sources are pictures, and the formats the output takes from the first ones.
    CVideoInput vin;
    CAudioInput ain;
    bool haveVideo = false, haveAudio = false;
    for (CJobSource& s : sources) {
        CJobInput probe;
        std::string ignored;
        if (probe.Open(WideToUtf8(s.path), ignored) && IsPictureInput(probe.get())) {
            s.virtualVideo = true;
            s.virtualDuration = std::max(1, m_join.imageSeconds);
        }
        probe.reset();
        CSourceReader reader;
        if (!reader.Open(fs::path(WideToUtf8(s.path)), s, wantVideo, wantAudio, result.error)) {
            result.error = WideToUtf8(fs::path(s.path).filename().wstring()) + ": " + result.error;
            return result;
        }
        if (wantVideo && reader.HasVideo() && !haveVideo) {
            haveVideo = true;
            vin = VideoInputOf(reader);
            std::unique_ptr<IFrameEditStage> edit = m_makeEdit();
            edit->OutputFormat(vin.width, vin.height, vin.format);
        }
        if (wantAudio && reader.HasAudio() && !haveAudio) {
            haveAudio = true;
            AudioInputOf(reader, ain);
        }
    }
    struct LayoutFree {
        AVChannelLayout& l;
        ~LayoutFree() { av_channel_layout_uninit(&l); }
    } freeLayout{ain.layout};
    if (!haveVideo && !haveAudio) return result.error = EngineTextUtf8(text::kNoCarriedStreamInSources), result;

    COutputFile out;
    if (!out.Create(finalPath, m_output.muxer, result.error)) return result;
    CVideoEncoder venc;
    CAudioEncoder aenc;
    if (haveVideo && !venc.Open(out.Context(), m_output.video, vin, result.warnings, result.error)) return result;
    if (haveAudio && !aenc.Open(out.Context(), m_output.audio, ain, result.warnings, result.error)) return result;
    if (!out.Begin(result.error)) return result;

    CJoinVideo video(venc, out, vin);
    CJoinAudio audio(aenc, out, ain);
    if (haveAudio && !audio.Open()) return result.error = EngineTextUtf8(text::kOutOfMemory), result;
    double offset = 0;
    double total = 0;
    for (const CJobSource& s : sources) total += s.virtualVideo ? s.virtualDuration : std::max(0.1, s.duration);
    for (size_t i = 0; i < sources.size(); ++i) {
        const CJobSource& s = sources[i];
        CSourceReader reader;
        if (!reader.Open(fs::path(WideToUtf8(s.path)), s, haveVideo, haveAudio, result.error)) return result;
        std::unique_ptr<IFrameEditStage> edit = m_makeEdit();
        if (haveAudio && !audio.BeginSource(reader.HasAudio() ? reader.AudioDecoder() : nullptr))
            return result.error = EngineTextUtf8(text::kSoundNotConverted), result;
        CJoinSink sink(haveVideo ? &video : nullptr, haveAudio ? &audio : nullptr, *edit, m_control, offset);
        std::string error;
        const CReadStep read = reader.Run(sink, error);
        if (read == CReadStep::Stop || m_control.IsStopped()) return result.stopped = true, result;
        if (read == CReadStep::Fail) {
            result.error = !sink.Error().empty() ? sink.Error() : error;
            if (!out.WriteError().empty()) result.error = out.WriteError();
            return result;
        }
        if (reader.EndsEarlyAt() >= 0) result.sourceWarnings.push_back({s.path, EndsEarlyText(reader.EndsEarlyAt())});
        // The seam: where the longer of picture and sound ends.
        double end = offset + (reader.HasVideo() && haveVideo ? sink.PictureEnd() : 0);
        if (haveAudio && reader.HasAudio()) {
            const double sound = double(audio.Written() + audio.Pending()) / ain.sampleRate;
            if (!reader.HasVideo() || !haveVideo) end = std::max(end, sound);
        }
        if (!haveVideo || !reader.HasVideo()) end = std::max(end, offset + reader.OutputDuration());
        // Sound already encoded cannot be taken back: the picture waits for it.
        if (haveAudio) end = std::max(end, double(audio.Written()) / ain.sampleRate);
        if (haveVideo) {
            if (!video.FillTo(end, error)) return result.error = error, result;
            end = video.End();
        }
        if (haveAudio && !audio.EndSource(std::llround(end * ain.sampleRate), error)) return result.error = error, result;
        offset = end;
        if (progress && total > 0) progress(std::min(1.0, offset / total));
    }
    std::string error;
    if (haveVideo && !venc.Encode(nullptr, 0, out, error)) return result.error = error, result;
    if (haveAudio && !aenc.Encode(nullptr, out, error)) return result.error = error, result;
    result.ok = out.Commit(result.error);
    return result;
}

}  // namespace mediaeng::job
