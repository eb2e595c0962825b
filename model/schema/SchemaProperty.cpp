#include "model/schema/SchemaProperty.h"

#include "model/schema/EngineLists.h"
#include "model/schema/SchemaProperties.h"
#include "platform/ResourceLibrary.h"

CSchemaProperty::~CSchemaProperty() = default;

void CSchemaProperty::AddOption(CSchemaProperty* property, int32_t value, const std::wstring& text)
{
    property->options.push_back(SchemaOption{text, value});
}

void CSchemaProperty::AddOptionById(UINT textId, CSchemaProperty* property, int32_t value)
{
    AddOption(property, value, LoadResString(textId));
}

void CSchemaProperty::ClearOptions(CSchemaProperty* property)
{
    property->options.clear();
}

int32_t* CSchemaProperty::IntValue() const
{
    return type == SCHEMA_TYPE_INT ? static_cast<int32_t*>(value) : nullptr;
}

std::wstring* CSchemaProperty::StringValue() const
{
    return type == SCHEMA_TYPE_STRING ? static_cast<std::wstring*>(value) : nullptr;
}

void CSchemaProperty::FillOptions(const CListEnumBase& list, CSchemaProperty* property)
{
    ClearOptions(property);
    for (size_t i = 0; i < schema_lists::Count(list); ++i)
        AddOption(property, schema_lists::Value(list, i), schema_lists::Text(list, i));
}
