#include "controls/editors/WatermarkEngineImpl.h"

#include "model/edit/WatermarksObj.h"
#include "model/job/JobTreeAccess.h"
#include "model/source/PropertyAccess.h"
#include "platform/ClassRegistry.h"

namespace {
// In-process, local server, remote server (as the conversion creates its job).
constexpr DWORD kContainerContext = 0x17;
}  // namespace

ComPtr<IEngineCollection> GetWatermarksCollection(IUnknown* node)
{
    return node ? QueryCollection(GetNodeItem(node, L"Watermarks").Get()) : nullptr;
}

CWatermarkEngineImpl::~CWatermarkEngineImpl()
{
    m_engine.FreeAll();
    m_job = nullptr;
}

HRESULT CWatermarkEngineImpl::ResetList()
{
    m_engine.FreeAll();
    m_job = nullptr;
    ComPtr<IConversionJob> job;
    HRESULT hr = CoCreateInstance(CLSID_ConversionJob, nullptr, kContainerContext, IID_IConversionJob,
                                  job.ReleaseAndGetVoidAddress());
    if (SUCCEEDED(hr) && !job)
        hr = E_FAIL;
    if (FAILED(hr))
        return hr;
    m_job = job;
    m_job->Init(0);
    LoadWatermarks();
    return S_OK;
}

ComPtr<IUnknown> CWatermarkEngineImpl::GetFormatNode() const
{
    ComPtr<IUnknown> result;
    ComPtr<IEngineCollection> profiles = m_job ? GetProfilesNode(m_job.Get()) : nullptr;
    LONG count = 0;
    if (!profiles || FAILED(profiles->GetCount(&count)))
        return nullptr;
    for (LONG i = 0; i < count; ++i) {
        ComPtr<IUnknown> profile;
        if (FAILED(profiles->GetItem(i, profile.ReleaseAndGetAddressOf())) || !profile)
            continue;
        ComPtr<IEngineCollection> formats = QueryCollection(GetNodeItem(profile.Get(), L"Formats").Get());
        LONG formatCount = 0;
        if (!formats || FAILED(formats->GetCount(&formatCount)) || formatCount == 0)
            continue;
        ComPtr<IUnknown> format;
        if (SUCCEEDED(formats->GetItem(i, format.ReleaseAndGetAddressOf())) && format)
            result = format;
    }
    return result;
}

void CWatermarkEngineImpl::LoadWatermarks()
{
    ComPtr<IUnknown> node = GetFormatNode();
    if (ComPtr<IEngineCollection> coll = GetWatermarksCollection(node.Get()))
        coll->RemoveAll();
    if (m_pSource && node) {
        for (DWORD i = 0; i < m_pSource->GetCount(); ++i)
            m_pSource->GetAt(i)->CreateEngineWatermark(node.Get(), 1);
    }
    m_engine.SetProperty(node.Get(), nullptr, nullptr, nullptr, 1);
}

void CWatermarkEngineImpl::ResyncEngine()
{
    m_engine.FreeAll();
    m_engine.SetProperty(GetFormatNode().Get(), nullptr, nullptr, nullptr, 1);
}

bool CWatermarkEngineImpl::MoveBy(IUnknown* item, LONG step)
{
    ComPtr<IEngineCollection> coll = GetWatermarksCollection(GetFormatNode().Get());
    LONG count = 0, index = -1;
    if (!coll || !item || FAILED(coll->GetCount(&count)) || FAILED(coll->IndexOf(item, &index)) || index < 0)
        return false;
    const LONG target = index + step;
    if (target < 0 || target >= count)
        return false;
    ComPtr<IUnknown> keep(item);  // the collection's reference goes with Remove
    if (FAILED(coll->Remove(index)) || FAILED(coll->Insert(target, keep.Get())))
        return false;
    ResyncEngine();
    return true;
}

bool CWatermarkEngineImpl::MoveUp(IUnknown* item) { return MoveBy(item, -1); }
bool CWatermarkEngineImpl::MoveDown(IUnknown* item) { return MoveBy(item, +1); }

HRESULT CWatermarkEngineImpl::DrawInto(DWORD* cbFormat, BYTE** pFormat, DWORD* cbData, BYTE** pData,
                                       const RECT& image, double scale)
{
    if (scale <= 0)
        scale = 1.0;
    m_engine.SetImageSize(image, scale, SIZE{image.right - image.left, image.bottom - image.top});
    // The picture's top-left pixel sits at the image corner: the records come
    // out in client pixels while the pixels land in the picture.
    tag_DRAW_WATERMARK_INFO info;
    info.nOriginX = image.left;
    info.nOriginY = image.top;
    info.bIgnoreTiming = 1;
    info.dZoom = 1.0 / scale;
    return m_engine.Draw(cbFormat, pFormat, cbData, pData, &info);
}
