#pragma once
// The window program's access to the resource library (platform/ResourceLibrary.h):
// strings, images and XRC dialogs, menus and toolbars, each by numeric id.
// Files in res/: "<id>.png" for images (image lists are horizontal strips of
// square cells), "<id>.dialog.xrc", "<id>.menu.xrc", "<id>.toolbar.xrc" for XRC,
// whose top object is named "<id>". Every id the window code uses is listed
// in resources/ResourceIds.tsv, which a test checks against the built res/.
// Window thread only.
#include <filesystem>
#include <memory>
#include <vector>
#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/image.h>
#include <wx/menu.h>
#include <wx/string.h>

class wxDialog;
class wxImageList;
class wxToolBar;
class wxWindow;

namespace KM::Res {

enum class XrcKind { Dialog, Menu, ToolBar };

// Text of a string id; empty when the library or the id is missing.
wxString LoadString(unsigned id);
bool HasString(unsigned id);

// "<id>.png" of the current library, or an empty path.
std::filesystem::path ImageFile(unsigned id);
// The picture of an image id; not IsOk() when it is missing or unreadable.
wxImage LoadImage(unsigned id);
// As a bitmap; pixels of the transparent colour (when given) are left out when drawn.
wxBitmap LoadBitmap(unsigned id);
wxBitmap LoadBitmap(unsigned id, const wxColour& transparent);
// A strip of cellSize cells cut into an image list; null when the image is
// missing or its height is not the cell height.
std::unique_ptr<wxImageList> LoadImageStrip(unsigned id, int cellSize, const wxColour& transparent);
// The same cut on an image already loaded (no display needed): the cells in order.
std::vector<wxImage> CutImageStrip(const wxImage& strip, int cellSize, const wxColour& transparent);

// File name part of an XRC resource: "360.dialog.xrc".
wxString XrcFileName(unsigned id, XrcKind kind);
// The file in the current library, or an empty path.
std::filesystem::path XrcFile(unsigned id, XrcKind kind);
// True when the XRC file of id exists and defines the object "<id>" of its
// kind (wxDialog, wxMenu, wxToolBar); reads the file without building anything.
bool XrcDefines(unsigned id, XrcKind kind);
// Builds the dialog of id into dialog (two-step creation); false when missing.
bool LoadDialog(wxDialog& dialog, wxWindow* parent, unsigned id);
// The menu of id, or null.
std::unique_ptr<wxMenu> LoadMenu(unsigned id);
// The toolbar of id as a child of parent (which owns it), or null.
wxToolBar* LoadToolBar(wxWindow* parent, unsigned id);

// Colour from a 0x00BBGGRR value.
wxColour ColourFromRef(uint32_t colorref);

}  // namespace KM::Res
