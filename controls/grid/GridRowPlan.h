#pragma once
// What the settings grid makes of a property schema, decided without a window:
// which groups and rows appear, in which order, and how each row edits its
// value. CPropertiesEditCtrl turns the plan into wxPropertyGrid rows.
#include "model/schema/PropertiesImpl.h"
#include <functional>
#include <string>
#include <vector>

// How a value row edits, from its property's flags.
struct GridRowTraits {
    std::vector<std::wstring> options;  // font names first (0x0040), then the option texts
    bool browseButton = false;          // 0x0002 without options: file, folder or dialog button
    bool settingsButton = false;        // 0x0002 with options and a settings dialog
    bool dropButton = false;            // 0x0020 colour or 0x0100 level pop-up
    bool noTyping = false;              // 0x0001, 0x0004 or 0x0010
    bool spin = false;                  // 0x0080
    int32_t spinMin = 0;
    int32_t spinMax = 0;
};

struct GridRowPlan {
    CSchemaProperty* property = nullptr;  // bound property (the row's identity)
    bool composite = false;               // shows its nested properties as child rows
    bool readOnly = false;                // built read-only and not flagged 0x2000
    GridRowTraits traits;
    std::vector<GridRowPlan> children;    // the nested properties of a composite row
};

struct GridGroupPlan {
    CSchemaProperties* group = nullptr;
    std::vector<GridRowPlan> rows;
};

using FontNamesSource = std::function<std::vector<std::wstring>()>;

// The rows of tree in display order. Hidden groups, hidden properties and
// properties flagged 0x0800 get no row; nested properties are tested for
// hidden only. The caller brings the tree's states up to date first.
std::vector<GridGroupPlan> PlanGridRows(const CPropertiesImpl& tree, bool editable, const FontNamesSource& fonts);

GridRowTraits PlanRowTraits(const CSchemaProperty& property, const FontNamesSource& fonts);

// Whether typed text or a click may change the value of a row of this property.
bool RowTakesTyping(const CSchemaProperty& property);
