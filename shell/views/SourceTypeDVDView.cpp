#include "shell/views/SourceTypeDVDView.h"
#include "controls/browse/FIO.h"
#include "controls/ids/CommandIds.h"
#include "controls/ids/StringIds.h"
#include "controls/res/ResourceBridge.h"
#include "model/project/Project.h"
#include "model/source/KMFile.h"
#include "document/KestrelMediaDoc.h"
#include "shell/views/SourceListPage.h"
#include "shell/views/DvdDrives.h"
#include "shell/views/SourceIcons.h"
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/listctrl.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/tglbtn.h>

CSourceTypeDVDView::CSourceTypeDVDView()
{
    m_nContextMenuId = 351;
    m_strLayoutName = L"SourceTypeDVD";
}

bool CSourceTypeDVDView::Create(wxWindow* parent, wxWindowID id)
{
    if (!CBaseFilesView::Create(parent, id))
        return false;
    m_list->EnableCheckBoxes(true);
    wxListItem column;
    column.SetText(KM::Res::LoadString(KM::Str::TitleColumn));
    column.SetMask(wxLIST_MASK_TEXT);
    m_list->SetColumn(0, column);
    m_toolbar = new wxPanel(this, 343);
    auto* bar = new wxBoxSizer(wxHORIZONTAL);
    // The optical drives and mounted discs; a disc folder or image may also be typed or chosen.
    m_driveCombo = new wxComboBox(m_toolbar, KM::Cmd::TakeTypedDrive, wxEmptyString, wxDefaultPosition, wxSize(200, -1), 0, nullptr,
                                  wxTE_PROCESS_ENTER);
    for (const std::wstring& drive : ListDvdDrives())
        m_driveCombo->Append(wxString(drive));
    bar->Add(m_driveCombo, 1, wxALIGN_CENTER_VERTICAL | wxALL, 2);
    bar->Add(new wxButton(m_toolbar, KM::Cmd::BrowseDvd, "...", wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT), 0,
             wxALIGN_CENTER_VERTICAL | wxALL, 2);
    // Shows the join flag's state through the view's update pass.
    m_joinButton = new wxToggleButton(m_toolbar, KM::Cmd::JoinDvdTitles, KM::Res::LoadString(KM::Cmd::JoinDvdTitles));
    bar->Add(m_joinButton, 0, wxALIGN_CENTER_VERTICAL | wxALL, 2);
    // Only a press that differs from the flag toggles it: the update pass
    // setting the button's state must not.
    m_joinButton->Bind(wxEVT_TOGGLEBUTTON, [this](wxCommandEvent& e) {
        if (CInputDVD* dvd = Dvd(); dvd && e.IsChecked() != (dvd->m_join != 0))
            OnExecuteCommand(KM::Cmd::JoinDvdTitles);
    });
    m_toolbar->SetSizer(bar);
    m_driveCombo->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { OnExecuteCommand(KM::Cmd::TakeTypedDrive); });
    m_driveCombo->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) { OnExecuteCommand(KM::Cmd::TakeTypedDrive); });
    m_list->Bind(wxEVT_LIST_ITEM_CHECKED, [this](wxListEvent& e) { OnChecked(e, true); });
    m_list->Bind(wxEVT_LIST_ITEM_UNCHECKED, [this](wxListEvent& e) { OnChecked(e, false); });
    Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
        e.Skip();
        const wxSize client = GetClientSize();
        const int h = m_toolbar->GetBestSize().y;
        m_toolbar->SetSize(0, 0, client.x, h);
        m_list->SetSize(0, h, client.x, std::max(client.y - h, 0));
        AutoSizeColumn();
    });
    RegisterCommands();
    return true;
}

std::vector<std::string> CSourceTypeDVDView::RowIconNames(const CKMFile&) const
{
    return DiscIconNames();
}

CInputDVD* CSourceTypeDVDView::Dvd() const
{
    CKestrelMediaDoc* doc = GetDocument();
    return doc && doc->GetProject() ? &doc->GetProject()->InputDVD() : nullptr;
}

CFiles* CSourceTypeDVDView::Entries() const
{
    CInputDVD* dvd = Dvd();
    return dvd ? &dvd->m_titles : nullptr;
}

void CSourceTypeDVDView::OnInitialUpdate()
{
    ShowDvd();
}

void CSourceTypeDVDView::ShowDvd()
{
    CKestrelMediaDoc* doc = GetDocument();
    CInputDVD* dvd = Dvd();
    if (!doc || !dvd)
        return;
    m_driveCombo->ChangeValue(wxString(dvd->m_path));
    if (doc->GetProject()->m_sourceType == CParametersTransfer::kSourceDVD && !dvd->m_path.empty())
        doc->LoadDVDTitles(dvd->m_path);
    RebuildRows();
    RefreshPeers();
}

void CSourceTypeDVDView::RebuildRows()
{
    CInputDVD* dvd = Dvd();
    if (!dvd)
        return;
    m_refilling = true;
    m_bSuspend = true;
    m_list->Freeze();
    DeleteAllRows();
    long row = 0;
    for (uint32_t i = 0; i < dvd->m_titles.GetCount(); ++i)
        if (CKMFile* title = dvd->m_titles.GetAt(i)) {
            InsertRow(row, title);
            m_list->CheckItem(row, dvd->IsNotSelected(title->m_fileName) == 1);
            ++row;
        }
    SetLastSelectedRow(-1);
    AutoSizeColumn();
    m_list->Thaw();
    m_bSuspend = false;
    m_refilling = false;
}

void CSourceTypeDVDView::OnChecked(wxListEvent& event, bool checked)
{
    CKestrelMediaDoc* doc = GetDocument();
    CKMFile* title = EntryAt(event.GetIndex());
    if (m_refilling || !doc || !title)
        return;
    checked ? doc->UnselectTitle(title) : doc->SelectTitle(title);
}

CCommandTable::Action CSourceTypeDVDView::OnDvd(std::function<void(CKestrelMediaDoc&, CInputDVD&)> action)
{
    return [this, action = std::move(action)] {
        CKestrelMediaDoc* doc = GetDocument();
        if (CInputDVD* dvd = Dvd(); doc && dvd)
            action(*doc, *dvd);
    };
}

void CSourceTypeDVDView::RegisterCommands()
{
    using namespace KM::Cmd;
    auto disabled = [] { return Enabled(false); };
    m_commands
        .Add(BrowseDvd, OnDvd([this](CKestrelMediaDoc& doc, CInputDVD& dvd) {
                 std::wstring path = dvd.m_path;
                 if (CFIO::BrowseForFolder(path, this)) {
                     dvd.Close();
                     doc.SetDVDPath(path);
                 }
                 ShowDvd();
             }))
        .Add(ReloadDvdTitles, OnDvd([this](CKestrelMediaDoc& doc, CInputDVD&) {
                 doc.RefreshDVDTitles();
                 ShowDvd();
             }))
        .Add(TakeTypedDrive, OnDvd([this](CKestrelMediaDoc& doc, CInputDVD&) {
                 doc.SetDVDPath(m_driveCombo->GetValue().ToStdWstring());
                 ShowDvd();
             }))
        .Add(JoinDvdTitles,
             [this] {
                 CInputDVD* dvd = Dvd();
                 return Checked(dvd && dvd->m_join, dvd && dvd->GetDvdObject());
             },
             OnDvd([](CKestrelMediaDoc& doc, CInputDVD& dvd) {
                 if (dvd.GetDvdObject()) {
                     dvd.m_join = 1 - dvd.m_join;
                     doc.SetModifiedFlag(true);
                 }
             }))
        .Add(CheckAllRows, OnDvd([this](CKestrelMediaDoc&, CInputDVD&) { CheckRows(true); }))
        .Add(UncheckAllRows, OnDvd([this](CKestrelMediaDoc&, CInputDVD&) { CheckRows(false); }))
        // Nothing is removed from a disc's title list.
        .Add(RemoveAllSources, disabled, {})
        .Add(DvdReserved, disabled, {})
        .Add(RemoveSources, disabled, {});
}

// The check events make the document's calls.
void CSourceTypeDVDView::CheckRows(bool check)
{
    for (long row = 0; row < m_list->GetItemCount(); ++row)
        m_list->CheckItem(row, check);
}

namespace {

// The DVD page, shown for source type 2.
const CPageRegistration kPage(SourceListPage<CSourceTypeDVDView>(kPageDvd, 2, 4, 1, L"SourceTypeDVD_x"));

}  // namespace
