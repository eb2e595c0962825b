#include "shell/views/BaseFilesView.h"
#include "controls/ids/CommandIds.h"
#include "controls/ids/StringIds.h"
#include "controls/ids/WindowMessages.h"
#include "controls/res/ResourceBridge.h"
#include "controls/small/ListDropDownCtrl.h"
#include "model/project/Project.h"
#include "model/source/KMFile.h"
#include "player/Player.h"
#include "document/KestrelMediaDoc.h"
#include "shell/views/SourceIcons.h"
#include "shell/views/SourceRowText.h"
#include <wx/imaglist.h>
#include <wx/listctrl.h>
#include <wx/utils.h>

bool CBaseListView::Create(wxWindow* parent, wxWindowID id)
{
    if (!CBaseView::Create(parent, id))
        return false;
    m_list = new CListDropDownCtrl(this, kListId, wxDefaultPosition, GetClientSize(), wxLC_REPORT);
    Bind(wxEVT_SIZE, &CBaseListView::OnSizeChanged, this);
    return true;
}

void CBaseListView::OnSizeChanged(wxSizeEvent& event)
{
    event.Skip();
    if (m_list)
        m_list->SetSize(GetClientSize());
}

bool CBaseFilesView::Create(wxWindow* parent, wxWindowID id)
{
    if (!CBaseListView::Create(parent, id))
        return false;
    m_list->InsertColumn(0, KM::Res::LoadString(KM::Str::FileColumn), wxLIST_FORMAT_LEFT, 200);
    m_list->AssignImageList(new wxImageList(16, 16, true, 10), wxIMAGE_LIST_SMALL);  // the list owns it
    m_list->Bind(wxEVT_LIST_ITEM_FOCUSED, &CBaseFilesView::OnItemFocused, this);
    m_list->Bind(wxEVT_LIST_ITEM_SELECTED, &CBaseFilesView::OnItemFocused, this);
    m_list->Bind(wxEVT_LIST_ITEM_ACTIVATED, &CBaseFilesView::OnActivated, this);
    m_list->Bind(wxEVT_LEFT_UP, &CBaseFilesView::OnLeftClick, this);
    m_list->Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
        e.Skip();
        AutoSizeColumn();
    });
    if (CKestrelMediaDoc* doc = GetDocument())
        m_projectRegistration = doc->GetProjectReplacedNotice().Register(this);
    return true;
}

void CBaseFilesView::OnProjectReplacing(CProject*, CProject*)
{
    m_nLastSelected = -1;
    DeleteAllRows();
}

CBaseFilesView::~CBaseFilesView()
{
    // The list's last events must still find this view whole.
    m_bSuspend = true;
    m_bClosing = true;
    DestroyChildren();
    m_list = nullptr;
}

void CBaseFilesView::SetPeerViews(wxWindow* properties, wxWindow* preview)
{
    m_pProperties = properties;
    m_pPreview = preview;
}

CKMFile* CBaseFilesView::EntryAt(long row) const
{
    if (!m_list || row < 0 || row >= m_list->GetItemCount())
        return nullptr;
    return reinterpret_cast<CKMFile*>(m_list->GetItemData(row));
}

bool CBaseFilesView::HasRowText(const std::wstring& text) const
{
    return m_rowTexts.count(NormalisedRowText(text)) > 0;
}

void CBaseFilesView::OnInitialUpdate()
{
    m_nLastSelected = -1;
    CBaseView::OnInitialUpdate();
    m_list->Freeze();
    DeleteAllRows();
    AppendRows();
    CKestrelMediaDoc* doc = GetDocument();
    CKMFile* current = doc ? doc->GetCurrentFile() : nullptr;
    for (long row = 0; row < m_list->GetItemCount(); ++row)
        if (EntryAt(row) == current && current) {
            m_bSuspend = true;
            m_list->SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                                 wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
            m_bSuspend = false;
            m_nLastSelected = row;
        }
    m_list->Thaw();
    RefreshPeers();
}

std::vector<std::string> CBaseFilesView::RowIconNames(const CKMFile& entry) const
{
    return IconNamesForPath(entry.m_fileName);
}

int CBaseFilesView::IconIndex(const std::vector<std::string>& names)
{
    const auto known = m_iconCache.find(names);
    if (known != m_iconCache.end())
        return known->second;
    int index = -1;
    wxImageList* images = m_list->GetImageList(wxIMAGE_LIST_SMALL);
    const wxBitmap icon = LoadThemeIcon(names, wxSize(16, 16));
    if (images && icon.IsOk())
        index = images->Add(wxBitmap(icon.ConvertToImage().Rescale(16, 16, wxIMAGE_QUALITY_HIGH)));
    m_iconCache.emplace(names, index);
    return index;
}

void CBaseFilesView::InsertRow(long row, CKMFile* entry)
{
    const std::wstring name = entry->GetDisplayName();
    const long at = m_list->InsertItem(row, wxString(name), IconIndex(RowIconNames(*entry)));
    m_list->SetItemPtrData(at, reinterpret_cast<wxUIntPtr>(entry));
    m_rowTexts.insert(NormalisedRowText(name));
}

void CBaseFilesView::CheckRowsFrom(long first)
{
    CFiles* files = Entries();
    if (!files)
        return;
    wxBusyCursor wait;
    for (long row = std::max(first, 0L); row < m_list->GetItemCount(); ++row) {
        CKMFile* entry = EntryAt(row);
        if (!entry)
            continue;
        if (!entry->CurrentSource() && entry->m_openError.empty()) {
            entry->m_owner = files;
            entry->OpenMediaSource(entry->m_fileName);
        }
        ShowRowState(row);
    }
}

void CBaseFilesView::ShowRowState(long row)
{
    CKMFile* entry = EntryAt(row);
    if (!entry)
        return;
    const std::wstring name = entry->GetDisplayName();
    const bool broken = !entry->m_openError.empty();
    m_list->SetItemText(row, broken ? name + L"  \u2014  " + entry->m_openError : name);
    m_list->SetItemTextColour(row, broken ? wxColour(192, 0, 0) : m_list->GetTextColour());
}

void CBaseFilesView::AppendRows()
{
    CFiles* files = Entries();
    if (!files)
        return;
    for (uint32_t i = static_cast<uint32_t>(m_list->GetItemCount()); i < files->GetCount(); ++i)
        if (CKMFile* entry = files->GetAt(i))
            InsertRow(static_cast<long>(i), entry);
    AutoSizeColumn();
}

void CBaseFilesView::DeleteAllRows()
{
    // Emptying the list tells of a focus change with no row: nothing to act on.
    const bool suspended = m_bSuspend;
    m_bSuspend = true;
    m_list->DeleteAllItems();
    m_bSuspend = suspended;
    m_rowTexts.clear();
    AutoSizeColumn();
}

void CBaseFilesView::DeleteRow(long row)
{
    // By the entry's name: a row's text may also say why it cannot be read.
    CKMFile* entry = EntryAt(row);
    const std::wstring name = entry ? entry->GetDisplayName() : m_list->GetItemText(row).ToStdWstring();
    const auto it = m_rowTexts.find(NormalisedRowText(name));
    if (it != m_rowTexts.end())
        m_rowTexts.erase(it);
    m_list->DeleteItem(row);
}

void CBaseFilesView::AutoSizeColumn()
{
    if (!m_bClosing && m_list && m_list->GetColumnCount() > 0)
        m_list->SetColumnWidth(0, std::max(m_list->GetClientSize().x, 50));
}

std::vector<long> CBaseFilesView::SelectedRows() const
{
    std::vector<long> rows;
    for (long row = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); row != -1;
         row = m_list->GetNextItem(row, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
        rows.push_back(row);
    return rows;
}

void CBaseFilesView::RefreshPeers()
{
    for (wxWindow* peer : {m_pProperties, m_pPreview})
        if (peer)
            KM::SendWindowMessage(peer, KM::WM_KM_REINIT_VIEW);
}

void CBaseFilesView::LetGoOfCurrentFile()
{
    CKestrelMediaDoc* doc = GetDocument();
    if (!doc)
        return;
    if (CPlayer* player = CPlayer::Instance(); player && doc->GetCurrentFile())
        player->CloseGraph();
    doc->DetachPlayer();
    doc->SetCurrentFile(nullptr);
    if (CFiles* files = Entries())
        files->ReleaseOtherSources(nullptr);
    doc->BroadcastClearMessages();
}

void CBaseFilesView::SyncAfterChange()
{
    wxBusyCursor wait;
    const long row = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED);
    if (row < 0 || !EntryAt(row)) {
        LetGoOfCurrentFile();
        RefreshPeers();
        m_nLastSelected = -1;
        return;
    }
    SelectRow(row);
}

void CBaseFilesView::MakeCurrent(CKMFile* entry)
{
    CKestrelMediaDoc* doc = GetDocument();
    if (doc && doc->SetCurrentFile(entry) == CKMChapter::kSplitIntoChapters)
        ApplyPendingRowChanges();
}

// A file split into titles: its entry now names the first title and the
// other titles were appended to the entries.
void CBaseFilesView::ApplyPendingRowChanges()
{
    const bool suspended = m_bSuspend;
    m_bSuspend = true;
    for (long row = 0; row < m_list->GetItemCount(); ++row) {
        CKMFile* entry = EntryAt(row);
        const wxString old = m_list->GetItemText(row);
        const std::wstring name = entry ? entry->GetDisplayName() : std::wstring();
        if (!entry || old.ToStdWstring() == name)
            continue;
        const auto it = m_rowTexts.find(NormalisedRowText(old.ToStdWstring()));
        if (it != m_rowTexts.end())
            m_rowTexts.erase(it);
        m_list->SetItemText(row, wxString(name));
        m_rowTexts.insert(NormalisedRowText(name));
    }
    AppendSplitRows();
    m_bSuspend = suspended;
}

void CBaseFilesView::SelectRow(long row)
{
    m_nLastSelected = row;
    MakeCurrent(EntryAt(row));
    m_bSuspend = true;
    m_list->SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                         wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    m_list->EnsureVisible(row);
    m_bSuspend = false;
    RefreshPeers();
}

void CBaseFilesView::OnItemFocused(wxListEvent& event)
{
    event.Skip();
    const long row = event.GetIndex();
    if (m_bSuspend || row < 0 || row >= m_list->GetItemCount())
        return;
    if (!(m_list->GetItemState(row, wxLIST_STATE_FOCUSED) & wxLIST_STATE_FOCUSED))
        return;
    wxBusyCursor wait;
    const bool changed = row != m_nLastSelected;
    m_nLastSelected = row;
    CKMFile* entry = EntryAt(row);
    if (!entry)
        LetGoOfCurrentFile();
    else
        MakeCurrent(entry);
    if (changed)
        RefreshPeers();
}

void CBaseFilesView::OnLeftClick(wxMouseEvent& event)
{
    event.Skip();
    // A click on empty space never leaves the list without a selection.
    if (!SelectedRows().empty() || m_nLastSelected < 0 || m_nLastSelected >= m_list->GetItemCount())
        return;
    m_list->SetFocus();
    m_list->EnsureVisible(m_nLastSelected);
    m_bSuspend = true;
    m_list->SetItemState(m_nLastSelected, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                         wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    m_bSuspend = false;
}

void CBaseFilesView::OnActivated(wxListEvent& event)
{
    if (EntryAt(event.GetIndex()) && m_pPreview) {
        wxCommandEvent play(wxEVT_MENU, KM::Cmd::PlayPause);
        if (auto* view = dynamic_cast<CBaseView*>(m_pPreview))
            view->RouteCommand(play);
    }
}
