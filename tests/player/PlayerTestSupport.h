#pragma once
// Doubles for the player's tests: a poster whose queue the test drains as its
// user-interface thread, a recording control, and a media source whose
// playback and grab graphs are scripted.
#include "engine/MediaSourceGraph.h"
#include "engine/PlaybackGrabber.h"
#include "fixtures/QueuePoster.h"
#include "player/Player.h"
#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace ptest {

using namespace std::chrono_literals;
constexpr int64_t kSecond = 10000000;

using kmtest::CQueuePoster;

// Records what the player tells its control. OnPlayEnd sets the player's
// rewind flag, as the preview control does.
class CRecordingCtrl : public CPlayerCtrlImpl, public IPlayerNotifyWnd {
public:
    explicit CRecordingCtrl(CPlayer& player) : m_player(player) {}
    void OnFrame(FRAME_RECORD* frame) override;
    void OnPlayEnd() override;
    void OnPositionChanged() override { ++positionChanged; }
    void OnPaused() override { ++paused; }
    void OnPlayStateChanged(int state) override { states.push_back(state); }
    void Redraw() override { ++redraws; }
    void ResetButtons() override {}
    void OnPlayerMessage(unsigned msg, uintptr_t, intptr_t) override { messages.push_back(msg); }

    int frames = 0, playEnds = 0, positionChanged = 0, paused = 0, redraws = 0;
    std::vector<int> states;
    std::vector<unsigned> messages;
    std::vector<BYTE> lastFormat, lastData;
    uint64_t checksum = 0;  // every byte of every frame is read

private:
    CPlayer& m_player;
};

// One scripted graph: playback (frames come from the test through the
// registered IFrameDraw) or grab (Run hands a sample or ends).
struct GraphScript {
    enum GrabMode { Sample, EndWithoutSample, Hang } grab = Sample;
    std::vector<BYTE> sample;  // bytes of the grab's sample
};

class CFakeGraph;

class CFakeSource : public CComObjectBase<IMediaSourceGraph> {
public:
    HRESULT Open(IMsgHandler*) override { return S_OK; }
    HRESULT ContinueOpen(IProgressImpl*) override { return S_OK; }
    HRESULT BuildGraph(LONG forPlayback, IUnknown** graph) override;
    HRESULT ReadFrame(REFERENCE_TIME, void*, BYTE**, DWORD*, BYTE**) override { return E_NOTIMPL; }
    HRESULT GetDuration(REFERENCE_TIME*) override { return E_NOTIMPL; }
    HRESULT IsOpen(BOOL*) override { return E_NOTIMPL; }
    HRESULT GetLastError(BSTR*) override { return E_NOTIMPL; }
    HRESULT Close() override { return S_OK; }
    HRESULT ReleaseGraph() override { return S_OK; }
    HRESULT ResetAfterJob(LONG, LONG) override { return S_OK; }

    HRESULT buildResult = S_OK;       // a failure sets buildError as the thread's engine error
    std::wstring buildError = L"cannot open the fake";
    GraphScript script;
    std::function<void()> beforeGrabBuild;  // runs on the worker (a gate)
    std::atomic<int> playbackBuilds{0}, grabBuilds{0};
    ComPtr<CFakeGraph> lastPlayback;  // the last playback graph built
    ComPtr<CFakeGraph> lastGrab;      // the last grab graph built
    std::mutex mutex;
};

class CFakeGraph : public CComObjectBase<IGraphBuilder, IMediaControl, IMediaSeeking, IMediaEventEx,
                                         IMediaEventSink, IBasicVideo, IVideoWindow> {
public:
    CFakeGraph(bool playback, GraphScript script) : m_playback(playback), m_script(std::move(script)) {}

    // IGraphBuilder
    HRESULT FindFilterByName(const wchar_t* name, IBaseFilter** filter) override;
    HRESULT SetDefaultSyncSource() override { return S_OK; }
    // IMediaControl
    HRESULT Run() override;
    HRESULT Pause() override;
    HRESULT Stop() override;
    HRESULT GetState(LONG, LONG* state) override;
    // IMediaSeeking
    HRESULT SetPositions(LONGLONG* current, DWORD, LONGLONG* stop, DWORD) override;
    HRESULT GetCurrentPosition(LONGLONG*) override { return E_NOTIMPL; }
    HRESULT GetStopPosition(LONGLONG*) override { return E_NOTIMPL; }
    HRESULT GetDuration(LONGLONG*) override { return E_NOTIMPL; }
    HRESULT SetRate(double) override { return S_OK; }
    HRESULT GetRate(double*) override { return E_NOTIMPL; }
    // IMediaEventEx
    HRESULT GetEvent(LONG* code, LONG_PTR* p1, LONG_PTR* p2, LONG msTimeout) override;
    HRESULT FreeEventParams(LONG, LONG_PTR, LONG_PTR) override { return S_OK; }
    HRESULT SetNotifyWindow(IGraphNotify* notify, LONG msg, LONG_PTR instance) override;
    // IMediaEventSink: queues and notes the event, as the engine does.
    HRESULT Notify(LONG code, LONG_PTR p1, LONG_PTR p2) override;

    // IBasicVideo, IVideoWindow: accepted and ignored.
    HRESULT GetVideoSize(LONG*, LONG*) override { return E_NOTIMPL; }
    HRESULT get_AvgTimePerFrame(REFERENCE_TIME*) override { return E_NOTIMPL; }
    HRESULT put_Owner(LONG_PTR) override { return S_OK; }
    HRESULT put_MessageDrain(LONG_PTR) override { return S_OK; }
    HRESULT put_WindowStyle(LONG) override { return S_OK; }
    HRESULT SetWindowPosition(LONG, LONG, LONG, LONG) override { return S_OK; }
    HRESULT put_Visible(LONG) override { return S_OK; }
    HRESULT SetWindowForeground(LONG) override { return S_OK; }

    // Queues an event without its note (as if the note were still on its way).
    void QueueEvent(LONG code);
    // The player's frame sink as the picture stage holds it.
    IFrameDraw* Draw();
    // The note registration, to replay a late note of this graph.
    std::pair<IGraphNotify*, LONG_PTR> NoteTarget();

    std::atomic<LONG> state{State_Stopped};
    std::atomic<int> runs{0}, pauses{0}, stops{0};
    std::vector<int64_t> seeks;  // under mutex
    int64_t lastStop = -1;
    int filterMode = 0;
    std::mutex mutex;

private:
    friend class CFakePicture;
    friend class CFakeGrabber;
    const bool m_playback;
    GraphScript m_script;
    ComPtr<IFrameDraw> m_draw;
    ComPtr<ISampleGrabberCB> m_grabCb;
    std::deque<LONG> m_events;
    ComPtr<IGraphNotify> m_notify;
    LONG_PTR m_instance = 0;
};

// An entry of the given kind over a fake source (duration 10 s).
CKMFilePtr MakeVideoEntry(const ComPtr<CFakeSource>& source, const std::wstring& name = L"clip.mp4");

// A 24-bit bottom-up header for a picture of w x h.
std::vector<BYTE> MakeFormat(int w, int h);

// Runs body on a thread; a body that does not end within limit fails and
// ends the process (a hang would stall the suite).
void WithWatchdog(std::chrono::milliseconds limit, const std::function<void()>& body);

}  // namespace ptest
