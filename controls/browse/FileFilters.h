#pragma once
// The open-file filters of the settings grid's browse buttons and their
// conversion for wxFileDialog: the program's filters are pairs of display name
// and pattern list separated by "|" and ending in "||"; the file dialog wants
// the pairs without the closing bars and without empty patterns.
#include "model/schema/SchemaProperty.h"
#include <string>
#include <vector>

// The filter a browse button of that kind opens with; empty for other kinds.
const wchar_t* FilterForButton(UINT buttonKind);

std::wstring ToFileDialogWildcard(const std::wstring& filter);

// The selected paths joined by ";" (the single-string form of a multiple choice).
std::wstring JoinSelectedPaths(const std::vector<std::wstring>& paths);
