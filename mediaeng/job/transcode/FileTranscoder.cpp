#include "mediaeng/job/transcode/FileTranscoder.h"
#include "platform/HiddenSibling.h"
#include "mediaeng/core/EngineTexts.h"
#include "mediaeng/job/transcode/AudioEncoder.h"
#include "mediaeng/job/transcode/BoundedQueue.h"
#include "mediaeng/job/transcode/ConstantRate.h"
#include "mediaeng/job/transcode/EncoderChoice.h"
#include "mediaeng/job/transcode/EncoderInputs.h"
#include "mediaeng/job/transcode/OutputFile.h"
#include "mediaeng/job/transcode/SourceReader.h"
#include "mediaeng/job/transcode/VideoEncoder.h"
#include "platform/TextConv.h"
#include <cmath>
#include <cstring>
#include <pthread.h>
#include <thread>
#include <unistd.h>

using mediaeng::EngineText;
using mediaeng::EngineTextUtf8;

namespace mediaeng::job {
namespace fs = std::filesystem;

namespace {

// What the reading thread hands to the encoding thread.
struct CQueueItem {
    enum Kind { kVideo, kAudio, kRangeEnd, kEnd, kFailed } kind = kEnd;
    av::FramePtr frame;
    double time = 0;
    std::string error;
};

constexpr size_t kQueueLength = 12;

// Reading-thread side: edits pictures and queues everything.
class CQueueSink final : public IReaderSink {
public:
    CQueueSink(CBoundedQueue<CQueueItem>& queue, IFrameEditStage& edit, CRunControl& control)
        : m_queue(queue), m_edit(edit), m_control(control)
    {
    }
    CReadStep OnVideo(av::FramePtr frame, double outTime) override
    {
        if (!m_control.Checkpoint()) return CReadStep::Stop;
        if (FAILED(m_edit.Process(frame, outTime)) || !frame) return Fail(EngineTextUtf8(text::kPictureNotEdited));
        return Push(CQueueItem{CQueueItem::kVideo, std::move(frame), outTime, {}});
    }
    CReadStep OnAudio(av::FramePtr frame) override
    {
        if (!m_control.Checkpoint()) return CReadStep::Stop;
        return Push(CQueueItem{CQueueItem::kAudio, std::move(frame), 0, {}});
    }
    CReadStep OnRangeEnd(double outEnd) override { return Push(CQueueItem{CQueueItem::kRangeEnd, nullptr, outEnd, {}}); }
    // The reason goes to the encoding thread, which fails the file with it.
    CReadStep Fail(const std::string& error)
    {
        m_queue.Push(CQueueItem{CQueueItem::kFailed, nullptr, 0, error});
        return CReadStep::Fail;
    }

private:
    // A cancelled queue: the encoding side has ended (stopped, or failed with its own reason).
    CReadStep Push(CQueueItem item) { return m_queue.Push(std::move(item)) ? CReadStep::GoOn : CReadStep::Stop; }

    CBoundedQueue<CQueueItem>& m_queue;
    IFrameEditStage& m_edit;
    CRunControl& m_control;
};

bool IsNativeMpegFamily(AVCodecID id)
{
    return id == AV_CODEC_ID_MPEG4 || id == AV_CODEC_ID_MPEG2VIDEO || id == AV_CODEC_ID_MPEG1VIDEO ||
           id == AV_CODEC_ID_MSMPEG4V3 || id == AV_CODEC_ID_WMV1 || id == AV_CODEC_ID_WMV2 || id == AV_CODEC_ID_FLV1 ||
           id == AV_CODEC_ID_H263 || id == AV_CODEC_ID_H263P;
}

}  // namespace

CFileTranscoder::CFileTranscoder(const CJobSource& source, const CJobOutput& output, IFrameEditStage& edit,
                                 CRunControl& control)
    : m_source(source), m_output(output), m_edit(edit), m_control(control)
{
}

bool CFileTranscoder::SupportsTwoPass(const std::string& encoderName, const std::string& muxer)
{
    const AVOutputFormat* fmt = av_guess_format(muxer.c_str(), nullptr, nullptr);
    if (!fmt) return false;
    std::vector<std::wstring> ignored;
    const AVCodec* codec = ChooseEncoder(fmt, AVMEDIA_TYPE_VIDEO, encoderName, ignored);
    if (!codec) return false;
    return !std::strcmp(codec->name, "libx264") || (IsNativeMpegFamily(codec->id) && !std::strchr(codec->name, '_'));
}

CTranscodeResult CFileTranscoder::Run(const fs::path& finalPath, const std::function<void(double)>& progress)
{
    CTranscodeResult result;
    int passes = 1;
    if (m_output.video.enabled && m_output.video.twoPass) {
        if (SupportsTwoPass(m_output.video.encoder, m_output.muxer)) {
            passes = 2;
        } else {
            result.warnings.push_back(EngineText(text::kNoTwoPass));
        }
    }
    if (passes == 2) {
        m_statsFile = HiddenSibling(finalPath, ".passlog").string();
    }
    bool ok = true;
    for (int pass = passes == 2 ? 1 : 0; ok && pass <= (passes == 2 ? 2 : 0); ++pass)
        ok = RunPass(pass, passes, finalPath, progress, result);
    if (!m_statsFile.empty()) {
        std::error_code ec;
        fs::remove(m_statsFile, ec);
        fs::remove(m_statsFile + ".mbtree", ec);
        fs::remove(m_statsFile + ".temp", ec);
        fs::remove(m_statsFile + ".mbtree.temp", ec);
    }
    result.ok = ok;
    return result;
}

bool CFileTranscoder::RunPass(int pass, int passes, const fs::path& finalPath, const std::function<void(double)>& progress,
                              CTranscodeResult& result)
{
    std::vector<std::wstring> warnings;
    CSourceReader reader;
    const bool wantVideo = m_output.video.enabled;
    const bool wantAudio = m_output.audio.enabled && pass != 1;
    if (!reader.Open(fs::path(WideToUtf8(m_source.path)), m_source, wantVideo, wantAudio, result.error)) {
        if (pass == 1 && result.error == EngineTextUtf8(text::kNoUsableStream)) return result.error.clear(), true;
        return false;
    }
    const bool video = wantVideo && reader.HasVideo();
    const bool audio = wantAudio && reader.HasAudio();
    if (pass == 1 && !video) return true;  // nothing for a first pass to learn
    if (!video && !audio) {
        result.error = EngineTextUtf8(text::kNoCarriedStream);
        return false;
    }

    COutputFile out;
    if (!(pass == 1 ? out.CreateNull(result.error) : out.Create(finalPath, m_output.muxer, result.error))) return false;
    CVideoEncoder venc;
    CAudioEncoder aenc;
    if (video) {
        CVideoInput in = VideoInputOf(reader);
        m_edit.OutputFormat(in.width, in.height, in.format);
        venc.SetPass(pass, m_stats, m_statsFile);
        if (!venc.Open(out.Context(), m_output.video, in, warnings, result.error)) return false;
    }
    if (audio) {
        CAudioInput in;
        AudioInputOf(reader, in);
        const bool opened = aenc.Open(out.Context(), m_output.audio, in, warnings, result.error);
        av_channel_layout_uninit(&in.layout);
        if (!opened) return false;
    }
    if (pass != 2)
        for (std::wstring& w : warnings) result.warnings.push_back(std::move(w));
    if (!out.Begin(result.error)) return false;

    const double duration = reader.OutputDuration();
    CBoundedQueue<CQueueItem> queue(kQueueLength, [this] { return m_control.IsStopped(); });
    CQueueSink sink(queue, m_edit, m_control);
    std::thread readerThread([&] {
        pthread_setname_np(pthread_self(), "km-read");
        std::string error;
        switch (reader.Run(sink, error)) {
        case CReadStep::GoOn:
            queue.Push(CQueueItem{CQueueItem::kEnd, nullptr, 0, {}});
            break;
        case CReadStep::Fail:
            if (!error.empty()) sink.Fail(error);  // else the sink has sent its reason
            break;
        case CReadStep::Stop:
            break;
        }
    });

    CConstantRate cfr(venc, out);
    bool ok = true;
    std::string error;
    for (bool done = false; ok && !done;) {
        if (!m_control.Checkpoint()) {
            ok = false;
            break;
        }
        std::optional<CQueueItem> item = queue.Pop();
        if (!item) {
            ok = false;
            break;
        }
        switch (item->kind) {
        case CQueueItem::kVideo:
            ok = !video || cfr.Show(std::move(item->frame), item->time, error);
            break;
        case CQueueItem::kAudio:
            ok = !audio || aenc.Encode(item->frame.get(), out, error);
            break;
        case CQueueItem::kRangeEnd:
            ok = !video || cfr.HoldTo(item->time, error);
            cfr.Release();  // the next range starts with its own picture
            break;
        case CQueueItem::kEnd:
            done = true;
            break;
        case CQueueItem::kFailed:
            error = item->error;
            ok = false;
            break;
        }
        if (ok && duration > 0 && progress) {
            double at = video ? cfr.Seconds() : 0;
            if (audio && aenc.SampleRate() > 0) at = std::max(at, double(aenc.SamplesWritten()) / aenc.SampleRate());
            const double share = std::min(1.0, at / duration);
            progress(passes == 2 ? (pass - 1 + share) / 2 : share);
        }
    }
    queue.Cancel();
    readerThread.join();

    if (m_control.IsStopped()) {
        result.stopped = true;
        return false;
    }
    if (ok && video) ok = venc.Encode(nullptr, 0, out, error);
    if (ok && audio) ok = aenc.Encode(nullptr, out, error);
    if (!ok) {
        result.error = !out.WriteError().empty() ? out.WriteError() : error;
        return false;
    }
    if (pass == 1) m_stats = venc.PassStats();
    if (pass != 1 && reader.EndsEarlyAt() >= 0)
        result.sourceWarnings.push_back({m_source.path, EndsEarlyText(reader.EndsEarlyAt())});
    return out.Commit(result.error);
}

}  // namespace mediaeng::job
