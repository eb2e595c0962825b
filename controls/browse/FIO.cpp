#include "controls/browse/FIO.h"

#include "controls/browse/FileFilters.h"
#include <filesystem>
#include <system_error>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>

int CFIO::OpenMediaFile(const wchar_t* filter, std::wstring& path, wxWindow* parent)
{
    std::error_code ec;
    const bool exists = !path.empty() && std::filesystem::is_regular_file(path, ec);
    const std::filesystem::path initial(exists ? path : std::wstring());
    wxFileDialog dialog(parent, wxS("Open Media File"), initial.parent_path().wstring(), initial.filename().wstring(),
                        ToFileDialogWildcard(filter ? filter : L""), wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK) return 0;
    const wxString chosen = dialog.GetPath();
    if (chosen.empty()) return 0;
    path = chosen.ToStdWstring();
    return 1;
}

int CFIO::BrowseForFolder(std::wstring& path, wxWindow* parent)
{
    wxDirDialog dialog(parent, wxS("Please select a folder"), path, wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK) return 0;
    const wxString chosen = dialog.GetPath();
    if (chosen.empty()) return 0;  // no file-system path
    path = chosen.ToStdWstring();
    return 1;
}
