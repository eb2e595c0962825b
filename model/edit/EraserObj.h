#pragma once
// The eraser rectangle of one visual output and how its content is hidden
// (crop, blur, fill, pixelate), stored under the output's key prefix.
#include "engine/FrameEraser.h"
#include "model/schema/PropertiesImpl.h"
#include <string>

class CConfigMng;
struct IUnknown;

class CEraserObj : public CPropertiesImpl {
public:
    CEraserObj() = default;
    ~CEraserObj() override = default;

    void UpdateStates() override;
    int Bind(const std::wstring& prefix, CConfigMng* node);
    void CreateSchema();

    // "EraserType" ... "EraserStrength" into an engine node; cell and
    // strength go as at least 1 whatever a project file held.
    static void WriteEngineValues(const CEraserObj& eraser, IUnknown* node);

    // The seven fields as the engine's eraser filter takes them, with cell
    // and strength at least 1 as the job receives them.
    tag_ERASEPARAM Params() const;

    // Back to the eraser's defaults (those of the engine's block).
    void ResetToDefaults();

    int32_t eraser_type = tag_ERASEPARAM{}.nType;
    int32_t eraser_left = tag_ERASEPARAM{}.nLeft;
    int32_t eraser_right = tag_ERASEPARAM{}.nRight;
    int32_t eraser_top = tag_ERASEPARAM{}.nTop;
    int32_t eraser_bottom = tag_ERASEPARAM{}.nBottom;
    int32_t eraser_strength = tag_ERASEPARAM{}.nStrength;
    int32_t eraser_cell = tag_ERASEPARAM{}.nCell;
};
