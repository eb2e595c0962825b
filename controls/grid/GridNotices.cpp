#include "controls/grid/GridNotices.h"

std::vector<GridNotice> ChangeNotices(const CSchemaProperty* property, bool hasContext)
{
    std::vector<GridNotice> out;
    if (property && (property->flags & SPF_PROFILE_CHANGE) && hasContext) out.push_back({GRID_MSG_PROFILE_CHANGE, 0});
    const bool rebuild = property && (property->flags & SPF_REBUILD);
    out.push_back({GRID_MSG_VALUES_CHANGED, rebuild ? 1u : 0u});
    return out;
}
