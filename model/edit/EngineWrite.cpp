#include "model/edit/EngineWrite.h"
#include "model/source/PropertyAccess.h"

ComPtr<IEngineProperty> EngineWriteInt(IUnknown* node, const wchar_t* name, int32_t value)
{
    return SetSourceProperty(node, name, CVariant(value));
}

ComPtr<IEngineProperty> EngineWriteDouble(IUnknown* node, const wchar_t* name, double value)
{
    return SetSourceProperty(node, name, CVariant(value));
}

ComPtr<IEngineProperty> EngineWriteText(IUnknown* node, const wchar_t* name, const std::wstring& value)
{
    return SetSourceProperty(node, name, CVariant(value));
}
