#pragma once
// Texts of the source lists' rows. The duplicate map compares a normalised
// form (trailing slashes and backslashes dropped, lower case); the clipboard
// gets the path with only the trailing separators dropped, because on this
// system a path's case is part of its name.
#include <string>

std::wstring NormalisedRowText(const std::wstring& text);
std::wstring ClipboardRowText(const std::wstring& text);
