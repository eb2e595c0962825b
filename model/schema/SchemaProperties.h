#pragma once
// A group of a property schema: an ordered, owned list of properties with a
// caption, an id and a hidden state.
#include "model/schema/SchemaProperty.h"
#include <memory>
#include <string>
#include <vector>

template <class TProperty>
class CSchemaPropertiesBase {
public:
    CSchemaPropertiesBase() = default;
    virtual ~CSchemaPropertiesBase() = default;
    CSchemaPropertiesBase(const CSchemaPropertiesBase&) = delete;
    CSchemaPropertiesBase& operator=(const CSchemaPropertiesBase&) = delete;

    std::vector<std::unique_ptr<TProperty>> properties;
};

class CSchemaProperties : public CSchemaPropertiesBase<CSchemaProperty> {
public:
    std::wstring name;
    UINT hidden = 0;
    int32_t id = 0;
};
