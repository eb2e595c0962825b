#pragma once
// Whether a font family is installed, as fontconfig would choose it.
#include <string>

namespace mediaeng::watermark {

// The family fontconfig picks for the name; equal to it (letter case aside)
// when the font is installed.
std::wstring ChosenFontFamily(const std::wstring& family);

}  // namespace mediaeng::watermark
