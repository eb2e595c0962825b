#pragma once
// Runs a conversion batch on a worker thread of its own: each source to its
// own output, messages and progress to the handler. A plain batch converts
// two files at a time (three on a machine with many cores), since one file
// leaves cores idle; the messages still come as one file after another would
// send them (COrderedReport). Start returns at once; Pause holds the work
// between frames and Start resumes it; Stop ends it promptly and joins the
// worker.
//
// Threads: the caller's (Start, Pause, Stop, Wait), the worker "km-convert",
// which names and starts the files in order, a thread per file being
// converted ("km-convert-N", joined by the worker) and per file its reading
// thread. Lock order: m_mutex guards the state only; it is never held while
// calling the handler, joining, or touching CRunControl (whose own lock is a
// leaf). The handler hears from the worker alone.
#include "mediaeng/job/transcode/FrameEditStage.h"
#include "mediaeng/job/settings/JobSettings.h"
#include "mediaeng/job/transcode/RunControl.h"
#include "engine/MsgMng.h"
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace mediaeng::job {

enum class EBatchState { kIdle, kRunning, kPaused, kDone };

class CBatchRunner {
public:
    // Makes the edit stage of a run; null gives pictures unchanged.
    using EditFactory = std::function<std::unique_ptr<IFrameEditStage>()>;

    // keepAlive (optional) is held with a reference while the final message is
    // sent, so a handler that releases the owner then cannot pull this object
    // away under the worker.
    explicit CBatchRunner(IUnknown* keepAlive = nullptr);
    ~CBatchRunner();
    CBatchRunner(const CBatchRunner&) = delete;
    CBatchRunner& operator=(const CBatchRunner&) = delete;

    void SetEditFactory(EditFactory factory) { m_editFactory = std::move(factory); }

    // Starts a run of settings, or resumes a paused one (settings then unused).
    HRESULT Start(const CJobSettings& settings, IMsgHandler* handler);
    HRESULT Pause();
    HRESULT Stop();
    EBatchState State() const;
    // S_OK when no run is going (any more), S_FALSE when still running after ms.
    HRESULT Wait(unsigned ms);
    // S_OK after a run whose outputs were all written, S_FALSE when some failed,
    // E_ABORT after a stop.
    HRESULT Result() const;

private:
    void Work(IMsgHandler* handler);
    // The files of a plain batch; returns how many were written.
    int ConvertPlain(const class CJobMessages& msg);
    bool ConvertOne(size_t index, const std::filesystem::path& target, IFrameEditStage& edit,
                    class COrderedReport& report, bool& stopped);
    static unsigned FilesAtOnce(size_t files);
    void JoinWorker();

    IUnknown* m_keepAlive;
    EditFactory m_editFactory;
    CJobSettings m_settings;
    CRunControl m_control;
    std::thread m_worker;
    std::thread::id m_workerId;
    mutable std::mutex m_mutex;
    std::condition_variable m_ended;
    EBatchState m_state = EBatchState::kIdle;
    bool m_running = false;  // the worker has not finished yet
    HRESULT m_result = S_OK;
};

}  // namespace mediaeng::job
