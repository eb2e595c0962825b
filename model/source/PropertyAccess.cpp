#include "model/source/PropertyAccess.h"
#include "engine/LockSchema.h"
#include "engine/MediaSourceKeys.h"

namespace {
template <class T>
ComPtr<T> Query(IUnknown* object)
{
    ComPtr<T> out;
    if (object) object->QueryInterface(T::kIID, out.ReleaseAndGetVoidAddress());
    return out;
}

ComPtr<IUnknown> ContainerItem(IUnknown* object, const wchar_t* name)
{
    ComPtr<IUnknown> item;
    if (ComPtr<IPropertyContainer> container = QueryPropertyContainer(object))
        container->GetItemByName(name, item.ReleaseAndGetAddressOf());
    return item;
}
}

ComPtr<IPropertyContainer> QueryPropertyContainer(IUnknown* object) { return Query<IPropertyContainer>(object); }
ComPtr<IEngineNode> QueryNode(IUnknown* object) { return Query<IEngineNode>(object); }
ComPtr<IMediaItem> QueryMediaItem(IUnknown* object) { return Query<IMediaItem>(object); }
ComPtr<IEngineCollection> QueryCollection(IUnknown* object) { return Query<IEngineCollection>(object); }

ComPtr<IUnknown> GetNodeItem(IUnknown* object, const wchar_t* name)
{
    ComPtr<IUnknown> item;
    if (ComPtr<IEngineNode> node = QueryNode(object))
        if (FAILED(node->GetItem(name, item.ReleaseAndGetAddressOf()))) item = nullptr;
    return item;
}

void LockSchema() { lock_schema(); }
void UnlockSchema() { unlock_schema(); }

ComPtr<IEngineProperty> SetSourceProperty(IUnknown* object, const wchar_t* name, CVariant value)
{
    ComPtr<IEngineProperty> property = Query<IEngineProperty>(GetNodeItem(object, name).Get());
    if (property) property->SetValue(value);
    return property;
}

CVariant GetSourceProperty(IUnknown* object, const wchar_t* name)
{
    CVariant result;
    if (ComPtr<IEngineProperty> property = Query<IEngineProperty>(GetNodeItem(object, name).Get())) {
        CVariant temp;
        if (SUCCEEDED(property->GetValue(&temp))) VariantCopy(&result, &temp);
    }
    return result;
}

ComPtr<IEngineValue> GetSourcePropertyValue(IUnknown* object, const wchar_t* name, VARIANT* value)
{
    CSchemaLock lock;
    ComPtr<IEngineValue> item = Query<IEngineValue>(ContainerItem(object, name).Get());
    if (item && value) item->GetValue(value);
    return item;
}

ComPtr<IEngineCollection> GetSubFiles(IUnknown* object)
{
    return QueryCollection(GetNodeItem(object, sourcekey::SubFiles).Get());
}

bool HasContainerItem(IUnknown* object, const wchar_t* name)
{
    CSchemaLock lock;
    return static_cast<bool>(ContainerItem(object, name));
}
