#pragma once
// The notices a settings grid sends its owner after a value changed, in order.
// Owners receive them synchronously, so they have acted when the grid goes on.
#include "model/schema/SchemaProperty.h"
#include <vector>

enum : UINT {
    GRID_MSG_VALUES_CHANGED = 0x404,   // WM_USER+4: wParam 1 asks for a rebuild
    GRID_MSG_PROFILE_CHANGE = 0x407,   // WM_USER+7: a 0x1000 property changed
};

struct GridNotice {
    UINT message = 0;
    uintptr_t wParam = 0;
    bool operator==(const GridNotice&) const = default;
};

// For a change of property (null: a row with no bound property) on a grid
// built with or without a context. The source grid passes hasContext false
// and never sends the profile notice.
std::vector<GridNotice> ChangeNotices(const CSchemaProperty* property, bool hasContext);
