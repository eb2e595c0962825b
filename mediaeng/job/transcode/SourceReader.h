#pragma once
// Reads one source for the conversion: demuxes and decodes the chosen video
// and audio streams, cuts them to the source's trim ranges and places every
// picture and every audio sample on the output's timeline, ranges joined in
// order. Cuts are frame-accurate (a seek to the keyframe before the start,
// then decoding and dropping up to it) and audio is cut to the sample and
// padded with silence where the file has a gap, so sound and picture stay in
// step across every cut. A still picture becomes a clip of a given length.
#include "mediaeng/av/AvHandles.h"
#include "mediaeng/job/transcode/JobInput.h"
#include "mediaeng/job/settings/JobSettings.h"
#include "mediaeng/job/transcode/SourceEnd.h"
#include "platform/Types.h"
#include <filesystem>
#include <functional>
#include <string>

namespace mediaeng::job {

// Receives what the reader produces, on the reader's thread. Each call says
// whether reading goes on, stops (the run is stopped) or fails (the sink keeps
// the reason).
class IReaderSink {
public:
    virtual ~IReaderSink() = default;
    // A picture shown from outTime (seconds on the output timeline).
    virtual CReadStep OnVideo(av::FramePtr frame, double outTime) = 0;
    // The next audio samples, in the source's sample format, contiguous.
    virtual CReadStep OnAudio(av::FramePtr frame) = 0;
    // The current range's pictures end at outEnd on the output timeline.
    virtual CReadStep OnRangeEnd(double outEnd) = 0;
};

class CSourceReader {
public:
    // Opens the file and its decoders; false with error text when it cannot.
    bool Open(const std::filesystem::path& file, const CJobSource& source, bool wantVideo, bool wantAudio,
              std::string& error);

    bool HasVideo() const { return m_video.index >= 0; }
    bool HasAudio() const { return m_audio.index >= 0; }
    const AVCodecContext* VideoDecoder() const { return m_video.ctx.get(); }
    const AVCodecContext* AudioDecoder() const { return m_audio.ctx.get(); }
    AVRational FrameRate() const { return m_frameRate; }
    // Of the pictures as they are handed on: upright, as players show them.
    AVRational SampleAspect() const { return m_sar; }
    int VideoWidth() const;
    int VideoHeight() const;
    // Length of the output this source gives, in seconds (0 when unknown).
    double OutputDuration() const;

    // Reads every range. GoOn: read to the end (a source that ends early
    // included); Stop: the sink stopped it; Fail: error holds the reason, or
    // is empty when the sink failed (the sink keeps its reason).
    CReadStep Run(IReaderSink& sink, std::string& error);
    // Where the source ended before its declared end or the range's, in
    // seconds of the source; negative when it did not.
    double EndsEarlyAt() const { return m_endsEarlyAt; }

private:
    struct Stream {
        int index = -1;
        av::CodecCtxPtr ctx;
        AVStream* st = nullptr;
    };
    struct RangeState;

    bool OpenDecoder(AVMediaType type, int nth, Stream& s, std::string& error);
    CReadStep RunRange(IReaderSink& sink, double start, double end, double& outOffset, bool first, std::string& error);
    CReadStep RunStill(IReaderSink& sink, std::string& error);
    bool SeekTo(double time);
    double FirstFrameTime();
    bool SeekBefore(double start, bool first, std::string& error);
    CReadStep Decode(Stream& s, const AVPacket* pkt, RangeState& r, IReaderSink& sink, std::string& error);
    CReadStep TakeVideo(AVFrame* f, RangeState& r, IReaderSink& sink, std::string& error);
    CReadStep TakeAudio(AVFrame* f, RangeState& r, IReaderSink& sink, std::string& error);
    CReadStep PadSilence(int64_t samples, IReaderSink& sink, std::string& error);
    void NoteEnd(CPacketRead how, const RangeState& r);
    // Where the file says it ends, in seconds of the source (0: not known).
    double DeclaredEnd() const;
    // The decoded picture turned upright (by the stream's display rotation).
    av::FramePtr Upright(const AVFrame* f) const;
    double Seconds(int64_t ts, AVRational tb) const;

    CJobInput m_input;  // a file or a DVD title
    Stream m_video, m_audio;
    AVRational m_frameRate{25, 1};
    AVRational m_sar{0, 1};
    CJobSource m_source;
    double m_fileDuration = 0;
    double m_endsEarlyAt = -1;
    double m_origin = 0;  // container start time, seconds
    int m_turn = 0;       // clockwise degrees that show the pictures upright
};

}  // namespace mediaeng::job
