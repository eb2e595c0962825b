#include "model/schema/PropertiesImpl.h"

#include "platform/ResourceLibrary.h"

CPropertiesImpl::~CPropertiesImpl() = default;

CSchemaProperties* CPropertiesImpl::AddGroup(UINT captionId, int32_t groupId)
{
    auto group = std::make_unique<CSchemaProperties>();
    group->name = LoadResString(captionId);
    group->id = groupId;
    groups.push_back(std::move(group));
    return groups.back().get();
}

CSchemaProperty* CPropertiesImpl::AddProperty(UINT labelId, CSchemaProperties* group, int32_t id, UINT type,
                                              void* field, UINT flags, UINT buttonKind, int32_t minimum,
                                              int32_t maximum)
{
    auto property = std::make_unique<CSchemaProperty>();
    property->name = LoadResString(labelId);
    property->id = id;
    property->type = type;
    property->value = field;
    property->flags = flags;
    property->buttonKind = buttonKind;
    property->minimum = minimum;
    property->maximum = maximum;
    group->properties.push_back(std::move(property));
    return group->properties.back().get();
}

CSchemaProperties* CPropertiesImpl::FindGroup(int32_t id) const
{
    for (const auto& group : groups)
        if (group->id == id) return group.get();
    return nullptr;
}

CSchemaProperty* CPropertiesImpl::FindProperty(int32_t id, const CSchemaProperties* group) const
{
    for (const auto& g : groups) {
        if (group && g.get() != group) continue;
        for (const auto& property : g->properties)
            if (property->id == id) return property.get();
    }
    return nullptr;
}

namespace {

// Hidden word of the first property with the id, looking one level into
// nested groups; null when none.
UINT* FindHiddenInGroup(const CSchemaProperties& group, int32_t id)
{
    for (const auto& property : group.properties) {
        if (property->id == id) return &property->hidden;
        if (!property->nestedGroup) continue;
        for (const auto& sub : property->nestedGroup->properties)
            if (sub->id == id) return &sub->hidden;
    }
    return nullptr;
}

}  // namespace

void CPropertiesImpl::SetFlag(int32_t id, UINT value, bool force, const CSchemaProperties* group)
{
    for (const auto& g : groups) {
        if (group && g.get() != group) continue;
        UINT* hidden = g->id == id ? &g->hidden : FindHiddenInGroup(*g, id);
        if (!hidden) continue;
        if (force || *hidden == 0 || value != 0) *hidden = value;
        return;
    }
}
