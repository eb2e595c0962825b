#include "model/edit/EngineWrite.h"

namespace {
ComPtr<IEngineProperty> Write(IUnknown* object, const wchar_t* name, CVariant value)
{
    if (!object) return nullptr;
    ComPtr<IEngineNode> node;
    object->QueryInterface(IEngineNode::kIID, node.ReleaseAndGetVoidAddress());
    if (!node) return nullptr;
    ComPtr<IUnknown> item;
    node->GetItem(name, item.ReleaseAndGetAddressOf());
    if (!item) return nullptr;
    ComPtr<IEngineProperty> property = ComPtr<IUnknown>(item).As<IEngineProperty>();
    if (!property) return nullptr;
    property->SetValue(value);
    return property;
}
}

ComPtr<IEngineProperty> EngineWriteInt(IUnknown* node, const wchar_t* name, int32_t value)
{
    return Write(node, name, CVariant(value));
}

ComPtr<IEngineProperty> EngineWriteDouble(IUnknown* node, const wchar_t* name, double value)
{
    return Write(node, name, CVariant(value));
}

ComPtr<IEngineProperty> EngineWriteText(IUnknown* node, const wchar_t* name, const std::wstring& value)
{
    return Write(node, name, CVariant(value));
}
