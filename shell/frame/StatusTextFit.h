#pragma once
// Shortening of the status bar's error text to the room it has: cut at the
// last space, slash, backslash or underscore and end with "...", until the
// measured text fits or nothing is left to cut.
#include <functional>
#include <string>

std::wstring FitStatusText(const std::wstring& text, int room, const std::function<int(const std::wstring&)>& measure);
