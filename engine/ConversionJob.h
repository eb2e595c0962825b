#pragma once
// The conversion job (CLSID_ConversionJob). Created with CoCreateInstance, it
// owns its settings tree at once (see JobTree.h for names, defaults and
// units); Init/Run/Pause/Stop are carried out by the conversion runner.
//
// Seam with mediaeng/job/: the job object forwards Init, Run, Pause, Stop,
// GetState and Wait to an IConversionRunner made by the factory registered
// with SetConversionRunnerFactory; the engine's own (mediaeng/job/) is
// installed by EngineInitialize, which the getter and setter run first. The
// runner is made on the first Init (or Run without Init), lives inside the job
// and is destroyed before the tree; it holds the job without a reference.
// Without a registered factory Init succeeds and Run answers E_NOTIMPL.
#include "engine/EngineNode.h"
#include "engine/MsgMng.h"
#include <memory>

// Run states of GetState.
enum : LONG { JOB_IDLE = 0, JOB_RUNNING = 1, JOB_PAUSED = 2, JOB_DONE = 3 };

struct IConversionJob : IUnknown {
    static constexpr const GUID& kIID = IID_IConversionJob;
    virtual HRESULT GetRoot(IEngineNode** root) = 0;           // 3 the tree's root node
    virtual HRESULT GetState(LONG* state) = 0;                 // 4
    // Waits up to ms for a run to end: S_OK ended (or none), S_FALSE still running.
    virtual HRESULT Wait(DWORD ms) = 0;                        // 5
    virtual HRESULT GetFilesNode(IFilesNode** files) = 0;      // 6
    virtual HRESULT GetProfiles(IEngineCollection** profiles) = 0;  // 7
    virtual HRESULT GetResult(HRESULT* result) = 0;            // 8 outcome of the last run
    virtual HRESULT Init(LONG flags) = 0;                      // 9 flags are 0
    // Starts (or resumes) the run on a worker thread; reports through handler.
    virtual HRESULT Run(LONG a, LONG b, LONG c, IMsgHandler* handler) = 0;  // 10
    virtual HRESULT Pause() = 0;                               // 11
    virtual HRESULT Stop() = 0;                                // 12 waits for the worker

protected:
    ~IConversionJob() = default;
};

// The part of a job that runs it; implemented in mediaeng/job/.
class IConversionRunner {
public:
    virtual ~IConversionRunner() = default;  // must stop and join its worker
    virtual HRESULT Init(LONG flags) = 0;
    virtual HRESULT Run(LONG a, LONG b, LONG c, IMsgHandler* handler) = 0;
    virtual HRESULT Pause() = 0;
    virtual HRESULT Stop() = 0;
    virtual LONG GetState() = 0;
    virtual HRESULT Wait(DWORD ms) = 0;
    virtual HRESULT GetResult() = 0;
};

// job: the job being run (not AddRef'd: the runner lives inside it).
using ConversionRunnerFactory = std::unique_ptr<IConversionRunner> (*)(IConversionJob* job);
void SetConversionRunnerFactory(ConversionRunnerFactory factory);
ConversionRunnerFactory GetConversionRunnerFactory();
