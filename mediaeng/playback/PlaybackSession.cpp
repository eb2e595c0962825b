#include "mediaeng/playback/PlaybackSession.h"
#include "engine/PlaybackHelpers.h"
#include "mediaeng/core/EngineTexts.h"
#include "platform/TextConv.h"
#include <pthread.h>

using mediaeng::EngineText;
using mediaeng::EngineTextUtf8;

namespace mediaeng::playback {

namespace {
constexpr auto kOpenLimit = std::chrono::seconds(20);
// Sound queued ahead of the clock before the worker waits (audio-only sources).
constexpr REFERENCE_TIME kSoundAhead = 5000000;
constexpr auto kReportInterval = std::chrono::milliseconds(100);
constexpr REFERENCE_TIME kNoStop = INT64_MAX;

// The grabber's view of one delivered frame; it lives for the callback only.
class CPlaybackSample final : public IMediaSample {
public:
    CPlaybackSample(BYTE* data, LONG size) : m_data(data), m_size(size) {}
    HRESULT QueryInterface(REFIID iid, void** out) override
    {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IMediaSample) {
            *out = static_cast<IMediaSample*>(this);
            return S_OK;
        }
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT GetPointer(BYTE** buffer) override
    {
        if (!buffer) return E_POINTER;
        *buffer = m_data;
        return S_OK;
    }
    LONG GetActualDataLength() override { return m_size; }

private:
    BYTE* m_data;
    LONG m_size;
};
}  // namespace

CPlaybackSession::CPlaybackSession(SessionKind kind, std::shared_ptr<CPlaybackSinks> sinks)
    : m_kind(kind), m_sinks(std::move(sinks))
{
}

CPlaybackSession::~CPlaybackSession() { Close(); }

HRESULT CPlaybackSession::Open(const CPlaybackInput& input, std::wstring* error)
{
    m_demux.SetAbort(&m_abortIo);
    m_demux.SetDeadline(std::chrono::steady_clock::now() + kOpenLimit);
    HRESULT hr = m_demux.Open(input, m_kind == SessionKind::Playback, error);
    m_demux.SetDeadline(std::chrono::steady_clock::time_point::max());
    if (FAILED(hr)) {
        SetError(m_demux.LastError());
        return hr;
    }
    m_hasVideo = m_demux.HasVideo();
    m_hasAudio = m_demux.HasAudio();
    if (m_kind == SessionKind::Grab && !m_hasVideo) {
        std::wstring text = EngineText(text::kNoPictureToGrab, input.url);
        SetError(text);
        if (error) *error = text;
        m_demux.Close();
        return E_FAIL;
    }
    if (m_hasVideo) {
        m_width = m_demux.VideoWidth();
        m_height = m_demux.VideoHeight();
        m_outHeader.biWidth = m_width;
        m_outHeader.biHeight = m_height;
        m_outHeader.biSizeImage = DibStride(m_width, 24) * static_cast<DWORD>(m_height);
    }
    m_duration = m_demux.Duration();
    m_frameDuration = m_demux.FrameDuration();
    m_thread = std::thread([this] { Worker(); });
    return S_OK;
}

void CPlaybackSession::Close()
{
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        if (m_closed) return;
        m_closed = true;
        m_quit = true;
        ++m_gen;
        ++m_flush;
    }
    m_abortIo = true;
    m_cv.notify_all();
    if (m_thread.joinable()) m_thread.join();
    m_pending.clear();
    m_demux.Close();
    m_sinks->Clear();
}

HRESULT CPlaybackSession::Run()
{
    std::lock_guard<std::mutex> lk(m_mutex);
    if (m_closed) return E_UNEXPECTED;
    m_target = State_Running;
    ++m_gen;
    m_cv.notify_all();
    return S_OK;
}

HRESULT CPlaybackSession::Pause()
{
    std::lock_guard<std::mutex> lk(m_mutex);
    if (m_closed) return E_UNEXPECTED;
    bool cue = m_target == State_Stopped;
    m_target = State_Paused;
    if (cue) m_needCue = true;
    ++m_gen;
    m_cv.notify_all();
    // A paused graph that has to show its first frame gets there later.
    return cue ? S_FALSE : S_OK;
}

void CPlaybackSession::FlushDeliveries()
{
    // m_flush was raised with the command, under m_mutex, so no later
    // snapshot delivers a stale frame; wait for one in flight. A sink that blocks must not hang the caller: wait a bounded time only.
    std::unique_lock<std::mutex> lk(m_deliverMutex);
    m_deliverCv.wait_for(lk, std::chrono::milliseconds(250), [this] { return !m_delivering; });
}

HRESULT CPlaybackSession::Stop()
{
    HRESULT hr = StopLocked();
    FlushDeliveries();
    return hr;
}

HRESULT CPlaybackSession::StopLocked()
{
    std::lock_guard<std::mutex> lk(m_mutex);
    if (m_closed) return E_UNEXPECTED;
    ++m_flush;
    if (m_target != State_Stopped) {
        // The next run or pause starts again where the picture stopped.
        m_seekPending = true;
        m_seekPos = m_position.load();
    }
    m_target = State_Stopped;
    m_needCue = false;
    ++m_gen;
    m_cv.notify_all();
    return S_OK;
}

LONG CPlaybackSession::State() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_target;
}

HRESULT CPlaybackSession::SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop, DWORD stopFlags)
{
    HRESULT hr = SetPositionsLocked(current, currentFlags, stop, stopFlags);
    if (SUCCEEDED(hr) && (currentFlags & AM_SEEKING_AbsolutePositioning)) FlushDeliveries();
    return hr;
}

HRESULT CPlaybackSession::SetPositionsLocked(LONGLONG* current, DWORD currentFlags, LONGLONG* stop, DWORD stopFlags)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    if (m_closed) return E_UNEXPECTED;
    if ((currentFlags & AM_SEEKING_AbsolutePositioning) && !current) return E_POINTER;
    if ((stopFlags & AM_SEEKING_AbsolutePositioning) && !stop) return E_POINTER;
    if (stopFlags & AM_SEEKING_AbsolutePositioning) m_stop = *stop > 0 ? *stop : 0;
    if (currentFlags & AM_SEEKING_AbsolutePositioning) {
        REFERENCE_TIME pos = std::max<LONGLONG>(*current, 0);
        ++m_flush;
        m_seekPending = true;
        m_seekPos = pos;
        m_origin = pos;
        m_position = pos;
        if (m_target == State_Paused) m_needCue = true;
    }
    m_ended = false;
    ++m_gen;
    m_cv.notify_all();
    return S_OK;
}

REFERENCE_TIME CPlaybackSession::StopTime() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_stop > 0 ? m_stop : m_duration;
}

std::wstring CPlaybackSession::LastError() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_error;
}

void CPlaybackSession::SetError(const std::wstring& text)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_error = text;
}

bool CPlaybackSession::HasWork() const
{
    if (m_quit) return true;
    if (m_target != m_applied) return true;
    if (m_target == State_Stopped) return false;
    return m_seekPending || (m_target == State_Paused && m_needCue) || (m_target == State_Running && !m_ended);
}

bool CPlaybackSession::TakeSnapshot(Snapshot& s)
{
    std::unique_lock<std::mutex> lk(m_mutex);
    m_cv.wait(lk, [this] { return HasWork(); });
    if (m_quit) return false;
    s.state = m_target;
    s.seek = m_seekPending && m_target != State_Stopped;
    s.seekPos = m_seekPos;
    s.stop = m_stop > 0 ? m_stop : kNoStop;
    s.origin = m_origin;
    s.gen = m_gen;
    s.flush = m_flush.load();
    s.cue = m_needCue;
    if (s.seek) m_seekPending = false;
    return true;
}

bool CPlaybackSession::Changed(uint64_t gen)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_gen != gen;
}

bool CPlaybackSession::WaitUntil(std::chrono::steady_clock::time_point when, uint64_t gen)
{
    std::unique_lock<std::mutex> lk(m_mutex);
    return !m_cv.wait_until(lk, when, [&] { return m_gen != gen; });
}

void CPlaybackSession::Worker()
{
    pthread_setname_np(pthread_self(), m_kind == SessionKind::Playback ? "km-playback" : "km-grab");
    // The device lives on this thread only, so no other thread keeps SDL state.
    if (m_hasAudio && FAILED(m_audio.Open(m_demux.AudioCodec()))) m_audio.Close();
    m_audio.SetPaused(true);
    Snapshot s{};
    while (TakeSnapshot(s)) {
        ApplyState(s);
        if (s.seek)
            DoSeek(s);
        else if (s.state == State_Paused && s.cue)
            Cue(s);
        else if (s.state == State_Running)
            StepRunning(s);
    }
    m_audio.Close();
    SDL_TLSCleanup();
}

REFERENCE_TIME CPlaybackSession::ClockNow()
{
    REFERENCE_TIME t = 0;
    if (m_applied == State_Running && m_audio.Clock(&t)) {
        m_clock.Sync(t);
        return t;
    }
    return m_clock.Now();
}

void CPlaybackSession::ApplyState(const Snapshot& s)
{
    if (s.state == m_applied) return;
    if (s.state == State_Running) {
        m_clock.Start(m_position.load());
        m_audio.SetPaused(false);
        m_runStart = std::chrono::steady_clock::now();
        m_nextReport = m_runStart;
        m_delivered = false;
        if (m_kind == SessionKind::Grab) m_demux.SetDeadline(m_runStart + m_grabLimit);
    } else {
        if (m_applied == State_Running) m_position = ClockNow();
        m_clock.Pause();
        m_audio.SetPaused(true);
        m_demux.SetDeadline(std::chrono::steady_clock::time_point::max());
        if (s.state == State_Stopped) {
            m_audio.Clear();
            m_pending.clear();
        }
    }
    m_applied = s.state;
}

void CPlaybackSession::DoSeek(const Snapshot& s)
{
    const REFERENCE_TIME target = s.seekPos;
    m_audio.Clear();
    m_pending.clear();
    m_videoDone = !m_hasVideo;
    m_audioDone = !m_audio.IsOpen();
    {
        __LockChangePos();
        m_position = target;
        __UnLockChangePos();
    }
    m_audio.SetPaused(true);
    // A key frame found by its index may decode to a later time than the index
    // says (delayed frames): then seek further back until a frame at or before
    // the target comes first.
    REFERENCE_TIME back = 0;
    for (;;) {
        REFERENCE_TIME seekTo = std::max<REFERENCE_TIME>(target - back, 0);
        if (FAILED(m_demux.Seek(seekTo)) && seekTo > 0) {
            SetError(m_demux.LastError());
            Finish(s, EC_ENGINE_FAILED, E_FAIL);
            return;
        }
        SeekResult r = DecodeTo(s, target, seekTo > 0);
        if (r == SeekResult::Abandoned) return;
        if (r != SeekResult::TooLate) break;
        back = back ? back * 2 : kUnitsPerSecond / 2;
    }
    // The clock starts at the target once the picture for it is ready.
    m_clock.Sync(target);
    if (m_applied == State_Running) m_audio.SetPaused(false);
    std::lock_guard<std::mutex> lk(m_mutex);
    m_ended = false;
    if (m_target == State_Paused) m_needCue = true;
}

bool CPlaybackSession::SeekOverridden()
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_quit || m_seekPending || m_target == State_Stopped;
}

bool CPlaybackSession::GrabExpired() const
{
    return m_kind == SessionKind::Grab && m_applied == State_Running && !m_delivered &&
           std::chrono::steady_clock::now() - m_runStart > m_grabLimit;
}

CPlaybackSession::SeekResult CPlaybackSession::DecodeTo(const Snapshot& s, REFERENCE_TIME target, bool mayRetry)
{
    // Decode up to the frame that is on screen at the target; the one after it
    // stays queued so that nothing is decoded twice.
    CDecodedFrame prev;
    bool havePrev = false;
    while (m_hasVideo) {
        CDecodedFrame f;
        HRESULT hr = m_demux.Next(f);
        if (SeekOverridden()) return SeekResult::Abandoned;  // a newer seek or a stop starts over
        if (SUCCEEDED(hr) && GrabExpired()) {
            SetError(EngineText(text::kNoPictureInTime));
            hr = E_ABORT;
        }
        if (FAILED(hr)) {
            if (hr != E_ABORT) SetError(m_demux.LastError());
            Finish(s, EC_ENGINE_FAILED, hr);
            return SeekResult::Abandoned;
        }
        if (hr != S_OK) {
            if (havePrev && target < prev.time + prev.duration) m_pending.push_back(std::move(prev));
            if (m_pending.empty()) {
                SetError(EngineText(text::kEndsBeforeTime));
                m_videoDone = true;
            }
            break;
        }
        if (!f.video) {
            QueueSound(s, f);
            continue;
        }
        if (f.time <= target) {
            prev = std::move(f);
            havePrev = true;
            continue;
        }
        if (!havePrev && mayRetry) {
            m_audio.Clear();
            return SeekResult::TooLate;
        }
        if (havePrev) m_pending.push_back(std::move(prev));
        m_pending.push_back(std::move(f));
        break;
    }
    return SeekResult::Done;
}

void CPlaybackSession::Cue(const Snapshot& s)
{
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        if (m_gen != s.gen) return;
        m_needCue = false;
    }
    if (m_pending.empty()) return;
    CDecodedFrame f = std::move(m_pending.front());
    m_pending.pop_front();
    Deliver(s, f, false);
}

void CPlaybackSession::QueueSound(const Snapshot& s, CDecodedFrame& f)
{
    if (m_audioDone) return;
    if (f.time >= s.stop) {
        m_audioDone = true;
        return;
    }
    m_audio.Queue(f.frame.get(), f.time, s.seekPos, s.stop);
}

HRESULT CPlaybackSession::FetchVideo(const Snapshot& s, CDecodedFrame& out)
{
    if (!m_pending.empty()) {
        out = std::move(m_pending.front());
        m_pending.pop_front();
        return S_OK;
    }
    for (;;) {
        if (m_videoDone && m_audioDone) return S_FALSE;
        // Sound alone: keep a little queued and report the position meanwhile.
        if (m_videoDone && m_audio.QueuedAhead() > kSoundAhead) {
            ReportPosition(s);
            if (!WaitUntil(std::chrono::steady_clock::now() + std::chrono::milliseconds(20), s.gen)) return E_ABORT;
            continue;
        }
        CDecodedFrame f;
        HRESULT hr = m_demux.Next(f);
        if (hr != S_OK) {
            if (FAILED(hr)) {
                SetError(m_demux.LastError());
                return hr;
            }
            m_videoDone = m_audioDone = true;
            return S_FALSE;
        }
        if (!f.video) {
            QueueSound(s, f);
            if (m_videoDone) ReportPosition(s);
            continue;
        }
        if (m_videoDone) continue;
        if (f.time >= s.stop) {
            m_videoDone = true;
            continue;
        }
        out = std::move(f);
        return S_OK;
    }
}

void CPlaybackSession::ReportPosition(const Snapshot& s)
{
    if (m_kind != SessionKind::Playback || m_hasVideo) return;
    auto now = std::chrono::steady_clock::now();
    if (now < m_nextReport) return;
    m_nextReport = now + kReportInterval;
    REFERENCE_TIME t = ClockNow();
    m_position = t;
    REFERENCE_TIME rel = t - s.origin;
    if (ComPtr<IFrameDraw> draw = m_sinks->Draw()) draw->UpdatePosition(&rel, 0);
}

void CPlaybackSession::StepRunning(const Snapshot& s)
{
    if (GrabExpired()) {
        SetError(EngineText(text::kNoPictureInTime));
        Finish(s, EC_ENGINE_FAILED, E_ABORT);
        return;
    }
    CDecodedFrame f;
    HRESULT hr = FetchVideo(s, f);
    if (hr == E_ABORT && Changed(s.gen)) return;
    if (FAILED(hr)) {
        Finish(s, EC_ENGINE_FAILED, hr);
        return;
    }
    if (hr == S_FALSE) {
        // Let the queued sound play out before the end is announced.
        while (m_audio.QueuedAhead() > 0) {
            ReportPosition(s);
            if (!WaitUntil(std::chrono::steady_clock::now() + std::chrono::milliseconds(10), s.gen)) return;
        }
        Finish(s, EC_COMPLETE, 0);
        return;
    }
    // Converted before the wait so that it is shown on time.
    if (FAILED(m_picture.Convert(f.frame.get()))) {
        SetError(EngineText(text::kPictureNotConvertedPlay));
        Finish(s, EC_ENGINE_FAILED, E_FAIL);
        return;
    }
    if (m_kind == SessionKind::Playback) {
        REFERENCE_TIME now = ClockNow();
        // Wait in short steps: the sound clock may move the target.
        while (now < f.time) {
            auto step = std::min<REFERENCE_TIME>(f.time - now, 200000);
            if (!WaitUntil(std::chrono::steady_clock::now() + std::chrono::nanoseconds(step * 100), s.gen)) {
                m_pending.push_front(std::move(f));
                return;
            }
            now = ClockNow();
        }
    }
    Deliver(s, f, true);
}

HRESULT CPlaybackSession::Deliver(const Snapshot& s, CDecodedFrame& f, bool converted)
{
    if (!f.frame) return S_FALSE;
    if (!converted) {
        HRESULT hr = m_picture.Convert(f.frame.get());
        if (FAILED(hr)) return hr;
    }
    {
        std::lock_guard<std::mutex> lk(m_deliverMutex);
        if (m_flush.load() != s.flush) return S_FALSE;  // stopped or sought meanwhile
        m_delivering = true;
    }
    CallSinks(s, f);
    {
        std::lock_guard<std::mutex> lk(m_deliverMutex);
        m_delivering = false;
    }
    m_deliverCv.notify_all();
    if (m_kind == SessionKind::Grab && m_sinks->OneShot()) Finish(s, EC_COMPLETE, 0);
    return S_OK;
}

void CPlaybackSession::CallSinks(const Snapshot& s, const CDecodedFrame& f)
{
    m_position = std::max(f.time, s.seekPos);
    m_delivered = true;
    if (m_kind == SessionKind::Playback) {
        REFERENCE_TIME rel = f.time - s.origin;
        if (ComPtr<IFrameDraw> draw = m_sinks->Draw())
            draw->DrawFrame(m_picture.FormatSize(), m_picture.Format(), m_picture.DataSize(), m_picture.Data(), &rel, 0);
        return;
    }
    LONG which = 0;
    if (ComPtr<ISampleGrabberCB> cb = m_sinks->Grabber(&which)) {
        double seconds = static_cast<double>(f.time - s.origin) / kUnitsPerSecond;
        if (which == 1) {
            cb->BufferCB(seconds, m_picture.Data(), static_cast<LONG>(m_picture.DataSize()));
        } else {
            CPlaybackSample sample(m_picture.Data(), static_cast<LONG>(m_picture.DataSize()));
            cb->SampleCB(seconds, &sample);
        }
    }
}

void CPlaybackSession::Finish(const Snapshot& s, LONG code, LONG_PTR param)
{
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        // A command that came meanwhile decides what happens next.
        if (m_gen != s.gen || m_ended) return;
        m_ended = true;
    }
    m_events.Post(code, param, 0);
}

}  // namespace mediaeng::playback
