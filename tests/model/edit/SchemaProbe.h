#pragma once
// Reads hidden states out of a settings object's schema by the bound field.
#include "model/schema/PropertiesImpl.h"

namespace editing_test {

// The first property bound to field, looking one level into nested groups;
// its group goes to *group when given.
inline CSchemaProperty* PropertyOf(const CPropertiesImpl& schema, const void* field,
                                   CSchemaProperties** group = nullptr)
{
    for (const auto& g : schema.groups)
        for (const auto& p : g->properties) {
            if (p->value == field) {
                if (group) *group = g.get();
                return p.get();
            }
            if (p->nestedGroup)
                for (const auto& sub : p->nestedGroup->properties)
                    if (sub->value == field) {
                        if (group) *group = g.get();
                        return sub.get();
                    }
        }
    return nullptr;
}

// Whether the row of field is hidden by itself or by its group; -1 when the
// schema has no such row.
inline int HiddenOf(const CPropertiesImpl& schema, const void* field)
{
    CSchemaProperties* group = nullptr;
    CSchemaProperty* p = PropertyOf(schema, field, &group);
    if (!p) return -1;
    return (p->hidden || group->hidden) ? 1 : 0;
}

}  // namespace editing_test
