#pragma once
// Breaks a text into lines no wider than a width, at spaces where it can and
// inside a word only when the word alone is wider; the measure is handed in,
// so the rule runs without a display.
#include <functional>
#include <string>
#include <vector>

std::vector<std::wstring> WrapText(const std::wstring& text, int width,
                                   const std::function<int(const std::wstring&)>& measure);
