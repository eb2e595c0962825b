#include "controls/res/ResourceBridge.h"
#include "platform/ResourceLibrary.h"
#include <map>
#include <set>
#include <wx/dialog.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/imaglist.h>
#include <wx/menu.h>
#include <wx/toolbar.h>
#include <wx/xml/xml.h>
#include <wx/xrc/xmlres.h>

namespace fs = std::filesystem;

namespace KM::Res {

namespace {
const wchar_t* KindName(XrcKind kind)
{
    switch (kind) {
    case XrcKind::Dialog: return L"dialog";
    case XrcKind::Menu: return L"menu";
    case XrcKind::ToolBar: return L"toolbar";
    }
    return L"";
}

void EnsurePngHandler()
{
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
}

// The framework's XRC store (it owns and frees it), each file loaded once;
// dialog 360 and menu 360 share the name "360" and differ by class.
wxXmlResource& XrcStore()
{
    static bool handlers = [] {
        wxXmlResource::Get()->InitAllHandlers();
        return true;
    }();
    (void)handlers;
    return *wxXmlResource::Get();
}

bool EnsureXrcLoaded(unsigned id, XrcKind kind)
{
    static std::set<fs::path> loaded;
    fs::path file = XrcFile(id, kind);
    if (file.empty()) return false;
    if (loaded.count(file)) return true;
    if (!XrcStore().LoadFile(wxFileName(wxString(file.wstring())))) return false;
    loaded.insert(file);
    return true;
}
}  // namespace

wxString LoadString(unsigned id)
{
    return wxString(LoadResString(id));
}

bool HasString(unsigned id)
{
    const CResourceLibrary* lib = GetCurrentResourceLibrary();
    return lib && lib->HasString(id);
}

fs::path ImageFile(unsigned id)
{
    const CResourceLibrary* lib = GetCurrentResourceLibrary();
    return lib ? lib->FindFile(id, L".png") : fs::path();
}

wxImage LoadImage(unsigned id)
{
    fs::path file = ImageFile(id);
    if (file.empty()) return wxImage();
    EnsurePngHandler();
    wxLogNull quiet;  // a broken file gives an invalid image, not a message box
    return wxImage(wxString(file.wstring()), wxBITMAP_TYPE_PNG);
}

wxBitmap LoadBitmap(unsigned id)
{
    wxImage image = LoadImage(id);
    return image.IsOk() ? wxBitmap(image) : wxBitmap();
}

wxBitmap LoadBitmap(unsigned id, const wxColour& transparent)
{
    wxImage image = LoadImage(id);
    if (!image.IsOk()) return wxBitmap();
    image.SetMaskColour(transparent.Red(), transparent.Green(), transparent.Blue());
    return wxBitmap(image);
}

std::vector<wxImage> CutImageStrip(const wxImage& strip, int cellSize, const wxColour& transparent)
{
    std::vector<wxImage> cells;
    if (!strip.IsOk() || cellSize <= 0 || strip.GetHeight() != cellSize) return cells;
    for (int x = 0; x + cellSize <= strip.GetWidth(); x += cellSize) {
        wxImage cell = strip.GetSubImage(wxRect(x, 0, cellSize, cellSize));
        cell.SetMaskColour(transparent.Red(), transparent.Green(), transparent.Blue());
        cells.push_back(std::move(cell));
    }
    return cells;
}

std::unique_ptr<wxImageList> LoadImageStrip(unsigned id, int cellSize, const wxColour& transparent)
{
    std::vector<wxImage> cells = CutImageStrip(LoadImage(id), cellSize, transparent);
    if (cells.empty()) return nullptr;
    auto list = std::make_unique<wxImageList>(cellSize, cellSize, true, static_cast<int>(cells.size()));
    for (const wxImage& cell : cells) list->Add(wxBitmap(cell));
    return list;
}

wxString XrcFileName(unsigned id, XrcKind kind)
{
    return wxString::Format(L"%u.%ls.xrc", id, KindName(kind));
}

fs::path XrcFile(unsigned id, XrcKind kind)
{
    const CResourceLibrary* lib = GetCurrentResourceLibrary();
    if (!lib) return fs::path();
    return lib->FindFile(id, L"." + std::wstring(KindName(kind)) + L".xrc");
}

bool XrcDefines(unsigned id, XrcKind kind)
{
    fs::path file = XrcFile(id, kind);
    if (file.empty()) return false;
    wxXmlDocument doc;
    wxLogNull quiet;
    if (!doc.Load(wxString(file.wstring())) || !doc.GetRoot()) return false;
    const wxString cls = kind == XrcKind::Dialog ? "wxDialog" : kind == XrcKind::Menu ? "wxMenu" : "wxToolBar";
    const wxString name = wxString::Format("%u", id);
    for (const wxXmlNode* n = doc.GetRoot()->GetChildren(); n; n = n->GetNext())
        if (n->GetName() == "object" && n->GetAttribute("class") == cls && n->GetAttribute("name") == name) return true;
    return false;
}

bool LoadDialog(wxDialog& dialog, wxWindow* parent, unsigned id)
{
    return EnsureXrcLoaded(id, XrcKind::Dialog) && XrcStore().LoadDialog(&dialog, parent, wxString::Format("%u", id));
}

std::unique_ptr<wxMenu> LoadMenu(unsigned id)
{
    if (!EnsureXrcLoaded(id, XrcKind::Menu)) return nullptr;
    return std::unique_ptr<wxMenu>(XrcStore().LoadMenu(wxString::Format("%u", id)));
}

wxToolBar* LoadToolBar(wxWindow* parent, unsigned id)
{
    if (!EnsureXrcLoaded(id, XrcKind::ToolBar)) return nullptr;
    return XrcStore().LoadToolBar(parent, wxString::Format("%u", id));
}

wxColour ColourFromRef(uint32_t colorref)
{
    return wxColour(colorref & 0xFF, (colorref >> 8) & 0xFF, (colorref >> 16) & 0xFF);
}

}  // namespace KM::Res
