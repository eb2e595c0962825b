#pragma once
// Colour and image filter settings of one visual output: stored under the
// output's key prefix, shown in the filters grid, written into the job's
// "Filters" item and into the engine frame-filter object the preview uses.
#include "engine/FrameFilterSettings.h"
#include "model/schema/PropertiesImpl.h"
#include "platform/Variant.h"
#include <string>
#include <utility>
#include <vector>

class CConfigMng;
struct IEngineCollection;

class CFiltersObj : public CPropertiesImpl {
public:
    CFiltersObj();
    ~CFiltersObj() override;

    void UpdateStates() override {}
    int Bind(const std::wstring& prefix, CConfigMng* node);
    void CreateSchema();
    // Every value 0, the level text "0:1.00:255"; the engine object keeps its
    // values until the next GetEngineFilter.
    void Reset();

    // The one engine frame-filter object of these settings, created on first
    // use and refreshed with the current values on every call; *out (when
    // given) receives it with one reference, or null when the engine has no
    // such class. Returns 0.
    int GetEngineFilter(IUnknown** out);
    // Item 0 of the format node's "Filters" collection receives the values.
    void TransferToFormat(IUnknown* formatNode);
    // The 42 named writes into an engine node.
    void WriteEngineValues(IUnknown* node) const;
    // The same values as the engine's filter object holds them once written.
    FrameFilterSettings EngineSettings() const;

    int32_t nagative = 0;
    int32_t grayscale = 0;
    int32_t sharpen = 0;
    int32_t soften = 0;
    int32_t enchange = 0;
    int32_t deinterlace = 0;
    int32_t autolevel = 0;
    int32_t autocontrast = 0;
    int32_t depth_map = 0;
    int32_t brightness = 0;
    int32_t contrast = 0;
    int32_t gamma = 0;
    int32_t hue = 0;
    int32_t saturation = 0;
    int32_t luminosity = 0;
    int32_t red = 0;
    int32_t green = 0;
    int32_t blue = 0;
    int32_t y = 0;
    int32_t u = 0;
    int32_t v = 0;
    int32_t cmyk_c = 0;
    int32_t cmyk_m = 0;
    int32_t cmyk_y = 0;
    int32_t cmyk_h = 0;
    int32_t lms_l = 0;
    int32_t lms_m = 0;
    int32_t lms_s = 0;
    int32_t balancec = 0;
    int32_t balancem = 0;
    int32_t balancey = 0;
    int32_t preservel = 0;
    int32_t range = 0;
    std::wstring level;

private:
    // The 42 engine names and values, in the order they are written.
    std::vector<std::pair<std::wstring, CVariant>> EngineValues() const;

    ComPtr<IUnknown> m_engineFilter;
};

// The "Filters" child of an engine node as a collection (one reference), or null.
void GetFiltersCollection(IUnknown* node, IEngineCollection** out);
