#include "shell/views/SourceTypeFolderViewFiles.h"
#include "controls/browse/FIO.h"
#include "controls/ids/CommandIds.h"
#include "controls/res/ResourceBridge.h"
#include "model/project/Project.h"
#include "model/source/KMFile.h"
#include "document/KestrelMediaDoc.h"
#include "shell/views/SourceListPage.h"
#include "shell/views/SourceIcons.h"
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/filename.h>
#include <wx/listctrl.h>
#include <wx/panel.h>
#include <wx/sizer.h>

namespace {

constexpr const wchar_t* kSupportedMasks =
    L"*.avi;*.wav;*.wave;*.mp3;*.mpeg;*.mpg;*.m1v;*.ts;*.m2t;*.h264;*.m2ts;*.m2v;*.mov;*.move;*.qt;*.3gp;*.3g2;"
    L"*.mp4;*.m4v;*.mkv;*.jpeg;*.jpg;*.bmp;*.gif;*.png;*.tiff;*.flv;*.swf;*.rm;*.ifo;*.vob;*.asf;*.wmv;*.tga;*.pcx;"
    L"*.ico;*.cur;*.wbmp;*.wbm;*.j2k;*.jp2;*.jpc;*.pgx;*.psd;*.ras;*.mif;*.pgm;*.ppm;*.ogg";

}  // namespace

CSourceTypeFolderViewFiles::CSourceTypeFolderViewFiles()
{
    m_nContextMenuId = 342;
    m_strLayoutName = L"SourceTypeFolderFiles";
}

std::vector<std::wstring> CSourceTypeFolderViewFiles::MaskChoices()
{
    std::vector<std::wstring> masks{L"*.*"};
    const std::wstring all = kSupportedMasks;
    size_t start = 0;
    while (start < all.size()) {
        const size_t end = all.find(L';', start);
        masks.push_back(all.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (end == std::wstring::npos)
            break;
        start = end + 1;
    }
    return masks;
}

bool CSourceTypeFolderViewFiles::Create(wxWindow* parent, wxWindowID id)
{
    if (!CBaseFilesView::Create(parent, id))
        return false;
    m_list->EnableCheckBoxes(true);
    m_toolbar = new wxPanel(this, 334);
    auto* bar = new wxBoxSizer(wxHORIZONTAL);
    m_pathCombo = new wxComboBox(m_toolbar, KM::Cmd::TakeTypedFolder, wxEmptyString, wxDefaultPosition,
                                 wxSize(140, -1), 0, nullptr, wxTE_PROCESS_ENTER);
    auto* browse =
        new wxButton(m_toolbar, KM::Cmd::BrowseFolder, "...", wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
    m_maskCombo = new wxComboBox(m_toolbar, wxID_ANY, wxEmptyString, wxDefaultPosition, wxSize(70, -1), 0, nullptr,
                                 wxTE_PROCESS_ENTER);
    for (const std::wstring& mask : MaskChoices())
        m_maskCombo->Append(wxString(mask));
    m_recursive = new wxCheckBox(m_toolbar, wxID_ANY, "+");
    m_recursive->SetToolTip(KM::Res::LoadString(KM::Cmd::FolderRecursive));
    bar->Add(m_pathCombo, 1, wxALIGN_CENTER_VERTICAL | wxALL, 2);
    bar->Add(browse, 0, wxALIGN_CENTER_VERTICAL | wxALL, 2);
    bar->Add(m_maskCombo, 0, wxALIGN_CENTER_VERTICAL | wxALL, 2);
    bar->Add(m_recursive, 0, wxALIGN_CENTER_VERTICAL | wxALL, 2);
    m_toolbar->SetSizer(bar);

    m_pathCombo->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { OnExecuteCommand(KM::Cmd::TakeTypedFolder); });
    m_pathCombo->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) { OnExecuteCommand(KM::Cmd::TakeTypedFolder); });
    m_maskCombo->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { OnExecuteCommand(KM::Cmd::ApplyFileMask); });
    m_maskCombo->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) { OnExecuteCommand(KM::Cmd::ApplyFileMask); });
    m_recursive->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { OnExecuteCommand(KM::Cmd::FolderRecursive); });
    m_list->Bind(wxEVT_LIST_ITEM_CHECKED, [this](wxListEvent& e) { OnChecked(e, true); });
    m_list->Bind(wxEVT_LIST_ITEM_UNCHECKED, [this](wxListEvent& e) { OnChecked(e, false); });
    m_list->Bind(wxEVT_LIST_ITEM_ACTIVATED, &CSourceTypeFolderViewFiles::OnRowActivated, this);
    Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
        e.Skip();
        Layout2();
    });
    RegisterCommands();
    return true;
}

void CSourceTypeFolderViewFiles::Layout2()
{
    if (!m_toolbar)
        return;
    const wxSize client = GetClientSize();
    const int h = m_toolbar->GetBestSize().y;
    m_toolbar->SetSize(0, 0, client.x, h);
    m_list->SetSize(0, h, client.x, std::max(client.y - h, 0));
    AutoSizeColumn();
}

CInputFolder* CSourceTypeFolderViewFiles::Folder() const
{
    CKestrelMediaDoc* doc = GetDocument();
    return doc && doc->GetProject() ? &doc->GetProject()->InputFolder() : nullptr;
}

CFiles* CSourceTypeFolderViewFiles::Entries() const
{
    CInputFolder* folder = Folder();
    return folder ? &folder->m_listed : nullptr;
}

void CSourceTypeFolderViewFiles::OnInitialUpdate()
{
    CKestrelMediaDoc* doc = GetDocument();
    CInputFolder* folder = Folder();
    if (!doc || !folder || doc->GetProject()->m_sourceType != CParametersTransfer::kSourceFolder)
        return;
    m_pathCombo->ChangeValue(wxString(folder->m_folder));
    m_recursive->SetValue(folder->m_recursive != 0);
    RebuildRows();
}

void CSourceTypeFolderViewFiles::RebuildRows()
{
    CInputFolder* folder = Folder();
    if (!folder)
        return;
    m_refilling = true;
    m_bSuspend = true;
    m_list->Freeze();
    DeleteAllRows();
    folder->ScanFolder();
    long row = 0;
    long leftRow = -1;
    if (!folder->m_subPath.empty())
        m_list->InsertItem(row++, CInputFolder::kParentName, IconIndex(ParentFolderIconNames()));
    for (const auto& sub : folder->m_subFolders) {
        const long at = m_list->InsertItem(row++, wxString(sub->name), IconIndex(FolderIconNames()));
        m_list->CheckItem(at, folder->IsNotSelected(sub->path) == 1);
        if (sub->name == m_leftFolder)
            leftRow = at;
    }
    for (uint32_t i = 0; i < folder->m_listed.GetCount(); ++i)
        if (CKMFile* entry = folder->m_listed.GetAt(i)) {
            InsertRow(row, entry);
            m_list->CheckItem(row, folder->IsNotSelected(entry->m_fileName) == 1);
            ++row;
        }
    CKestrelMediaDoc* doc = GetDocument();
    long select = leftRow;
    for (long r = 0; r < m_list->GetItemCount() && select < 0; ++r)
        if (EntryAt(r) && doc && EntryAt(r) == doc->GetCurrentFile())
            select = r;
    if (select >= 0)
        m_list->SetItemState(select, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                             wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    AutoSizeColumn();
    m_list->Thaw();
    m_bSuspend = false;
    m_refilling = false;
    SyncAfterChange();
    m_leftFolder.clear();
    m_maskCombo->ChangeValue(wxString(folder->m_fileMask));
}

void CSourceTypeFolderViewFiles::OnChecked(wxListEvent& event, bool checked)
{
    if (m_refilling)
        return;
    CKestrelMediaDoc* doc = GetDocument();
    const long row = event.GetIndex();
    const std::wstring text = m_list->GetItemText(row).ToStdWstring();
    if (!doc || text == CInputFolder::kParentName)
        return;
    if (CKMFile* entry = EntryAt(row)) {
        checked ? doc->UnselectFile(entry) : doc->SelectFile(entry);
    } else {
        checked ? doc->UnselectSubFolder(text) : doc->SelectSubFolder(text);
    }
}

void CSourceTypeFolderViewFiles::CheckAll(bool check)
{
    for (long row = 0; row < m_list->GetItemCount(); ++row)
        if (m_list->IsItemChecked(row) != check && m_list->GetItemText(row) != CInputFolder::kParentName)
            m_list->CheckItem(row, check);  // the check event makes the document's call
}

void CSourceTypeFolderViewFiles::RemoveAllRows()
{
    CKestrelMediaDoc* doc = GetDocument();
    if (!doc)
        return;
    m_list->Freeze();
    m_refilling = true;
    m_bSuspend = true;
    for (long row = m_list->GetItemCount() - 1; row >= 0; --row) {
        const std::wstring text = m_list->GetItemText(row).ToStdWstring();
        if (CKMFile* entry = EntryAt(row))
            doc->SelectFile(entry);
        else if (text != CInputFolder::kParentName)
            doc->SelectSubFolder(text);
        DeleteRow(row);
    }
    m_bSuspend = false;
    m_refilling = false;
    AutoSizeColumn();
    m_list->Thaw();
    SyncAfterChange();
}

void CSourceTypeFolderViewFiles::SetFolder(const std::wstring& name)
{
    CInputFolder* folder = Folder();
    if (!folder)
        return;
    std::wstring left;
    folder->ChangeFolder(&left, name);
    m_leftFolder = left;
    OnInitialUpdate();
}

void CSourceTypeFolderViewFiles::OnRowActivated(wxListEvent& event)
{
    // A folder row opens the folder; a file row goes on to the list's own
    // handler, which plays or pauses it in the preview.
    if (EntryAt(event.GetIndex()))
        event.Skip();
    else
        SetFolder(m_list->GetItemText(event.GetIndex()).ToStdWstring());
}

void CSourceTypeFolderViewFiles::TakeFolder(const std::wstring& path)
{
    CKestrelMediaDoc* doc = GetDocument();
    if (!doc)
        return;
    doc->SetFolder(path);  // a path that is no folder is kept and reported to the log
    OnInitialUpdate();
}

CCommandTable::Action CSourceTypeFolderViewFiles::OnFolder(
    std::function<void(CKestrelMediaDoc&, CInputFolder&)> action)
{
    return [this, action = std::move(action)] {
        CKestrelMediaDoc* doc = GetDocument();
        if (CInputFolder* folder = Folder(); doc && folder)
            action(*doc, *folder);
    };
}

void CSourceTypeFolderViewFiles::RegisterCommands()
{
    using namespace KM::Cmd;
    m_commands
        .Add(BrowseFolder, OnFolder([this](CKestrelMediaDoc&, CInputFolder& folder) {
                 std::wstring path = folder.m_folder;
                 if (CFIO::BrowseForFolder(path, this))
                     TakeFolder(path);
             }))
        .Add(TakeTypedFolder,
             OnFolder([this](CKestrelMediaDoc&, CInputFolder&) { TakeFolder(m_pathCombo->GetValue().ToStdWstring()); }))
        .Add(ReloadFolder, OnFolder([this](CKestrelMediaDoc& doc, CInputFolder&) {
                 doc.RefreshFolder();
                 OnInitialUpdate();
             }))
        .Add(RemoveAllSources, [this] { return Enabled(m_list->GetItemCount() > 0); },
             OnFolder([this](CKestrelMediaDoc&, CInputFolder&) { RemoveAllRows(); }))
        .Add(SelectAll, OnFolder([this](CKestrelMediaDoc&, CInputFolder&) {
                 for (long row = 0; row < m_list->GetItemCount(); ++row)
                     m_list->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
                 SyncAfterChange();
             }))
        .Add(FolderRecursive, [this] { return Checked(Folder() && Folder()->m_recursive); },
             OnFolder([this](CKestrelMediaDoc& doc, CInputFolder&) {
                 doc.ToggleRecursive();
                 OnInitialUpdate();
             }))
        .Add(ApplyFileMask, OnFolder([this](CKestrelMediaDoc& doc, CInputFolder&) {
                 doc.SetFileMask(m_maskCombo->GetValue().ToStdWstring());
                 OnInitialUpdate();
             }))
        .Add(CheckAllRows, OnFolder([this](CKestrelMediaDoc&, CInputFolder&) { CheckAll(true); }))
        .Add(UncheckAllRows, OnFolder([this](CKestrelMediaDoc&, CInputFolder&) { CheckAll(false); }))
        // Delete does nothing on this page.
        .Add(FolderDeleteKey, [] { return Enabled(false); }, {})
        .Add(RemoveSources, [] { return Enabled(false); }, {});
}

namespace {

// The folder page, shown for source type 1.
const CPageRegistration kPage(
    SourceListPage<CSourceTypeFolderViewFiles>(kPageFolder, 1, 2, 2, L"SourceTypeFolderFiles_x"));

}  // namespace
