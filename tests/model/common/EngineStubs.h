#pragma once
// Engine interfaces with every method answering E_NOTIMPL, so that a test
// double names only what its suite uses: CComObjectBase<StubEngineNode, ...>
// then override. Each stub keeps its interface's kIID.
#include "engine/EngineNode.h"
#include "engine/MediaSourceGraph.h"
#include <vector>

namespace stubs {

struct StubEngineNode : IEngineNode {
    HRESULT GetName(BSTR*) override { return E_NOTIMPL; }
    HRESULT GetOwner(IUnknown**) override { return E_NOTIMPL; }
    HRESULT GetItemCount(LONG*) override { return E_NOTIMPL; }
    HRESULT GetItemAt(LONG, IUnknown**) override { return E_NOTIMPL; }
    HRESULT GetItem(const wchar_t*, IUnknown**) override { return E_NOTIMPL; }
    HRESULT GetValue(const wchar_t*, VARIANT*) override { return E_NOTIMPL; }
    HRESULT SetValue(const wchar_t*, VARIANT) override { return E_NOTIMPL; }
    HRESULT AddProperty(const wchar_t*, VARIANT, IUnknown**) override { return E_NOTIMPL; }
    HRESULT AddChild(const wchar_t*, IUnknown*) override { return E_NOTIMPL; }
    HRESULT RemoveItem(const wchar_t*) override { return E_NOTIMPL; }
    HRESULT ApplySwitch(IUnknown*, LONG) override { return E_NOTIMPL; }
};

struct StubEngineProperty : IEngineProperty {
    HRESULT GetName(BSTR*) override { return E_NOTIMPL; }
    HRESULT GetSettingsKey(BSTR*) override { return E_NOTIMPL; }
    HRESULT GetDisplayText(BSTR*) override { return E_NOTIMPL; }
    HRESULT GetDescription(BSTR*) override { return E_NOTIMPL; }
    HRESULT GetFlags(DWORD*) override { return E_NOTIMPL; }
    HRESULT GetKind(VARTYPE*) override { return E_NOTIMPL; }
    HRESULT GetOwner(IUnknown**) override { return E_NOTIMPL; }
    HRESULT GetValue(VARIANT*) override { return E_NOTIMPL; }
    HRESULT GetDefault(VARIANT*) override { return E_NOTIMPL; }
    HRESULT Reset() override { return E_NOTIMPL; }
    HRESULT GetValueAs(VARTYPE, VARIANT*) override { return E_NOTIMPL; }
    HRESULT IsSet(BOOL*) override { return E_NOTIMPL; }
    HRESULT GetChildNode(IUnknown**) override { return E_NOTIMPL; }
    HRESULT SetChildNode(IUnknown*) override { return E_NOTIMPL; }
    HRESULT SetValue(VARIANT) override { return E_NOTIMPL; }
};

struct StubEngineValue : IEngineValue {
    HRESULT GetName(BSTR*) override { return E_NOTIMPL; }
    HRESULT GetDescription(BSTR*) override { return E_NOTIMPL; }
    HRESULT GetDisplayText(BSTR*) override { return E_NOTIMPL; }
    HRESULT GetFlags(DWORD*) override { return E_NOTIMPL; }
    HRESULT GetLinkedObject(IUnknown**) override { return E_NOTIMPL; }
    HRESULT GetKind(VARTYPE*) override { return E_NOTIMPL; }
    HRESULT GetOwner(IUnknown**) override { return E_NOTIMPL; }
    HRESULT GetAsI4(LONG*) override { return E_NOTIMPL; }
    HRESULT GetAsUI4(ULONG*) override { return E_NOTIMPL; }
    HRESULT GetAsR8(double*) override { return E_NOTIMPL; }
    HRESULT GetAsBSTR(BSTR*) override { return E_NOTIMPL; }
    HRESULT GetAsI8(LONGLONG*) override { return E_NOTIMPL; }
    HRESULT GetValueAs(VARTYPE, VARIANT*) override { return E_NOTIMPL; }
    HRESULT IsEmpty(BOOL*) override { return E_NOTIMPL; }
    HRESULT GetDefault(VARIANT*) override { return E_NOTIMPL; }
    HRESULT IsSet(BOOL*) override { return E_NOTIMPL; }
    HRESULT Reset() override { return E_NOTIMPL; }
    HRESULT GetSettingsKey(BSTR*) override { return E_NOTIMPL; }
    HRESULT IsReadOnly(BOOL*) override { return E_NOTIMPL; }
    HRESULT GetValue(VARIANT*) override { return E_NOTIMPL; }
};

struct StubPropertyContainer : IPropertyContainer {
    HRESULT GetName(BSTR*) override { return E_NOTIMPL; }
    HRESULT GetCount(LONG*) override { return E_NOTIMPL; }
    HRESULT GetAt(LONG, IUnknown**) override { return E_NOTIMPL; }
    HRESULT GetDescription(BSTR*) override { return E_NOTIMPL; }
    HRESULT GetOwner(IUnknown**) override { return E_NOTIMPL; }
    HRESULT GetFlags(DWORD*) override { return E_NOTIMPL; }
    HRESULT GetDisplayText(BSTR*) override { return E_NOTIMPL; }
    HRESULT Contains(const wchar_t*, BOOL*) override { return E_NOTIMPL; }
    HRESULT GetItemByName(const wchar_t*, IUnknown**) override { return E_NOTIMPL; }
};

template <class Collection>
struct StubCollectionOf : Collection {
    HRESULT GetCount(LONG*) override { return E_NOTIMPL; }
    HRESULT GetItem(LONG, IUnknown**) override { return E_NOTIMPL; }
    HRESULT Remove(LONG) override { return E_NOTIMPL; }
    HRESULT RemoveAll() override { return E_NOTIMPL; }
    HRESULT Insert(LONG, IUnknown*) override { return E_NOTIMPL; }
    HRESULT Add(IUnknown*) override { return E_NOTIMPL; }
    HRESULT IndexOf(IUnknown*, LONG*) override { return E_NOTIMPL; }
    HRESULT CreateNew(IUnknown**) override { return E_NOTIMPL; }
};
using StubEngineCollection = StubCollectionOf<IEngineCollection>;

struct StubFilesNode : StubCollectionOf<IFilesNode> {
    HRESULT CreateItem(CLSID, IUnknown**) override { return E_NOTIMPL; }
    HRESULT AddSource(IUnknown*, DWORD) override { return E_NOTIMPL; }
};

// A stub collection (StubEngineCollection, StubFilesNode) that counts and
// hands out items.
template <class Collection>
struct ItemsCollectionOf : Collection {
    std::vector<ComPtr<IUnknown>> items;

    HRESULT GetCount(LONG* count) override
    {
        *count = static_cast<LONG>(items.size());
        return S_OK;
    }
    HRESULT GetItem(LONG index, IUnknown** item) override
    {
        *item = nullptr;
        if (index < 0 || static_cast<size_t>(index) >= items.size()) return E_INVALIDARG;
        *item = items[static_cast<size_t>(index)].Get();
        if (*item) (*item)->AddRef();
        return S_OK;
    }
};

struct StubMediaItem : IMediaItem {
    HRESULT GetOwner(IUnknown**) override { return E_NOTIMPL; }
    HRESULT SetSource(IUnknown*) override { return E_NOTIMPL; }
    HRESULT GetSource(IUnknown**) override { return E_NOTIMPL; }
    HRESULT SetJob(IUnknown*) override { return E_NOTIMPL; }
    HRESULT SetOwner(IUnknown*) override { return E_NOTIMPL; }
    HRESULT GetAssociated(IUnknown**) override { return E_NOTIMPL; }
    HRESULT GetJob(IUnknown**) override { return E_NOTIMPL; }
};

struct StubMediaSourceGraph : IMediaSourceGraph {
    HRESULT Open(IMsgHandler*) override { return E_NOTIMPL; }
    HRESULT ContinueOpen(IProgressImpl*) override { return E_NOTIMPL; }
    HRESULT BuildGraph(LONG, IUnknown**) override { return E_NOTIMPL; }
    HRESULT ReadFrame(REFERENCE_TIME, void*, BYTE**, DWORD*, BYTE**) override { return E_NOTIMPL; }
    HRESULT GetDuration(REFERENCE_TIME*) override { return E_NOTIMPL; }
    HRESULT IsOpen(BOOL*) override { return E_NOTIMPL; }
    HRESULT GetLastError(BSTR*) override { return E_NOTIMPL; }
    HRESULT Close() override { return E_NOTIMPL; }
    HRESULT ReleaseGraph() override { return E_NOTIMPL; }
    HRESULT ResetAfterJob(LONG, LONG) override { return E_NOTIMPL; }
};

}  // namespace stubs
