#pragma once
// Opens one or many media files through the file dialog (the source list's
// command that adds files). No state between calls.
#include <string>
#include <vector>

class wxWindow;

class CBrowseFile {
public:
    // Every chosen full path joined by ";"; "" after cancel.
    static std::wstring BrowseFile(const wchar_t* initialFolder, bool multiple, const wchar_t* filter,
                                   bool mustExist, wxWindow* parent);
    // out emptied, then every chosen path in the dialog's order (multiple
    // selection always on); false after cancel.
    static bool BrowseFile(std::vector<std::wstring>& out, const wchar_t* initialFolder, const wchar_t* filter,
                           bool mustExist, wxWindow* parent);

private:
    static bool Run(std::vector<std::wstring>& out, const wchar_t* initialFolder, bool multiple,
                    const wchar_t* filter, bool mustExist, wxWindow* parent);
};
