#include "shell/views/SourceTypeFileView.h"
#include "controls/ids/CommandIds.h"
#include "model/project/Project.h"
#include "document/KestrelMediaDoc.h"
#include "shell/views/SourceListPage.h"
#include "shell/views/FileListDropTarget.h"
#include "shell/views/SourceRowText.h"
#include <filesystem>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/dnd.h>
#include <wx/listctrl.h>
#include <wx/utils.h>

namespace {


}  // namespace

CSourceTypeFileView::CSourceTypeFileView()
{
    m_nContextMenuId = 310;
    m_strLayoutName = L"SourceTypeFile";
}

bool CSourceTypeFileView::Create(wxWindow* parent, wxWindowID id)
{
    if (!CBaseFilesView::Create(parent, id))
        return false;
    m_list->SetDropTarget(  // the list owns it
        new CFileListDropTarget([this](const std::vector<std::wstring>& files) { AddFiles(files); }));
    m_list->Bind(wxEVT_KEY_DOWN, &CSourceTypeFileView::OnKeyDown, this);
    RegisterCommands();
    return true;
}

CFiles* CSourceTypeFileView::Entries() const
{
    CKestrelMediaDoc* doc = GetDocument();
    return doc && doc->GetProject() ? &doc->GetProject()->InputFiles() : nullptr;
}

void CSourceTypeFileView::OnKeyDown(wxKeyEvent& event)
{
    if (event.GetKeyCode() == WXK_DELETE)
        OnExecuteCommand(KM::Cmd::RemoveSources);
    else
        event.Skip();
}

void CSourceTypeFileView::RegisterCommands()
{
    using namespace KM::Cmd;
    m_commands.Add(KM::Cmd::AddFiles, [this] { AddFromDialog(); })
        .Add(RemoveAllSources, [this] { return Enabled(m_list->GetItemCount() > 0); }, [this] { RemoveAll(); })
        .Add(RemoveSources, [this] { RemoveSelected(); })
        .Add(SelectAll, [this] { SelectAllRows(); })
        .Add(EditCopy,
             [this] {
                 PutFilesOnClipboard(SelectedTexts());
                 SyncAfterChange();
             })
        .Add(EditCut,
             [this] {
                 m_list->Freeze();
                 const std::vector<long> rows = SelectedRows();
                 PutFilesOnClipboard(SelectedTexts());
                 RemoveRows(rows);
                 m_list->Thaw();
                 SyncAfterChange();
             })
        .Add(EditPaste, [] { return Enabled(!ClipboardFiles().empty()); }, [this] { Paste(); });
}


void CSourceTypeFileView::AddFromDialog()
{
    CKestrelMediaDoc* doc = GetDocument();
    CFiles* files = Entries();
    if (!doc || !files)
        return;
    const long first = static_cast<long>(files->GetCount());
    if (!doc->AddFilesFromDialog())
        return;
    AppendRows();
    CheckRowsFrom(first);
    if (first < m_list->GetItemCount()) {
        for (long row : SelectedRows())
            m_list->SetItemState(row, 0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
        SelectRow(first);
    }
}

void CSourceTypeFileView::AddFiles(const std::vector<std::wstring>& paths)
{
    CKestrelMediaDoc* doc = GetDocument();
    CFiles* files = Entries();
    if (!doc || !files || paths.empty())
        return;
    const long first = static_cast<long>(files->GetCount());
    files->AddFiles(paths);
    doc->SetModifiedFlag(true);
    AppendRows();
    CheckRowsFrom(first);
}

void CSourceTypeFileView::RemoveAll()
{
    wxBusyCursor wait;
    m_bSuspend = true;
    if (CKestrelMediaDoc* doc = GetDocument()) {
        doc->SetCurrentFile(nullptr);
        doc->RemoveAllFiles();
    }
    DeleteAllRows();
    m_bSuspend = false;
    SyncAfterChange();
}

void CSourceTypeFileView::RemoveSelected()
{
    const std::vector<long> rows = SelectedRows();
    if (rows.empty()) {
        RemoveAll();
        return;
    }
    wxBusyCursor wait;
    m_list->Freeze();
    RemoveRows(rows);
    AutoSizeColumn();
    m_list->Thaw();
    SyncAfterChange();
}

// Last first, so the indices of the rows still to go stay right.
void CSourceTypeFileView::RemoveRows(const std::vector<long>& rows)
{
    CKestrelMediaDoc* doc = GetDocument();
    if (!doc)
        return;
    m_bSuspend = true;
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        doc->RemoveFile(static_cast<int>(*it));
        DeleteRow(*it);
    }
    m_bSuspend = false;
}

void CSourceTypeFileView::SelectAllRows()
{
    m_bSuspend = true;
    for (long row = 0; row < m_list->GetItemCount(); ++row)
        m_list->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    m_bSuspend = false;
    SyncAfterChange();
}

std::vector<std::wstring> CSourceTypeFileView::SelectedTexts() const
{
    std::vector<std::wstring> texts;
    for (long row : SelectedRows())
        if (CKMFile* entry = EntryAt(row))
            texts.push_back(ClipboardRowText(entry->GetDisplayName()));
    return texts;
}

void CSourceTypeFileView::Paste()
{
    const std::vector<std::wstring> paths = ClipboardFiles();
    CKestrelMediaDoc* doc = GetDocument();
    CFiles* files = Entries();
    if (!doc || !files)
        return;
    const long first = static_cast<long>(files->GetCount());
    if (!paths.empty())
        files->AddFiles(paths);
    doc->SetModifiedFlag(true);
    AppendRows();
    CheckRowsFrom(first);
    SyncAfterChange();
}

std::vector<std::wstring> CSourceTypeFileView::ClipboardFiles()
{
    std::vector<std::wstring> paths;
    wxClipboardLocker lock;
    if (!lock || !wxTheClipboard->IsSupported(wxDF_FILENAME))
        return paths;
    wxFileDataObject data;
    if (wxTheClipboard->GetData(data))
        for (const wxString& name : data.GetFilenames())
            paths.push_back(name.ToStdWstring());
    return paths;
}

bool CSourceTypeFileView::PutFilesOnClipboard(const std::vector<std::wstring>& paths)
{
    wxClipboardLocker lock;
    if (!lock)
        return false;
    auto data = std::make_unique<wxFileDataObject>();
    for (const std::wstring& path : paths)
        data->AddFile(wxString(path));
    return wxTheClipboard->SetData(data.release());  // the clipboard owns it
}

namespace {

// The file list page, shown for source type 0.
const CPageRegistration kPage(SourceListPage<CSourceTypeFileView>(kPageFiles, 0, 0, 0, L"SourceTypeFile_x"));

}  // namespace
