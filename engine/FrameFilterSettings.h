#pragma once
// The colour and image filter values of one output, under their engine names,
// and the engine object that holds them for the preview and the job. Every
// default is an exact identity.
#include "engine/EngineIds.h"
#include "platform/Variant.h"
#include <cstdint>

struct FrameFilterSettings {
    // switches (0/1)
    int32_t autoLevel = 0;       // "IsAutoLevel"
    int32_t autoContrast = 0;    // "IsAutoContrast"
    int32_t sharpen = 0;         // "IsSharpen"
    int32_t soften = 0;          // "IsSoften"
    int32_t negative = 0;        // "IsImageNegative"
    int32_t grayscale = 0;       // "IsImageGrayscale"
    int32_t autoEnhance = 0;     // "IsAutoEnhance"
    int32_t deinterlace = 0;     // "IsDeInterlace"
    // amounts
    int32_t brightness = 0;      // "COLOR_BRIGHTNESS" -100..100
    int32_t contrast = 0;        // "COLOR_CONSTRAST" -100..100
    int32_t gamma = 0;           // "Gamma" -100..100
    int32_t red = 0;             // "RGB_RED" -128..128
    int32_t green = 0;           // "RGB_GREEN"
    int32_t blue = 0;            // "RGB_BLUE"
    int32_t balanceRed = 0;      // "COLOR_BALANSE_RED" -100..100 (cyan .. red)
    int32_t balanceGreen = 0;    // "COLOR_BALANSE_GREEN" (magenta .. green)
    int32_t balanceBlue = 0;     // "COLOR_BALANSE_BLUE" (yellow .. blue)
    int32_t preserveLuminosity = 0;  // "PreserveLuminosity"
    int32_t range = 0;           // "Range": 0 shadows, 1 midtones, 2 highlights
    int32_t y = 0;               // "COLOR_Y" -100..100
    int32_t u = 0;               // "COLOR_U"
    int32_t v = 0;               // "COLOR_V"
    int32_t hue = 0;             // "COLOR_HUE" -90..90 degrees
    int32_t saturation = 0;      // "COLOR_SATURATION" -100..100
    int32_t luminosity = 0;      // "COLOR_LUMINOSITY" -100..100
    int32_t cmykC = 0;           // "CMYK_C" -100..100
    int32_t cmykM = 0;           // "CMYK_M"
    int32_t cmykY = 0;           // "CMYK_Y"
    int32_t cmykK = 0;           // "CMYK_K"
    int32_t lmsL = 0;            // "COLORLMS_L" -100..100
    int32_t lmsM = 0;            // "COLORLMS_M"
    int32_t lmsS = 0;            // "COLORLMS_S"
    int32_t depthMap = 0;        // "DepthMap": kept and passed on, no effect on pixels
    // levels per channel, red, green, blue: "LevelMin*", "LevelMax*", "LevelMax*_Middle"
    int32_t levelMin[3] = {0, 0, 0};
    int32_t levelMax[3] = {255, 255, 255};
    double levelMiddle[3] = {1.0, 1.0, 1.0};

    bool operator==(const FrameFilterSettings&) const = default;
    // True when no value changes a pixel.
    bool IsIdentity() const;
    // By engine name (letter case ignored); false for a name it does not hold
    // or a value that does not convert.
    bool SetByName(const wchar_t* name, const VARIANT& value);
    bool GetByName(const wchar_t* name, VARIANT* value) const;
};

// The object's class is CLSID_FrameFilters (engine/EngineIds.h).
// {5C0E4B61-8F2A-4D7B-A3C9-61E2F0B7D415}
constexpr IID IID_IFrameFilterSettings{0x5C0E4B61, 0x8F2A, 0x4D7B, {0xA3, 0xC9, 0x61, 0xE2, 0xF0, 0xB7, 0xD4, 0x15}};

// The frame-filter object: written by name through its engine node interface
// (IEngineNode, as the filter settings write every engine object) on the
// user-interface thread, read as a whole copy by whoever filters; the two
// never see half a change.
struct IFrameFilterSettings : IUnknown {
    static constexpr const GUID& kIID = IID_IFrameFilterSettings;
    virtual HRESULT GetSettings(FrameFilterSettings* out) = 0;
    virtual HRESULT SetSettings(const FrameFilterSettings* in) = 0;
    // Grows by one with every change, so a reader can tell a stale copy.
    virtual ULONG GetVersion() = 0;
};

// Registers the frame-filter class with the class registry (done by
// EngineInitialize with the engine's other classes; harmless to call again).
void RegisterFrameFilterClasses();
