#pragma once
// The conversion job object: the root of the settings tree, which hands its
// run to the registered IConversionRunner (see engine/ConversionJob.h).
#include "engine/ConversionJob.h"
#include "mediaeng/core/EngineObjects.h"
#include <memory>
#include <mutex>

namespace mediaeng {

class CConversionJob final : public CEngineNode, public IConversionJob {
public:
    CConversionJob();
    ~CConversionJob() override;

    HRESULT QueryInterface(REFIID iid, void** out) override;
    ULONG AddRef() override { return CEngineNode::AddRef(); }
    ULONG Release() override { return CEngineNode::Release(); }

    HRESULT GetRoot(IEngineNode** root) override;
    HRESULT GetState(LONG* state) override;
    HRESULT Wait(DWORD ms) override;
    HRESULT GetFilesNode(IFilesNode** files) override;
    HRESULT GetProfiles(IEngineCollection** profiles) override;
    HRESULT GetResult(HRESULT* result) override;
    HRESULT Init(LONG flags) override;
    HRESULT Run(LONG a, LONG b, LONG c, IMsgHandler* handler) override;
    HRESULT Pause() override;
    HRESULT Stop() override;

private:
    IConversionRunner* Runner();          // made on first use
    IConversionRunner* ExistingRunner();  // null when none was made

    std::mutex m_runnerMutex;
    std::unique_ptr<IConversionRunner> m_runner;
};

}  // namespace mediaeng
