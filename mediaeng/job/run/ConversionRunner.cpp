#include "mediaeng/job/run/ConversionRunner.h"
#include "mediaeng/core/EngineTexts.h"
#include "mediaeng/job/transcode/FrameChainEdit.h"
#include "mediaeng/job/operations/JobMessages.h"
#include "mediaeng/job/settings/JobTreeReader.h"

using mediaeng::EngineText;
using mediaeng::EngineTextUtf8;

namespace mediaeng::job {

std::unique_ptr<IConversionRunner> MakeConversionRunner(IConversionJob* job)
{
    return std::make_unique<CConversionRunner>(job);
}

CConversionRunner::CConversionRunner(IConversionJob* job) : m_job(job), m_batch(job) {}

HRESULT CConversionRunner::Init(LONG)
{
    return S_OK;
}

HRESULT CConversionRunner::Run(LONG, LONG, LONG, IMsgHandler* handler)
{
    const EBatchState state = m_batch.State();
    if (state == EBatchState::kPaused || state == EBatchState::kRunning) return m_batch.Start(CJobSettings(), handler);
    CJobSettings settings;
    std::wstring error;
    const HRESULT hr = ReadJobTree(m_job, settings, error);
    if (FAILED(hr)) {
        CJobMessages(handler).FileError(EngineText(text::kTheJob), error);
        return hr;
    }
    ComPtr<IEngineNode> format = FirstFormatNodeOf(m_job);
    m_batch.SetEditFactory([chain = CFrameChainSettings::Read(format.Get())] {
        return chain.MakeStage();
    });
    return m_batch.Start(settings, handler);
}

HRESULT CConversionRunner::Pause()
{
    return m_batch.Pause();
}

HRESULT CConversionRunner::Stop()
{
    return m_batch.Stop();
}

LONG CConversionRunner::GetState()
{
    switch (m_batch.State()) {
    case EBatchState::kRunning: return JOB_RUNNING;
    case EBatchState::kPaused: return JOB_PAUSED;
    case EBatchState::kDone: return JOB_DONE;
    default: return JOB_IDLE;
    }
}

HRESULT CConversionRunner::Wait(DWORD ms)
{
    return m_batch.Wait(ms);
}

HRESULT CConversionRunner::GetResult()
{
    return m_batch.Result();
}

}  // namespace mediaeng::job
