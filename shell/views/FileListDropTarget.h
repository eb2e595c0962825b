#pragma once
// The file list's drop target: files dragged from the desktop are added
// (folders among them left out); a drag that carries the program's own
// private format is refused, even when it also carries files.
#include <wx/dnd.h>
#include <functional>
#include <string>
#include <vector>

// What a drag may do over the list, from the formats it offers.
wxDragResult FileListDropEffect(bool offersPrivateFormat, bool offersFiles, wxDragResult suggested);

class CFileListDropTarget : public wxFileDropTarget {
public:
    using AddFiles = std::function<void(const std::vector<std::wstring>&)>;
    explicit CFileListDropTarget(AddFiles addFiles) : m_addFiles(std::move(addFiles)) {}

    wxDragResult OnEnter(wxCoord x, wxCoord y, wxDragResult def) override;
    wxDragResult OnDragOver(wxCoord x, wxCoord y, wxDragResult def) override;
    bool OnDrop(wxCoord x, wxCoord y) override;
    bool OnDropFiles(wxCoord x, wxCoord y, const wxArrayString& names) override;

private:
    // Whether the drag under way offers the private format.
    bool DragOffersPrivateFormat();

    AddFiles m_addFiles;
};
