#pragma once
// The conversion job's runner (the IConversionRunner seam of the job object):
// Init reads nothing yet; Run reads the job's tree into run settings and starts
// the batch, or resumes a paused one; Pause, Stop, Wait and the state are the
// batch runner's. Registered with the job class by EngineInitialize.
#include "engine/ConversionJob.h"
#include "mediaeng/job/run/BatchRunner.h"

namespace mediaeng::job {

class CConversionRunner final : public IConversionRunner {
public:
    explicit CConversionRunner(IConversionJob* job);

    HRESULT Init(LONG flags) override;
    HRESULT Run(LONG a, LONG b, LONG c, IMsgHandler* handler) override;
    HRESULT Pause() override;
    HRESULT Stop() override;
    LONG GetState() override;
    HRESULT Wait(DWORD ms) override;
    HRESULT GetResult() override;

private:
    IConversionJob* m_job;  // owns this runner; not counted
    CBatchRunner m_batch;
};

// The engine's runner factory (see mediaeng/classes/EngineClasses.cpp).
std::unique_ptr<IConversionRunner> MakeConversionRunner(IConversionJob* job);

}  // namespace mediaeng::job
