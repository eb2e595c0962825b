#pragma once
// Crop margins, flips and quarter-turn rotation of one visual output, stored
// under the output's key prefix and written into the job's format node.
#include "model/schema/PropertiesImpl.h"
#include "platform/Types.h"
#include <string>

class CConfigMng;
struct IUnknown;

class CCropObj : public CPropertiesImpl {
public:
    CCropObj();
    ~CCropObj() override = default;

    void UpdateStates() override {}
    int Bind(const std::wstring& prefix, CConfigMng* node);
    void CreateSchema();

    // "Crop_Left" ... "FlipV" into an engine node; margins below 0 go as 0 and
    // the rotation as a quarter turn 0..3, whatever a project file held.
    static void WriteEngineValues(const CCropObj& crop, IUnknown* node);
    // The margins and the quarter turn as they are written.
    RECT EngineMargins() const;
    int32_t EngineQuarterTurns() const;

    // All four margins back to 0.
    void ClearMargins();
    // No margins, no flips, no turn.
    void Reset();

    int32_t crop_left = 0;
    int32_t crop_right = 0;
    int32_t crop_top = 0;
    int32_t crop_bottom = 0;
    int32_t flip_h = 0;
    int32_t flip_v = 0;
    int32_t rotate = 0;
};
