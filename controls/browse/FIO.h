#pragma once
// Single-file open ("Open Media File") and folder choosers of the settings
// grids, the watermark pane and the folder source view. No state between calls.
#include <string>

class wxWindow;

class CFIO {
public:
    // filter in the program's "name|patterns|...||" form. path in: the
    // dialog's initial file when that file exists; out: the chosen file.
    // 1 when a file was chosen, else 0 with path unchanged.
    static int OpenMediaFile(const wchar_t* filter, std::wstring& path, wxWindow* parent = nullptr);
    // path in: the initial folder (may be empty); out: the chosen folder.
    // 1 when chosen, 0 on cancel with path unchanged.
    static int BrowseForFolder(std::wstring& path, wxWindow* parent = nullptr);
};
