#pragma once
// The number steps of the advanced file-name pattern dialog: its spin buttons
// move a number by their delta within 0 to 1000; the Up and Down keys step
// "start with" (59) down to 0 and "increment" (60) down to 1.
#include <cstdint>
#include <string>

// The edit's text after a spin step: its number plus delta, kept within 0-1000
// ("%d"); text without a number counts as 0.
std::wstring PatternSpinStep(const std::wstring& text, int delta);

// A key step of property 59 (floor 0) or 60 (floor 1).
int32_t PatternKeyStep(int32_t value, bool up, int32_t floor);
