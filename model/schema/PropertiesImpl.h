#pragma once
// Root of a property schema: the ordered groups of typed properties that a
// settings grid walks to build its rows. Every settings object derives from it
// and recomputes hidden states and option lists in UpdateStates.
#include "model/schema/SchemaProperties.h"
#include <memory>
#include <vector>

class CPropertiesImpl {
public:
    CPropertiesImpl() = default;
    virtual ~CPropertiesImpl();
    CPropertiesImpl(const CPropertiesImpl&) = delete;
    CPropertiesImpl& operator=(const CPropertiesImpl&) = delete;

    virtual void UpdateStates() = 0;

    // New elements stay owned by their container; the caption and label are
    // string ids of the resource library.
    CSchemaProperties* AddGroup(UINT captionId, int32_t groupId);
    CSchemaProperty* AddProperty(UINT labelId, CSchemaProperties* group, int32_t id, UINT type, void* field,
                                 UINT flags, UINT buttonKind = SPB_NONE, int32_t minimum = 0, int32_t maximum = 0);

    CSchemaProperties* FindGroup(int32_t id) const;
    // First property with the id, in the given group only when one is given;
    // nested groups are not searched.
    CSchemaProperty* FindProperty(int32_t id, const CSchemaProperties* group = nullptr) const;
    // Hides (value non-zero) or shows the first group or property with the id.
    // Without force an element that is already hidden stays hidden.
    void SetFlag(int32_t id, UINT value, bool force, const CSchemaProperties* group = nullptr);

    std::vector<std::unique_ptr<CSchemaProperties>> groups;
};
