#include "shell/views/FileListDropTarget.h"
#include "shell/ShellRegistrations.h"
#include <wx/filefn.h>
#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

wxDragResult FileListDropEffect(bool offersPrivateFormat, bool offersFiles, wxDragResult suggested)
{
    if (offersPrivateFormat || !offersFiles)
        return wxDragNone;
    return suggested == wxDragNone ? wxDragNone : wxDragCopy;
}

bool CFileListDropTarget::DragOffersPrivateFormat()
{
#ifdef __WXGTK__
    // wxWidgets only tells the first format both sides share; the drag's
    // whole list is GTK's.
    if (!m_dragContext)
        return false;
    const GdkAtom wanted = KM::Shell::ClipboardFormat().GetFormatId();
    for (GList* t = gdk_drag_context_list_targets(m_dragContext); t; t = t->next)
        if (GDK_POINTER_TO_ATOM(t->data) == wanted)
            return true;
#endif
    return false;
}

wxDragResult CFileListDropTarget::OnEnter(wxCoord x, wxCoord y, wxDragResult def)
{
    return OnDragOver(x, y, def);
}

wxDragResult CFileListDropTarget::OnDragOver(wxCoord, wxCoord, wxDragResult def)
{
    return FileListDropEffect(DragOffersPrivateFormat(), GetMatchingPair() == wxDF_FILENAME, def);
}

bool CFileListDropTarget::OnDrop(wxCoord, wxCoord)
{
    return !DragOffersPrivateFormat();
}

bool CFileListDropTarget::OnDropFiles(wxCoord, wxCoord, const wxArrayString& names)
{
    std::vector<std::wstring> files;
    for (const wxString& name : names)
        if (!wxDirExists(name))
            files.push_back(name.ToStdWstring());
    m_addFiles(files);
    return true;
}
