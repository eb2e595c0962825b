#include "engine/GalleriesMng.h"
#include "engine/EngineNode.h"
#include "mediaeng/core/EngineObjects.h"

using mediaeng::CEngineNode;

namespace {

constexpr double kUnitsPerSecond = 10000000.0;

ComPtr<IUnknown> OwnerOf(IUnknown* object)
{
    ComPtr<IUnknown> owner;
    if (ComPtr<IMediaItem> item = ComPtr<IUnknown>(object).As<IMediaItem>())
        if (FAILED(item->GetOwner(owner.ReleaseAndGetAddressOf()))) owner = nullptr;
    return owner;
}

ComPtr<IUnknown> ChildOf(IUnknown* object, const wchar_t* name)
{
    ComPtr<IUnknown> child;
    if (ComPtr<IEngineNode> node = ComPtr<IUnknown>(object).As<IEngineNode>())
        if (FAILED(node->GetItem(name, child.ReleaseAndGetAddressOf()))) child = nullptr;
    return child;
}

// The "Items" collection under the profile's "GalleryData".
ComPtr<IEngineCollection> GalleryItems(IUnknown* profile)
{
    ComPtr<IEngineProperty> data = ChildOf(profile, L"GalleryData").As<IEngineProperty>();
    if (!data) return nullptr;
    ComPtr<IUnknown> holder;
    if (FAILED(data->GetChildNode(holder.ReleaseAndGetAddressOf()))) return nullptr;
    return ChildOf(holder.Get(), L"Items").As<IEngineCollection>();
}

LONG SourceIndexOf(IUnknown* range)
{
    CVariant v;
    if (ComPtr<IEngineNode> node = ComPtr<IUnknown>(range).As<IEngineNode>()) node->GetValue(L"SourceIndex", &v);
    return v.AsInt(-1);
}

}  // namespace

CGalleryItemBase::CGalleryItemBase(IUnknown* source, LONG index) : m_source(source), m_index(index) {}

CGalleryItemBase::~CGalleryItemBase()
{
    SysFreeString(m_doneText);
}

LONGLONG CGalleryItemBase::GetDisplayStartTime(int) { return m_start; }
LONGLONG CGalleryItemBase::GetDisplayEndTime() { return m_end; }

HRESULT CGalleryItemBase::SetDisplayTime(LONGLONG start, LONGLONG end, int)
{
    m_start = start;
    m_end = end;
    return S_OK;
}

LONGLONG CGalleryItemBase::GetDuration()
{
    return GetDisplayEndTime() - GetDisplayStartTime(0);
}

HRESULT CGalleryItemBase::SetDone(IUnknown*, const wchar_t* text, LONG value)
{
    if (text != m_doneText) {
        BSTR copy = text ? SysAllocString(text) : nullptr;
        if (text && !copy) return E_OUTOFMEMORY;
        SysFreeString(m_doneText);
        m_doneText = copy;
    }
    m_doneValue = value;
    m_done = 1;
    return S_OK;
}

HRESULT CGalleriesFormat::SetFormat(IUnknown* format, LONG)
{
    m_format = ComPtr<IUnknown>(format);
    return format ? S_OK : E_POINTER;
}

CGalleriesMng::CGalleriesMng() = default;
CGalleriesMng::~CGalleriesMng() = default;

HRESULT CGalleriesMng::SetProfile(IUnknown* profile)
{
    m_profile = ComPtr<IUnknown>(profile);
    return profile ? S_OK : E_POINTER;
}

HRESULT CGalleriesMng::CreateObjects()
{
    m_items.clear();
    if (!m_profile) return E_FAIL;
    // profile -> "Profiles" -> job
    ComPtr<IUnknown> job = OwnerOf(OwnerOf(m_profile.Get()).Get());
    ComPtr<IEngineCollection> files = ChildOf(job.Get(), L"Files").As<IEngineCollection>();
    if (!files) return E_FAIL;
    if (ComPtr<IEngineCollection> ranges = GalleryItems(m_profile.Get())) ranges->RemoveAll();
    LONG count = 0;
    files->GetCount(&count);
    for (LONG i = 0; i < count; ++i) {
        ComPtr<IUnknown> source;
        if (SUCCEEDED(files->GetItem(i, source.ReleaseAndGetAddressOf())) && source)
            m_items.push_back(std::make_unique<CGalleryItemBase>(source.Get(), i));
    }
    return S_OK;
}

CGalleryItemBase* CGalleriesMng::ItemByIndex(int index)
{
    return index >= 0 && index < CountItemsAll() ? m_items[index].get() : nullptr;
}

HRESULT CGalleriesMng::SetDisplayTime(CGalleryItemBase* item)
{
    if (!item) return E_POINTER;
    ComPtr<IEngineCollection> ranges = GalleryItems(m_profile.Get());
    if (!ranges) return E_FAIL;
    LONG count = 0;
    ranges->GetCount(&count);
    for (LONG i = count - 1; i >= 0; --i) {
        ComPtr<IUnknown> range;
        if (SUCCEEDED(ranges->GetItem(i, range.ReleaseAndGetAddressOf())) && SourceIndexOf(range.Get()) == item->SourceIndex())
            ranges->Remove(i);
    }
    return AddRange(item, item->GetDisplayStartTime(0), item->GetDisplayEndTime());
}

HRESULT CGalleriesMng::CreateNewTimeline(CGalleryItemBase* item, LONGLONG start, LONGLONG end)
{
    if (!item) return E_POINTER;
    return AddRange(item, start, end);
}

HRESULT CGalleriesMng::AddRange(CGalleryItemBase* item, LONGLONG start, LONGLONG end)
{
    ComPtr<IEngineCollection> ranges = GalleryItems(m_profile.Get());
    if (!ranges) return E_FAIL;
    ComPtr<CEngineNode> range = MakeComObject<CEngineNode>(L"Range");
    range->Prop(L"SourceIndex", CVariant(static_cast<int32_t>(item->SourceIndex())));
    range->Prop(L"StartTime", CVariant(double(start) / double(kUnitsPerSecond)));
    range->Prop(L"EndTime", CVariant(double(end) / double(kUnitsPerSecond)));
    return ranges->Add(static_cast<IEngineNode*>(range.Get()));
}
