#include "mediaeng/core/ConversionJobImpl.h"
#include "engine/JobTreeKeys.h"
#include "mediaeng/core/JobTree.h"

namespace mediaeng {

CConversionJob::CConversionJob() : CEngineNode(L"Job")
{
    Child(jobkey::Files, MakeComObject<CEngineNode>(jobkey::Files, NODE_FILES));
    Prop(jobkey::FilesLeftOut, CVariant(int32_t{0}));
    ComPtr<CEngineNode> profiles = MakeComObject<CEngineNode>(jobkey::Profiles, NODE_COLLECTION);
    profiles->SetItemFactory([] { return ComPtr<IUnknown>(static_cast<IEngineNode*>(MakeProfileNode().Detach()), false); });
    profiles->Add(static_cast<IEngineNode*>(MakeProfileNode().Get()));
    Child(jobkey::Profiles, profiles);
}

CConversionJob::~CConversionJob()
{
    // The runner's worker reads the tree: it goes first (joined by its
    // destructor, with no lock of ours held).
    m_runner.reset();
}

HRESULT CConversionJob::QueryInterface(REFIID iid, void** out)
{
    if (iid == IID_IConversionJob) {
        if (!out) return E_POINTER;
        *out = static_cast<IConversionJob*>(this);
        AddRef();
        return S_OK;
    }
    return CEngineNode::QueryInterface(iid, out);
}

IConversionRunner* CConversionJob::Runner()
{
    std::lock_guard<std::mutex> lk(m_runnerMutex);
    if (!m_runner)
        if (ConversionRunnerFactory factory = GetConversionRunnerFactory()) m_runner = factory(this);
    return m_runner.get();
}

HRESULT CConversionJob::GetRoot(IEngineNode** root)
{
    if (!root) return E_POINTER;
    *root = static_cast<IEngineNode*>(this);
    AddRef();
    return S_OK;
}

IConversionRunner* CConversionJob::ExistingRunner()
{
    std::lock_guard<std::mutex> lk(m_runnerMutex);
    return m_runner.get();
}

// The runner, once made, lives as long as the job: calls into it are made
// without the mutex, so its worker may ask the job anything while Stop or
// Wait joins it.
HRESULT CConversionJob::GetState(LONG* state)
{
    if (!state) return E_POINTER;
    IConversionRunner* runner = ExistingRunner();
    *state = runner ? runner->GetState() : JOB_IDLE;
    return S_OK;
}

HRESULT CConversionJob::Wait(DWORD ms)
{
    IConversionRunner* runner = ExistingRunner();
    return runner ? runner->Wait(ms) : S_OK;
}

HRESULT CConversionJob::GetFilesNode(IFilesNode** files)
{
    if (!files) return E_POINTER;
    *files = nullptr;
    ComPtr<IUnknown> item;
    CEngineNode::GetItem(jobkey::Files, item.ReleaseAndGetAddressOf());
    return item ? item->QueryInterface(IID_IFilesNode, reinterpret_cast<void**>(files)) : E_FAIL;
}

HRESULT CConversionJob::GetProfiles(IEngineCollection** profiles)
{
    if (!profiles) return E_POINTER;
    *profiles = nullptr;
    ComPtr<IUnknown> item;
    CEngineNode::GetItem(jobkey::Profiles, item.ReleaseAndGetAddressOf());
    return item ? item->QueryInterface(IID_IEngineCollection, reinterpret_cast<void**>(profiles)) : E_FAIL;
}

HRESULT CConversionJob::GetResult(HRESULT* result)
{
    if (!result) return E_POINTER;
    IConversionRunner* runner = ExistingRunner();
    *result = runner ? runner->GetResult() : S_OK;
    return S_OK;
}

HRESULT CConversionJob::Init(LONG flags)
{
    IConversionRunner* runner = Runner();
    return runner ? runner->Init(flags) : S_OK;
}

HRESULT CConversionJob::Run(LONG a, LONG b, LONG c, IMsgHandler* handler)
{
    IConversionRunner* runner = Runner();
    return runner ? runner->Run(a, b, c, handler) : E_NOTIMPL;
}

HRESULT CConversionJob::Pause()
{
    IConversionRunner* runner = Runner();
    return runner ? runner->Pause() : S_FALSE;
}

HRESULT CConversionJob::Stop()
{
    IConversionRunner* runner = ExistingRunner();
    return runner ? runner->Stop() : S_OK;
}

}  // namespace mediaeng
