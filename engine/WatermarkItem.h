#pragma once
// What one watermark item holds, under the engine's property names, as the
// renderer reads it. Sizes and offsets are in source pixels.
#include "platform/Types.h"
#include <string>

enum : int {
    WATERMARK_TEXT = 0,
    WATERMARK_PICTURE = 1,
    WATERMARK_ROUNDRECT = 2,
    WATERMARK_RECT = 3,
    WATERMARK_MEDIA = 4,
};

struct WatermarkStroke {       // the "Stroke" child
    int enabled = 0;           // "Stroke"
    COLORREF color = RGB(255, 0, 0);  // "Color"
    int width = 1;             // "Width", 0..20
    int opacity = 100;         // "Opacity", 0..100
    bool operator==(const WatermarkStroke&) const = default;
};

struct WatermarkShadow {       // the "DropShadow" child
    int enabled = 0;           // "DropShadow"
    COLORREF color = 0;        // "Color"
    int opacity = 75;          // "Opacity", 0..100
    int angle = 45;            // "Angle", degrees, direction the shadow falls
    int size = 4;              // "Size", blur radius
    int distance = 8;          // "Distance"
    bool operator==(const WatermarkShadow&) const = default;
};

// One element of "Timelines". Times are texts of seconds or h:mm:ss[.ff].
struct WatermarkTimeRange {
    int enabled = 0;           // an element was written
    std::wstring startTime = L"0.0";  // "StartTime"
    std::wstring endTime = L"0.0";    // "EndTime"
    int endOfFile = 0;                // "EndOfFile": the range never runs past the file's end
    int endRelativeToEnd = 0;         // "EndTimeAsRelativeEndofFile": end = file end - EndTime
    int startRelative = 0;            // "StartTimeAsRelative": start = end - StartTime
    bool operator==(const WatermarkTimeRange&) const = default;
};

struct WatermarkItemDesc {
    int kind = WATERMARK_TEXT;
    int posType = 8;           // "posType": anchor 0..8, row-major from top-left
    int posX = 10;             // "posX"
    int posY = 10;             // "posY"
    int width = 100;           // "Width" (shapes)
    int height = 100;          // "Height" (shapes)
    int stretching = 0;        // "Stretching": 0 none, 1 frame width, 2 frame height (shapes)
    int transparency = 0;      // "Transparency", 0..100
    int angle = 0;             // "Angle", degrees counter-clockwise
    int rectType = 2;          // "RectType": 2 filled, 0 frame
    int round = 0;             // "Round": corner radius in % of half the shorter side
    int border = 2;            // "Border": frame width
    COLORREF color = 0;        // "Color"
    std::wstring text;         // "Text"
    std::wstring fontName = L"Tahoma";  // "FontName"
    int fontSize = 10;         // "FontSize", points at 96 dpi
    int fontBold = 0;          // "FontBold"
    int fontItalic = 0;        // "FontItalic"
    int fontUnderline = 0;     // "FontUnderline"
    int fontStrikeOut = 0;     // "FontStrikeOut"
    int alignPos = 0;          // "AlignPos": 0 left, 1 centre, 2 right
    int fontCharset = 0;       // "FontCharset": kept; the text is Unicode
    std::wstring path;         // "PathToImage" / "PathToFile"
    std::wstring resize = L"100%";  // "Resize": "N%" or "WxH"
    WatermarkStroke stroke;
    WatermarkShadow shadow;
    int fadeIn = 0;            // "FadeIn", seconds
    int fadeOut = 0;           // "FadeOut", seconds
    WatermarkTimeRange timeline;
    bool operator==(const WatermarkItemDesc&) const = default;
};

// "0xRRGGBB" (the model's colour text) or a decimal COLORREF; fallback otherwise.
COLORREF ParseWatermarkColor(const std::wstring& text, COLORREF fallback = 0);
// Seconds of a time text ("12", "1.5", "0:00:10", "1:02:03.25"); -1 when unreadable.
double ParseWatermarkTime(const std::wstring& text);
