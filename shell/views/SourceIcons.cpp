#include "shell/views/SourceIcons.h"
#include <filesystem>
#include <wx/artprov.h>
#include <wx/filename.h>
#include <wx/mimetype.h>

namespace {
constexpr const char* kGenericFile = "text-x-generic";
}

std::vector<std::string> IconNamesForMimeType(const std::string& mimeType)
{
    std::vector<std::string> names;
    const size_t slash = mimeType.find('/');
    if (slash != std::string::npos && slash > 0 && slash + 1 < mimeType.size()) {
        std::string exact = mimeType;
        exact[slash] = '-';
        names.push_back(exact);
        const std::string family = mimeType.substr(0, slash);
        if (family == "video" || family == "audio" || family == "image")
            names.push_back(family + "-x-generic");
    }
    names.push_back(kGenericFile);
    return names;
}

std::vector<std::string> FolderIconNames()
{
    return {"folder"};
}

std::vector<std::string> ParentFolderIconNames()
{
    return {"go-up", "folder"};
}

std::vector<std::string> DiscIconNames()
{
    return {"media-optical-dvd", "media-optical", "drive-optical"};
}

std::vector<std::string> IconNamesForPath(const std::wstring& path)
{
    std::error_code ec;
    if (std::filesystem::is_directory(std::filesystem::path(path), ec))
        return FolderIconNames();
    const wxString ext = wxFileName(wxString(path)).GetExt().Lower();
    wxString mime;
    if (!ext.empty() && wxTheMimeTypesManager) {
        std::unique_ptr<wxFileType> type(wxTheMimeTypesManager->GetFileTypeFromExtension(ext));
        if (type)
            type->GetMimeType(&mime);
    }
    return IconNamesForMimeType(mime.ToStdString());
}

wxBitmap LoadThemeIcon(const std::vector<std::string>& names, const wxSize& size)
{
    // Under GTK a name that is not one of wxWidgets' own art ids is looked
    // up in the icon theme.
    for (const std::string& name : names) {
        wxBitmap icon = wxArtProvider::GetBitmap(wxString::FromUTF8(name), wxART_LIST, size);
        if (icon.IsOk())
            return icon;
    }
    return wxBitmap();
}
