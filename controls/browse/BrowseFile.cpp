#include "controls/browse/BrowseFile.h"

#include "controls/browse/FileFilters.h"
#include <wx/filedlg.h>

bool CBrowseFile::Run(std::vector<std::wstring>& out, const wchar_t* initialFolder, bool multiple,
                      const wchar_t* filter, bool mustExist, wxWindow* parent)
{
    long style = wxFD_OPEN;
    if (multiple) style |= wxFD_MULTIPLE;
    if (mustExist) style |= wxFD_FILE_MUST_EXIST;
    wxFileDialog dialog(parent, wxFileSelectorPromptStr, initialFolder ? initialFolder : L"", wxEmptyString,
                        ToFileDialogWildcard(filter ? filter : L""), style);
    if (dialog.ShowModal() != wxID_OK) return false;
    wxArrayString paths;
    if (multiple)
        dialog.GetPaths(paths);
    else
        paths.Add(dialog.GetPath());
    for (const wxString& p : paths)
        if (!p.empty()) out.push_back(p.ToStdWstring());
    return true;
}

std::wstring CBrowseFile::BrowseFile(const wchar_t* initialFolder, bool multiple, const wchar_t* filter,
                                     bool mustExist, wxWindow* parent)
{
    std::vector<std::wstring> paths;
    if (!Run(paths, initialFolder, multiple, filter, mustExist, parent)) return L"";
    return JoinSelectedPaths(paths);
}

bool CBrowseFile::BrowseFile(std::vector<std::wstring>& out, const wchar_t* initialFolder, const wchar_t* filter,
                             bool mustExist, wxWindow* parent)
{
    out.clear();
    return Run(out, initialFolder, true, filter, mustExist, parent);
}
