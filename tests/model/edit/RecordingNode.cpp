#include "RecordingNode.h"
#include "platform/TextConv.h"
#include <cstdio>

namespace editing_test {

std::wstring VariantText(const VARIANT& v)
{
    wchar_t buf[64];
    switch (v.vt) {
    case VT_I4: return L"I4:" + std::to_wstring(v.lVal);
    case VT_R8: std::swprintf(buf, 64, L"R8:%g", v.dblVal); return buf;
    case VT_BSTR: return L"BSTR:" + BstrToWString(v.bstrVal);
    default: return L"vt" + std::to_wstring(v.vt);
    }
}

namespace {
std::wstring Join(const std::wstring& path, const std::wstring& name)
{
    return path.empty() ? name : path + L"/" + name;
}
}

HRESULT RecordingProperty::SetValue(VARIANT value)
{
    m_log->entries.push_back(m_path + L"=" + VariantText(value));
    VariantCopy(&m_value, &value);
    return S_OK;
}

HRESULT RecordingProperty::GetChildNode(IUnknown** node)
{
    *node = m_child.Get();
    if (*node) (*node)->AddRef();
    return *node ? S_OK : S_FALSE;
}

HRESULT RecordingProperty::SetChildNode(IUnknown* node)
{
    m_child = ComPtr<IUnknown>(node);
    return S_OK;
}

HRESULT RecordingNode::GetItem(const wchar_t* name, IUnknown** item)
{
    *item = nullptr;
    if (m_log->missing.count(name)) return E_INVALIDARG;
    auto child = m_children.find(name);
    if (child != m_children.end()) {
        *item = child->second.Get();
    } else {
        auto& property = m_properties[name];
        if (!property) property = MakeComObject<RecordingProperty>(m_log, Join(m_path, name));
        *item = property.Get();
    }
    (*item)->AddRef();
    return S_OK;
}

HRESULT RecordingNode::ApplySwitch(IUnknown* property, LONG value)
{
    ComPtr<IEngineProperty> p = ComPtr<IUnknown>(property).As<IEngineProperty>();
    if (!p) return E_INVALIDARG;
    // The settings node of the switch, as the engine makes it on first use.
    ComPtr<IUnknown> existing;
    p->GetChildNode(existing.ReleaseAndGetAddressOf());
    if (!existing) {
        std::wstring path;
        for (const auto& [name, prop] : m_properties)
            if (prop.Get() == p.Get()) path = Join(m_path, name);
        p->SetChildNode(ComPtr<IUnknown>(MakeComObject<RecordingNode>(m_log, path)).Get());
    }
    m_log->entries.push_back(L"ApplySwitch(" + std::to_wstring(value) + L")");
    return S_OK;
}

ComPtr<RecordingNode> RecordingCollection::AddNode()
{
    auto node = MakeComObject<RecordingNode>(m_log, m_path + L"[" + std::to_wstring(items.size()) + L"]");
    items.push_back(ComPtr<IUnknown>(static_cast<IEngineNode*>(node.Get())));
    return node;
}

HRESULT RecordingCollection::CreateItem(CLSID clsid, IUnknown** item)
{
    m_log->entries.push_back(L"CreateItem(kind " + std::to_wstring(WatermarkKindOfClass(clsid)) + L")");
    ComPtr<RecordingNode> node = AddNode();
    auto timelines = MakeComObject<RecordingCollection>(m_log, node->Path() + L"/Timelines");
    timelines->AddNode();
    node->AddChild(L"Timelines", ComPtr<IUnknown>(static_cast<IEngineCollection*>(timelines.Get())));
    *item = static_cast<IEngineNode*>(node.Get());
    (*item)->AddRef();
    return S_OK;
}

ComPtr<RecordingNode> MakeRecordingNode(const std::wstring& path)
{
    return MakeComObject<RecordingNode>(std::make_shared<WriteLog>(), path);
}

ComPtr<RecordingNode> MakeFormatNode(std::shared_ptr<WriteLog> log)
{
    auto node = MakeComObject<RecordingNode>(log, L"");
    auto filters = MakeComObject<RecordingCollection>(log, L"Filters");
    filters->AddNode();
    node->AddChild(L"Filters", ComPtr<IUnknown>(static_cast<IEngineCollection*>(filters.Get())));
    auto watermarks = MakeComObject<RecordingCollection>(log, L"Watermarks");
    node->AddChild(L"Watermarks", ComPtr<IUnknown>(static_cast<IEngineCollection*>(watermarks.Get())));
    return node;
}

}  // namespace editing_test
