#include "TransferFixture.h"

namespace jobfakes {

TestProject::TestProject()
{
    for (CParametersObj& o : outputs) o.is_create = 0;
}

TestProject::~TestProject()
{
    Stop();
}

ComPtr<Job> TestProject::AttachJob(int profiles)
{
    ComPtr<Job> job = MakeComObject<Job>(log);
    for (int i = 0; i < profiles; ++i) job->AddProfile(1);
    m_job = ComPtr<IConversionJob>(job.Get());
    return job;
}

HRESULT TestProject::CreateJobObject(ComPtr<IConversionJob>& job)
{
    if (FAILED(createResult)) return createResult;
    ComPtr<Job> next;
    if (!nextJobs.empty()) {
        next = nextJobs.front();
        nextJobs.erase(nextJobs.begin());
    } else {
        next = MakeComObject<Job>(log);
        next->AddProfile(1);
    }
    lastJob = next.Get();
    job = ComPtr<IConversionJob>(next.Get());
    return S_OK;
}

}  // namespace jobfakes
