#pragma once
// Value texts of settings-grid rows and the way typed text goes back into a
// value, per property flag. Colour texts are "rrggbb" (red first) while the
// field holds 0x00BBGGRR.
#include "model/schema/SchemaProperty.h"
#include "platform/Types.h"
#include "platform/Variant.h"
#include <optional>
#include <string>

// The row text for the property's current value. plainText is what an
// unflagged row shows (the value as text).
std::wstring FormatPropertyText(const CSchemaProperty& property);

// Typed or chosen text back to a value: with options and flag 0x0001 the
// first option with that text gives its value; a colour row parses its digits;
// otherwise integer rows read one integer and string rows take the text.
// Nothing when the text gives no value for the row.
std::optional<CVariant> TextToValue(const CSchemaProperty& property, const std::wstring& text);

std::wstring FormatColorText(COLORREF color);
// Red, green and blue as two hexadecimal digits each, read from the left:
// a short text leaves the last parts 0 ("abc" is red 0xab, green 0x0c, blue
// 0), digits after the sixth are ignored. Nothing when the text starts with
// no digit.
std::optional<COLORREF> ParseColorText(const std::wstring& text);

// The whole text as one decimal integer (surrounding blanks allowed).
std::optional<int32_t> ParseWholeInt(const std::wstring& text);

// A spin row's typed text: stored only when it is one integer within the
// property's limits and differs from the current value.
std::optional<int32_t> SpinTextValue(const CSchemaProperty& property, const std::wstring& text, int32_t current);

// Characters an in-place editor accepts: colour rows hexadecimal digits, level
// rows digits, ':' and '.'; empty for rows without a mask.
std::wstring InPlaceEditMask(const CSchemaProperty& property);

// The value after a click on a check box row.
// Any non-zero field counts as ticked, so the flip always lands on 0 or 1.
inline int32_t FlipSwitch(int32_t value) { return value ? 0 : 1; }
