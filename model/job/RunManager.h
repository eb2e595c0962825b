#pragma once
// One run of the engine's conversion job for the project: creates and fills
// the job, runs, resumes and stops it, and keeps the system awake meanwhile.
// The document also reads and writes m_runState and m_job directly (pause,
// end of run).
#include "model/job/ParametersTransfer.h"

class CRunManager : public CParametersTransfer {
public:
    enum : DWORD { kIdle = 0, kRunning = 1, kPaused = 2 };

    CRunManager();
    // Stops a held job.
    ~CRunManager() override;

    // Creates the job, initialises it and fills it from the project. A failure
    // leaves no job held.
    HRESULT CreateJob();
    // Starts (from idle) or resumes (from paused) the job with the registered
    // message handler; does nothing while running.
    HRESULT Run();
    // Stops and releases a held job, back to idle, lets the system sleep. S_OK.
    HRESULT Stop();

    DWORD m_runState = kIdle;

protected:
    // Makes the engine's job object; tests put a double here.
    virtual HRESULT CreateJobObject(ComPtr<IConversionJob>& job);
};
