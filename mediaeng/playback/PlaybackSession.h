#pragma once
// One graph's streaming side: a named worker thread that demuxes, decodes,
// paces and delivers. A playback session shows each frame at its time
// (sound through SDL2 sets the clock when there is sound); a grab session
// delivers frames to the sample grabber as fast as they decode, within a time
// limit. Control calls never wait for the worker beyond a frame in flight
// (bounded); Close joins it, so sinks must not close or release the last
// reference of their graph from inside a callback.
//
// Locks: m_mutex guards the control state; the worker never holds it while
// decoding or calling a sink. m_deliverMutex is held only briefly, never
// around a sink call and never together with m_mutex. The engine's position
// lock is taken alone and only around the position change of a seek.
#include "mediaeng/playback/PlaybackAudio.h"
#include "mediaeng/playback/PlaybackClock.h"
#include "mediaeng/playback/PlaybackDemuxer.h"
#include "mediaeng/playback/PlaybackEvents.h"
#include "mediaeng/playback/PlaybackPicture.h"
#include "mediaeng/playback/PlaybackSinks.h"
#include <condition_variable>
#include <deque>
#include <memory>
#include <thread>

namespace mediaeng::playback {

enum class SessionKind { Grab = 0, Playback = 1 };

class CPlaybackSession {
public:
    CPlaybackSession(SessionKind kind, std::shared_ptr<CPlaybackSinks> sinks);
    ~CPlaybackSession();
    CPlaybackSession(const CPlaybackSession&) = delete;
    CPlaybackSession& operator=(const CPlaybackSession&) = delete;

    HRESULT Open(const CPlaybackInput& input, std::wstring* error);
    // Ends and joins the worker; every later call fails.
    void Close();

    HRESULT Run();
    HRESULT Pause();
    HRESULT Stop();
    LONG State() const;
    HRESULT SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop, DWORD stopFlags);
    REFERENCE_TIME Position() const { return m_position.load(); }
    REFERENCE_TIME StopTime() const;
    REFERENCE_TIME Duration() const { return m_duration; }
    CPlaybackEvents& Events() { return m_events; }

    bool HasVideo() const { return m_hasVideo; }
    bool HasAudio() const { return m_hasAudio; }
    LONG Width() const { return m_width; }
    LONG Height() const { return m_height; }
    REFERENCE_TIME FrameDuration() const { return m_frameDuration; }
    const BITMAPINFOHEADER& OutputHeader() const { return m_outHeader; }
    std::wstring LastError() const;

    // Longest a grab may run before it gives up (EC_ENGINE_FAILED with E_ABORT).
    void SetGrabTimeLimit(std::chrono::milliseconds limit) { m_grabLimit = limit; }

private:
    struct Snapshot {
        LONG state;
        bool seek;
        REFERENCE_TIME seekPos;
        REFERENCE_TIME stop;
        REFERENCE_TIME origin;
        uint64_t gen;
        uint64_t flush;
        bool cue;
    };

    HRESULT StopLocked();
    HRESULT SetPositionsLocked(LONGLONG* current, DWORD currentFlags, LONGLONG* stop, DWORD stopFlags);
    void Worker();
    bool HasWork() const;
    bool TakeSnapshot(Snapshot& s);
    void ApplyState(const Snapshot& s);
    enum class SeekResult { Done, TooLate, Abandoned };
    void DoSeek(const Snapshot& s);
    SeekResult DecodeTo(const Snapshot& s, REFERENCE_TIME target, bool mayRetry);
    void Cue(const Snapshot& s);
    void StepRunning(const Snapshot& s);
    HRESULT FetchVideo(const Snapshot& s, CDecodedFrame& out);
    void QueueSound(const Snapshot& s, CDecodedFrame& f);
    bool WaitUntil(std::chrono::steady_clock::time_point when, uint64_t gen);
    bool Changed(uint64_t gen);
    REFERENCE_TIME ClockNow();
    HRESULT Deliver(const Snapshot& s, CDecodedFrame& f, bool converted);
    void CallSinks(const Snapshot& s, const CDecodedFrame& f);
    bool SeekOverridden();
    bool GrabExpired() const;
    void Finish(const Snapshot& s, LONG code, LONG_PTR param);
    void SetError(const std::wstring& text);
    void ReportPosition(const Snapshot& s);

    const SessionKind m_kind;
    std::shared_ptr<CPlaybackSinks> m_sinks;
    CPlaybackEvents m_events;
    std::thread m_thread;
    std::atomic<bool> m_abortIo{false};
    bool m_closed = false;

    // Control state, under m_mutex.
    mutable std::mutex m_mutex;
    std::condition_variable m_cv;
    LONG m_target = State_Stopped;
    bool m_seekPending = true;  // the first run starts at 0
    REFERENCE_TIME m_seekPos = 0;
    REFERENCE_TIME m_origin = 0;
    REFERENCE_TIME m_stop = 0;  // 0: the end of the source
    bool m_quit = false;
    bool m_ended = false;
    bool m_needCue = false;
    uint64_t m_gen = 0;
    std::wstring m_error;

    std::atomic<REFERENCE_TIME> m_position{0};

    // Stop, seek and close make frames decoded before them stale. A delivery
    // checks m_flush and marks itself in flight under m_deliverMutex; the
    // control side raises m_flush under m_mutex, then waits (bounded) until no
    // delivery is in flight.
    std::atomic<uint64_t> m_flush{0};
    std::mutex m_deliverMutex;
    std::condition_variable m_deliverCv;
    bool m_delivering = false;
    void FlushDeliveries();

    // Facts fixed at Open.
    bool m_hasVideo = false, m_hasAudio = false;
    LONG m_width = 0, m_height = 0;
    REFERENCE_TIME m_duration = 0, m_frameDuration = 400000;
    BITMAPINFOHEADER m_outHeader;
    std::chrono::milliseconds m_grabLimit{10000};

    // Worker-only state.
    CPlaybackDemuxer m_demux;
    CPlaybackPicture m_picture;
    CPlaybackAudio m_audio;
    CPlaybackClock m_clock;
    LONG m_applied = State_Stopped;
    std::deque<CDecodedFrame> m_pending;  // video frames decoded ahead
    bool m_videoDone = false, m_audioDone = false;
    bool m_delivered = false;  // a frame went out since the last run
    std::chrono::steady_clock::time_point m_runStart;
    std::chrono::steady_clock::time_point m_nextReport;
};

}  // namespace mediaeng::playback
