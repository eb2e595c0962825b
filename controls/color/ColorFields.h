#pragma once
// The edit fields of the colour picker dialog (controls 370-379): their ranges,
// what a field holds when it loses the focus, and reading a group of fields.
#include "controls/color/ColorAxes.h"
#include <optional>
#include <string>

enum : int {
    IDC_COLOR_PREVIEW = 360,
    IDC_COLOR_AXIS_FIRST = 361,  // nine radio buttons 361-369
    IDC_COLOR_RED = 370,
    IDC_COLOR_GREEN = 371,
    IDC_COLOR_BLUE = 372,
    IDC_COLOR_HUE = 373,
    IDC_COLOR_SAT = 374,
    IDC_COLOR_VAL = 375,
    IDC_COLOR_Y = 376,
    IDC_COLOR_U = 377,
    IDC_COLOR_V = 378,
    IDC_COLOR_HEX = 379,
    IDC_COLOR_PLANE = 380,
    IDC_COLOR_STRIP = 381,
    IDC_COLOR_PREVIEW_WND = 382,
};

struct FieldRange {
    int minimum, maximum;
};
// Range of a decimal field; nothing for the hexadecimal field or another id.
std::optional<FieldRange> ColorFieldRange(int control);

// What a decimal field shows after losing the focus: its number clamped to the
// field's range ("%d"); text without a leading number reads as 0.
std::wstring ClampColorField(int control, const std::wstring& text);

// The hexadecimal field after losing the focus: cut to six digits, padded on
// the left with "0", upper case; the colour it names (red in the low byte).
struct HexField {
    std::wstring text;
    COLORREF color = 0;
};
HexField NormalizeHexField(const std::wstring& text);

// The colour of the field group that holds control, read from the fields'
// texts (the texts of all ten fields, indexed control - 370). Fields are read
// with their ranges applied so the other forms stay within the cube.
ColorState ReadColorGroup(int control, const std::wstring (&fields)[10]);
// The ten field texts for a colour.
void WriteColorFields(const ColorState& color, std::wstring (&fields)[10]);
