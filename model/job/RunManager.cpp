#include "model/job/RunManager.h"
#include "platform/ClassRegistry.h"
#include "platform/KeepAwake.h"

CRunManager::CRunManager() = default;

CRunManager::~CRunManager()
{
    Stop();
}

HRESULT CRunManager::CreateJobObject(ComPtr<IConversionJob>& job)
{
    return CoCreateInstance(CLSID_ConversionJob, nullptr, kJobClassContext, IID_IConversionJob,
                            job.ReleaseAndGetVoidAddress());
}

void CRunManager::ReleaseJob()
{
    // Sources hold the job without a reference: unlink them before it goes.
    ResetMontageData();
    m_job = nullptr;
}

HRESULT CRunManager::CreateJob()
{
    if (m_job) ReleaseJob();
    HRESULT hr = CreateJobObject(m_job);
    if (SUCCEEDED(hr) && !m_job) hr = E_FAIL;
    if (SUCCEEDED(hr)) hr = m_job->Init(0);
    // An empty job is not run: nothing to convert, or nowhere to write it.
    if (SUCCEEDED(hr)) hr = TransferInputs();
    if (SUCCEEDED(hr)) hr = TransferOutput();
    if (FAILED(hr)) {
        if (m_job) ReleaseJob();
        return hr;
    }
    return S_OK;
}

HRESULT CRunManager::Run()
{
    if (m_runState == kRunning) return S_FALSE;
    CKeepAwake::Request();
    HRESULT hr = S_OK;
    if (m_runState == kIdle || !m_job) hr = CreateJob();
    if (SUCCEEDED(hr)) hr = m_job->Run(0, 0, 0, __GetMessageHandler());
    if (FAILED(hr)) {
        // A start that failed leaves nothing running: no job, no keep-awake.
        if (m_runState == kIdle) {
            if (m_job) {
                m_job->Stop();
                ReleaseJob();
            }
            CKeepAwake::Release();
        }
        return hr;
    }
    m_runState = kRunning;
    return hr;
}

HRESULT CRunManager::Stop()
{
    if (m_job) m_job->Stop();
    m_runState = kIdle;
    if (m_job) ReleaseJob();
    CKeepAwake::Release();
    return S_OK;
}
