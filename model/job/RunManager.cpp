#include "model/job/RunManager.h"
#include "platform/ClassRegistry.h"

CRunManager::CRunManager() = default;

CRunManager::~CRunManager()
{
    Stop();
}

HRESULT CRunManager::CreateJobObject(ComPtr<IConversionJob>& job)
{
    return CoCreate(CLSID_ConversionJob, job);
}

HRESULT CRunManager::CreateJob() { return E_NOTIMPL; }
HRESULT CRunManager::Run() { return E_NOTIMPL; }

HRESULT CRunManager::Stop()
{
    if (m_job)
        m_job->Stop();
    m_runState = kIdle;
    m_job = nullptr;
    return S_OK;
}
