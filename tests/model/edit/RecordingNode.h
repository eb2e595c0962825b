#pragma once
// A stand-in engine object tree for the writers' tests: every property write
// is recorded as "path|kind|value" in one shared log, in call order.
#include "fixtures/EngineStubs.h"
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

class RecordingProperty : public CComObjectBase<stubs::StubEngineProperty> {
public:
    RecordingProperty(std::shared_ptr<WriteLog> log, std::wstring path) : m_log(std::move(log)), m_path(std::move(path)) {}
    HRESULT SetValue(VARIANT value) override;
    HRESULT GetChildNode(IUnknown** node) override;
    HRESULT SetChildNode(IUnknown* node) override;
    HRESULT GetValue(VARIANT* value) override { return VariantCopy(value, &m_value); }

private:
    std::shared_ptr<WriteLog> m_log;
    std::wstring m_path;
    CVariant m_value;
    ComPtr<IUnknown> m_child;
};

// A node that answers every name with a property, except the names given
// children ("Watermarks", "Timelines", "Filters" collections) and the log's
// missing names.
class RecordingNode : public CComObjectBase<stubs::StubEngineNode> {
public:
    RecordingNode(std::shared_ptr<WriteLog> log, std::wstring path) : m_log(std::move(log)), m_path(std::move(path)) {}
    void AddChild(const std::wstring& name, ComPtr<IUnknown> child) { m_children[name] = std::move(child); }
    const std::shared_ptr<WriteLog>& Log() const { return m_log; }
    const std::wstring& Path() const { return m_path; }

    HRESULT GetItem(const wchar_t* name, IUnknown** item) override;
    HRESULT ApplySwitch(IUnknown* property, LONG value) override;
    using stubs::StubEngineNode::AddChild;

private:
    std::shared_ptr<WriteLog> m_log;
    std::wstring m_path;
    std::map<std::wstring, ComPtr<IUnknown>> m_children;
    std::map<std::wstring, ComPtr<IEngineProperty>> m_properties;
};

// A collection of recording nodes; as a "Watermarks" collection its
// CreateItem makes a node with "Stroke", "DropShadow" and a one-item
// "Timelines", and logs the kind of the class.
class RecordingCollection : public CComObjectBase<stubs::ItemsCollectionOf<stubs::StubFilesNode>> {
public:
    RecordingCollection(std::shared_ptr<WriteLog> log, std::wstring path) : m_log(std::move(log)), m_path(std::move(path)) {}
    ComPtr<RecordingNode> AddNode();

    HRESULT CreateItem(CLSID clsid, IUnknown** item) override;

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
