#pragma once
// Base of the one preview player: the graph it holds, the frames and graph
// events the engine hands it, and the frame grabber that makes still pictures
// of video entries on a worker thread.
//
// Threads:
// - user-interface thread: every public operation, the grab cache (m_results),
//   the playback graph and its interfaces, the current entry, the sink.
// - the engine's streaming thread: DrawFrame and UpdatePosition (through
//   CFrameDrawImpl) stage the frame under m_csFrame and post it; AddSample
//   (through CFakeCallback) copies a grab's first sample under m_sampleMutex.
// - an engine thread: OnGraphNotify posts the graph's event note.
// - the grab worker ("km-grabber"), started by the first request: builds a
//   grab graph of its own per request, seeks, runs until the first sample,
//   the end of the graph (the engine's grab time limit bounds it), an abort
//   or shut-down, and posts the outcome. It never waits for the
//   user-interface thread; the user-interface thread never waits for a grab.
//
// Everything a worker or engine thread reports reaches the user-interface
// thread through the injected IUiPoster. Posted frames and events carry a
// generation tag; those of an earlier graph, entry or seek are dropped.
//
// Locks (none held while calling into the engine or a sink): m_csFrame
// (staged frame), m_csPosition (playback origin), the queue's lock
// (requests), m_sampleMutex (grab sample). Each is taken alone.
#include "engine/BufferData.h"
#include "engine/MsgMng.h"
#include "engine/PlaybackGraph.h"
#include "model/grab/FakeCallback.h"
#include "model/source/KMFile.h"
#include "platform/Sync.h"
#include "player/FrameDrawImpl.h"
#include "player/GrabQueue.h"
#include "player/PlayerCtrlImpl.h"
#include "player/PlayerFrame.h"
#include "player/UiPoster.h"
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

constexpr LONG kMsgGraphNotify = 0x478;  // WM_USER+120

class CVideoThumbnail : public CFakeCallback, public CFrameDrawImpl, public CErrorMng {
public:
    explicit CVideoThumbnail(IUiPoster& poster);
    ~CVideoThumbnail() override;
    CVideoThumbnail(const CVideoThumbnail&) = delete;
    CVideoThumbnail& operator=(const CVideoThumbnail&) = delete;

    // The grab sample of the worker's graph (streaming thread).
    void AddSample(double time, BYTE* buffer, LONG length) override;

    // Callbacks the player answers (user-interface thread).
    virtual void OnFrame(FRAME_RECORD* frame) = 0;
    virtual void OnComplete() = 0;
    virtual void NotifyState(int state) = 0;
    virtual void OnStopped() = 0;
    virtual void OnPaused() = 0;

    // Still picture of a video entry: 0 with *r filled when a result exists
    // (or the request was queued, or a conversion runs), 1 when refused.
    HRESULT RequestFrame(CKMFile* entry, FRAME_RECORD** r);
    CGrabResult* FindResult(CKMFile* entry);
    CGrabResult* FindCurrentResult() { return FindResult(m_pItem.get()); }
    // An empty result for the current entry (its playback frames land there)
    // and none of its requests left.
    void MarkItemResult();
    void RemoveItemRequests(CKMFile* entry) { m_queue.Remove(entry); }
    // Another entry is shown: grabs and requests of every other entry end.
    void KeepRequestsOf(CKMFile* entry) { m_queue.KeepOnly(entry); }
    void FreeResults();

    void CloseGraph();
    void AbortGrab();
    // Ends the running grab pass (its request ends unserved) and nothing else.
    void AbortPass();
    // Ends the grabber for good (the main frame closes).
    void StopAndHold();
    // Drains the playback graph's events (posted after each note).
    HRESULT PumpGraphEvents();

    // Grab worker state, for tests and the window code.
    size_t PendingRequests() const { return m_queue.PendingCount(); }
    bool HasRequestFor(CKMFile* entry) const { return m_queue.HasRequestFor(entry); }
    size_t ResultCount() const { return m_results.size(); }
    bool WorkerStarted() const { return m_worker.joinable(); }

    int m_bGraphReady = 0;
    CKMFile* GetItem() const { return m_pItem.get(); }

    // Play state as the controls show it; only the player's own operations
    // change it.
    int PlayState() const { return m_nState.load(); }  // 0 stopped, 1 paused, 2 running
    bool IsPlaying() const { return m_bPlaying != 0; }
    bool IsRewinding() const { return m_bRewind != 0; }
    bool IsSeekDragging() const { return m_bSeekDrag.load() != 0; }
    // Playback reached the end: the next play starts from the beginning.
    void MarkPlayEnded() { m_bRewind = 1; }
    // The control drags its seek thumb: positions of running playback are
    // not reported meanwhile.
    void BeginSeekDrag() { m_bSeekDrag = 1; }
    void EndSeekDrag() { m_bSeekDrag = 0; }

protected:
    int m_bRewind = 0;
    int m_bPlaying = 0;
    std::atomic<int> m_nState{0};       // 0 stopped, 1 paused, 2 running
    std::atomic<int> m_bSeekDrag{0};    // the control drags its seek thumb
    std::atomic<int> m_bConverting{0};  // a conversion runs

    struct EntryRef {
        void operator()(CKMFile* e) const { e->ReleaseEntry(); }
    };
    using ItemPtr = std::unique_ptr<CKMFile, EntryRef>;

    HRESULT OnDrawFrame(DWORD formatSize, const BYTE* format, DWORD dataSize, const BYTE* data,
                        const REFERENCE_TIME* time) override;
    HRESULT OnUpdatePosition(const REFERENCE_TIME* time) override;

    HRESULT QueryGraphInterfaces(bool hasVideo);
    void ReleaseGraphInterfaces();
    void SetItem(CKMFile* entry);
    // A new graph, entry or seek: staged frames and event notes of the old
    // one are dropped from now on.
    void NewFrameGeneration() { ++m_frameGen; }
    void NewGraphGeneration()
    {
        ++m_graphGen;
        ++m_frameGen;
    }
    uint64_t GraphGeneration() const { return m_graphGen.load(); }
    IGraphNotify* GraphNotify() { return &m_notify; }
    void Shutdown();
    static int64_t StopTimeOf(CKMFile* entry);

    IUiPoster& m_poster;
    std::shared_ptr<int> m_life = std::make_shared<int>(0);  // posted tasks check it
    ItemPtr m_pItem;
    IPlayerNotifyWnd* m_hGrabNotify = nullptr;
    ComPtr<IGraphBuilder> m_pGraph;
    ComPtr<IMediaSeeking> m_pSeeking;
    ComPtr<IMediaControl> m_pControl;
    ComPtr<IMediaEventEx> m_pEvent;
    ComPtr<IMediaEventSink> m_pEventSink;
    ComPtr<IBasicVideo> m_pBasicVideo;
    ComPtr<IVideoWindow> m_pVideoWindow;
    ComPtr<IFrameDraw> m_pDrawFilter;  // the stage our IFrameDraw is registered with
    CCriticalSection m_csPosition;
    int64_t m_llPosition = 0;  // playback origin, under m_csPosition
    std::atomic<int> m_bDrawEnabled{1};
    std::vector<GrabResultPtr> m_results;
    CMsgMng m_msg;

private:
    // Receives the graph's event notes on an engine thread.
    class CGraphNotify : public IGraphNotify {
    public:
        explicit CGraphNotify(CVideoThumbnail& owner) : m_owner(owner) {}
        HRESULT QueryInterface(REFIID iid, void** out) override;
        ULONG AddRef() override { return 1; }
        ULONG Release() override { return 1; }
        void OnGraphNotify(LONG msg, LONG_PTR instance) override;

    private:
        CVideoThumbnail& m_owner;
    };

    // A frame staged by the streaming thread for the user-interface thread.
    struct Staged {
        std::vector<BYTE> format, data;
        bool frame = false;       // a frame waits
        bool position = false;    // a position waits
        int64_t pos = 0;
        uint64_t gen = 0;         // of the frame
        uint64_t posGen = 0;      // of the position
        bool posted = false;      // a delivery task is queued
    };

    struct GrabOutcome;
    void Post(std::function<void()> task);
    void DeliverStaged();
    void StartWorker();
    void WorkerLoop();
    void ProcessRequests();
    void GrabOne(const GrabRequestPtr& q);
    HRESULT OpenGrabGraph(const GrabRequestPtr& q, ComPtr<IGraphBuilder>& graph, GrabOutcome& out);
    HRESULT GrabFrame(IGraphBuilder* graph, const GrabRequestPtr& q, GrabOutcome& out);
    void OnGrabDone(GrabOutcome& outcome);
    bool Aborted() const { return m_bAbortPass.load() || m_bStop.load(); }

    CGraphNotify m_notify{*this};
    std::atomic<uint64_t> m_frameGen{1};
    std::atomic<uint64_t> m_graphGen{1};
    std::mutex m_csFrame;
    Staged m_staged;

    CGrabQueue m_queue;
    std::thread m_worker;
    std::atomic<bool> m_bStop{false};
    std::atomic<bool> m_bAbortPass{false};
    std::mutex m_sampleMutex;
    std::condition_variable m_sampleCv;
    CBufferData m_sample;      // under m_sampleMutex
    bool m_sampleTaken = false;  // under m_sampleMutex: the first sample is in
    bool m_shutDown = false;
};
