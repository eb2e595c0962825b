#include "controls/grid/PropertyValue.h"

#include "engine/EngineNode.h"
#include "model/source/KMFile.h"

CVariant GetPropertyValue(const CSchemaProperty& property)
{
    if (const int32_t* v = property.IntValue()) return CVariant(*v);
    if (const std::wstring* s = property.StringValue()) return CVariant(*s);
    return CVariant();
}

void WritePropertyValue(const VARIANT& value, CSchemaProperty& property)
{
    const CVariant copy(value);
    if (int32_t* v = property.IntValue())
        *v = copy.AsInt();
    else if (std::wstring* s = property.StringValue())
        *s = copy.AsString();
    else
        return;
    if (!property.engineBacked) return;
    if (ComPtr<IEngineProperty> engine = property.engineProperty.As<IEngineProperty>()) engine->SetValue(copy);
    if (property.sourceEntry) CKMFile::CopyStreamFlags(property.sourceEntry, property.keyPrefix);
}
