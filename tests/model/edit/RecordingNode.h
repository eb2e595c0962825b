#pragma once
// A stand-in engine object tree for the writers' tests: every property write
// is recorded as "path|kind|value" in one shared log, in call order.
#include "engine/EngineNode.h"
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace editing_test {

struct WriteLog {
    std::vector<std::wstring> entries;
    std::set<std::wstring> missing;  // names no node answers
};

std::wstring VariantText(const VARIANT& v);

class RecordingNode;

class RecordingProperty : public CComObjectBase<IEngineProperty> {
public:
    RecordingProperty(std::shared_ptr<WriteLog> log, std::wstring path) : m_log(std::move(log)), m_path(std::move(path)) {}
    HRESULT SetValue(VARIANT value) override;
    HRESULT GetChildNode(IUnknown** node) override;
    HRESULT SetChildNode(IUnknown* node) override;
    HRESULT GetValue(VARIANT* value) override { return VariantCopy(value, &m_value); }

    HRESULT GetName(BSTR*) override { return E_NOTIMPL; }
    HRESULT GetSettingsKey(BSTR*) override { return E_NOTIMPL; }
    HRESULT GetDisplayText(BSTR*) override { return E_NOTIMPL; }
    HRESULT GetDescription(BSTR*) override { return E_NOTIMPL; }
    HRESULT GetFlags(DWORD*) override { return E_NOTIMPL; }
    HRESULT GetKind(VARTYPE*) override { return E_NOTIMPL; }
    HRESULT GetOwner(IUnknown**) override { return E_NOTIMPL; }
    HRESULT GetDefault(VARIANT*) override { return E_NOTIMPL; }
    HRESULT Reset() override { return E_NOTIMPL; }
    HRESULT GetValueAs(VARTYPE, VARIANT*) override { return E_NOTIMPL; }
    HRESULT IsSet(BOOL*) override { return E_NOTIMPL; }

private:
    std::shared_ptr<WriteLog> m_log;
    std::wstring m_path;
    CVariant m_value;
    ComPtr<IUnknown> m_child;
};

// A node that answers every name with a property, except the names given
// children ("Watermarks", "Timelines", "Filters" collections) and the log's
// missing names.
class RecordingNode : public CComObjectBase<IEngineNode> {
public:
    RecordingNode(std::shared_ptr<WriteLog> log, std::wstring path) : m_log(std::move(log)), m_path(std::move(path)) {}
    void AddChild(const std::wstring& name, ComPtr<IUnknown> child) { m_children[name] = std::move(child); }
    const std::shared_ptr<WriteLog>& Log() const { return m_log; }
    const std::wstring& Path() const { return m_path; }

    HRESULT GetItem(const wchar_t* name, IUnknown** item) override;
    HRESULT ApplySwitch(IUnknown* property, LONG value) override;

    HRESULT GetName(BSTR*) override { return E_NOTIMPL; }
    HRESULT GetOwner(IUnknown**) override { return E_NOTIMPL; }
    HRESULT GetItemCount(LONG*) override { return E_NOTIMPL; }
    HRESULT GetItemAt(LONG, IUnknown**) override { return E_NOTIMPL; }
    HRESULT GetValue(const wchar_t*, VARIANT*) override { return E_NOTIMPL; }
    HRESULT SetValue(const wchar_t*, VARIANT) override { return E_NOTIMPL; }
    HRESULT AddProperty(const wchar_t*, VARIANT, IUnknown**) override { return E_NOTIMPL; }
    HRESULT AddChild(const wchar_t*, IUnknown*) override { return E_NOTIMPL; }
    HRESULT RemoveItem(const wchar_t*) override { return E_NOTIMPL; }

private:
    std::shared_ptr<WriteLog> m_log;
    std::wstring m_path;
    std::map<std::wstring, ComPtr<IUnknown>> m_children;
    std::map<std::wstring, ComPtr<IEngineProperty>> m_properties;
};

// A collection of recording nodes; as a "Watermarks" collection its
// CreateItem makes a node with "Stroke", "DropShadow" and a one-item
// "Timelines", and logs the kind of the class.
class RecordingCollection : public CComObjectBase<IFilesNode> {
public:
    RecordingCollection(std::shared_ptr<WriteLog> log, std::wstring path) : m_log(std::move(log)), m_path(std::move(path)) {}
    ComPtr<RecordingNode> AddNode();
    std::vector<ComPtr<RecordingNode>> items;

    HRESULT GetCount(LONG* count) override
    {
        *count = static_cast<LONG>(items.size());
        return S_OK;
    }
    HRESULT GetItem(LONG index, IUnknown** item) override;
    HRESULT CreateItem(CLSID clsid, IUnknown** item) override;

    HRESULT Remove(LONG) override { return E_NOTIMPL; }
    HRESULT RemoveAll() override { return E_NOTIMPL; }
    HRESULT Insert(LONG, IUnknown*) override { return E_NOTIMPL; }
    HRESULT Add(IUnknown*) override { return E_NOTIMPL; }
    HRESULT IndexOf(IUnknown*, LONG*) override { return E_NOTIMPL; }
    HRESULT CreateNew(IUnknown**) override { return E_NOTIMPL; }
    HRESULT AddSource(IUnknown*, DWORD) override { return E_NOTIMPL; }

protected:
    void* QueryExtra(REFIID iid) override
    {
        return iid == IEngineCollection::kIID ? static_cast<IEngineCollection*>(this) : nullptr;
    }

private:
    std::shared_ptr<WriteLog> m_log;
    std::wstring m_path;
};

// A fresh node with an empty log.
ComPtr<RecordingNode> MakeRecordingNode(const std::wstring& path = L"");
// A format node as the job offers it: "Filters" with one item and an empty
// "Watermarks" collection.
ComPtr<RecordingNode> MakeFormatNode(std::shared_ptr<WriteLog> log);

}  // namespace editing_test
