#pragma once
// Colours travel to the engine's watermark items as "0x" and red, green, blue
// in two upper-case hexadecimal digits each.
#include "platform/Types.h"
#include <string>

std::wstring FormatEngineColor(COLORREF color);
