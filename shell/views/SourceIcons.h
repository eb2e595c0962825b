#pragma once
// Icons of the source lists' rows, taken from the desktop's icon theme by the
// freedesktop names: a file by its media type (the exact type first, then its
// family's generic icon), a folder as a folder, a DVD title as a disc.
#include <string>
#include <vector>
#include <wx/bitmap.h>

// Theme names to try, best first, for a media type such as "video/mp4".
std::vector<std::string> IconNamesForMimeType(const std::string& mimeType);
// The same for a path: a folder's names, or those of the type its extension
// names (a path with an unknown extension gets the generic file icon).
std::vector<std::string> IconNamesForPath(const std::wstring& path);
std::vector<std::string> FolderIconNames();
std::vector<std::string> ParentFolderIconNames();
std::vector<std::string> DiscIconNames();

// The first of names the theme has, at size; an invalid bitmap when none.
wxBitmap LoadThemeIcon(const std::vector<std::string>& names, const wxSize& size);
