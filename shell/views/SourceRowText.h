#pragma once
// Texts of the source lists' rows as the clipboard and the duplicate map see
// them: trailing slashes and backslashes dropped, lower case.
#include <string>

std::wstring NormalisedRowText(const std::wstring& text);
