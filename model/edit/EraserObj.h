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

    // Defaults are the owning output's to set; these are the usual ones.
    int32_t eraser_type = 0;
    int32_t eraser_left = 0;
    int32_t eraser_right = 100;
    int32_t eraser_top = 0;
    int32_t eraser_bottom = 100;
    int32_t eraser_strength = 8;
    int32_t eraser_cell = 8;
};
