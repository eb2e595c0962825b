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
    // of any step (also a job with no source or no output to write) leaves no
    // job held; the transfer's reason is in the log.
    HRESULT CreateJob();
    // Starts (from idle) or resumes (from paused) the job with the registered
    // message handler, keeping the system awake; S_FALSE and nothing done while
    // running. A failed start releases the job and the keep-awake request.
    HRESULT Run();
    // Stops and releases a held job, back to idle, lets the system sleep. S_OK.
    HRESULT Stop();

    DWORD m_runState = kIdle;

protected:
    // In-process server and handler, local and remote server.
    static constexpr DWORD kJobClassContext = 23;

    // Makes the engine's job object; tests put a double here.
    virtual HRESULT CreateJobObject(ComPtr<IConversionJob>& job);

private:
    void ReleaseJob();
};
