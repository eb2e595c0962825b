#pragma once
// Demuxer and decoders of one graph: reads the source and hands out decoded
// video and audio frames in file order, with times in 100-ns units from the
// start of the source. Blocking reads end when the abort flag is raised or
// the deadline passes.
#include "mediaeng/playback/PlaybackFFmpeg.h"
#include "mediaeng/playback/PlaybackInput.h"
#include <atomic>
#include <chrono>

namespace mediaeng::playback {

struct CDecodedFrame {
    FramePtr frame;
    bool video = false;
    REFERENCE_TIME time = 0;      // presentation time
    REFERENCE_TIME duration = 0;  // how long it stays on screen / sounds
};

class CPlaybackDemuxer {
public:
    CPlaybackDemuxer();
    ~CPlaybackDemuxer();
    CPlaybackDemuxer(const CPlaybackDemuxer&) = delete;
    CPlaybackDemuxer& operator=(const CPlaybackDemuxer&) = delete;

    // Opens the source and the decoders of its main video and (when wanted)
    // audio stream. Fails with a text when there is neither.
    HRESULT Open(const CPlaybackInput& input, bool wantAudio, std::wstring* error);
    void Close();

    // Raised from any thread: pending and later reads fail at once.
    void SetAbort(const std::atomic<bool>* abort) { m_abort = abort; }
    // Reads that run past this point fail (a damaged or stalled source).
    void SetDeadline(std::chrono::steady_clock::time_point deadline) { m_deadline = deadline; }

    // S_OK with a frame, S_FALSE at the end of the source, else a failure.
    HRESULT Next(CDecodedFrame& out);
    // Goes to the key frame at or before t and empties the decoders.
    HRESULT Seek(REFERENCE_TIME t);

    bool HasVideo() const { return m_video != nullptr; }
    bool HasAudio() const { return m_audio != nullptr; }
    AVCodecContext* VideoCodec() const { return m_video.get(); }
    // Size of the pictures handed out: upright, as the stream asks to be shown.
    int VideoWidth() const;
    int VideoHeight() const;
    AVCodecContext* AudioCodec() const { return m_audio.get(); }
    REFERENCE_TIME Duration() const { return m_duration; }
    REFERENCE_TIME FrameDuration() const { return m_frameDuration; }
    std::wstring LastError() const { return m_error; }

private:
    static int InterruptCallback(void* self);
    HRESULT OpenDecoder(int index, CodecPtr& codec);
    bool ReceiveFrame(AVCodecContext* codec, int index, CDecodedFrame& out, HRESULT& hr);
    HRESULT Fail(const std::wstring& text, HRESULT hr);

    HRESULT OpenFormat(const CPlaybackInput& input);

    std::unique_ptr<CMediaInput> m_input;  // owns the demuxer of an engine source
    FormatPtr m_format;                    // else the demuxer is ours
    AVFormatContext* m_fmt = nullptr;      // whichever of the two
    CodecPtr m_video, m_audio;
    int m_videoIndex = -1, m_audioIndex = -1;
    PacketPtr m_packet;
    bool m_eof = false;
    bool m_videoDrained = false, m_audioDrained = false;
    REFERENCE_TIME m_origin = 0;  // container start time
    REFERENCE_TIME m_duration = 0;
    REFERENCE_TIME m_frameDuration = 400000;
    int m_turn = 0;  // clockwise degrees that show the pictures upright
    const std::atomic<bool>* m_abort = nullptr;
    std::chrono::steady_clock::time_point m_deadline = std::chrono::steady_clock::time_point::max();
    std::wstring m_error;
};

}  // namespace mediaeng::playback
