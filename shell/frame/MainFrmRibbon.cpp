#include "shell/frame/MainFrmRibbon.h"
#include "controls/ids/CommandIds.h"
#include "controls/ids/StringIds.h"
#include "controls/res/ResourceBridge.h"
#include "controls/toolbar/RibbonTips.h"
#include "shell/KestrelMediaApp.h"
#include "document/KestrelMediaDoc.h"
#include "shell/frame/FileComboItems.h"
#include "shell/frame/KMRibbonBar.h"
#include "shell/frame/PageKinds.h"
#include <wx/choice.h>
#include <wx/menu.h>
#include <wx/ribbon/buttonbar.h>
#include <wx/ribbon/page.h>
#include <wx/ribbon/panel.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/toolbar.h>

namespace {

using namespace KM::Cmd;

constexpr int kRecentFirst = wxID_FILE1;

wxBitmap CommandImage(int index)
{
    CKestrelMediaApp* app = CKestrelMediaApp::Get();
    if (!app)
        return wxBitmap(32, 32);
    wxImageList& list = app->GetDrawObjects().m_ribbonImages;
    if (list.GetImageCount() == 0)
        app->GetDrawObjects().LoadRibbonImages();
    if (index < 0 || index >= list.GetImageCount())
        return wxBitmap(32, 32);
    return list.GetBitmap(index);
}

wxBitmap SmallImage(int index)
{
    wxImage image = CommandImage(index).ConvertToImage();
    return image.IsOk() ? wxBitmap(image.Rescale(16, 16, wxIMAGE_QUALITY_HIGH)) : wxBitmap(16, 16);
}

}  // namespace

CMainFrmRibbon::~CMainFrmRibbon() = default;

void CMainFrmRibbon::BuildRibbon()
{
    BuildQuickAccess();
    m_ribbon = new CKMRibbonBar(this, wxID_ANY);
    if (CKestrelMediaApp* app = CKestrelMediaApp::Get())
        m_ribbon->SetFont(app->GetDrawObjects().m_fontNormal);
    BuildFilePage();
    BuildSourceCategory();
    BuildEditingCategory();
    BuildOutputCategory();
    BuildConversionCategory();
    BuildNewsCategory();
    m_ribbon->Realize();
}

// wxRibbonBar has no quick-access toolbar: a small toolbar above the ribbon
// holds the quick commands.
void CMainFrmRibbon::BuildQuickAccess()
{
    m_quickAccess = new wxToolBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTB_HORIZONTAL | wxTB_FLAT | wxTB_NODIVIDER);
    m_quickAccess->SetToolBitmapSize(wxSize(16, 16));
    struct QuickTool {
        int command;
        unsigned label;
        int image;
    };
    for (const QuickTool& t : {QuickTool{FileNew, KM::Str::FileNew, 0}, QuickTool{FileOpen, KM::Str::FileOpen, 2},
                               QuickTool{FileSave, KM::Str::FileSave, 20}}) {
        const wxString label = KM::Res::LoadString(t.label);
        m_quickAccess->AddTool(t.command, label, SmallImage(t.image), label);
    }
    m_quickAccess->Realize();
}

wxRibbonPage* CMainFrmRibbon::BuildCategory(int labelId)
{
    return new wxRibbonPage(m_ribbon, wxID_ANY, KM::Res::LoadString(labelId));
}

wxRibbonButtonBar* CMainFrmRibbon::AddPanel(wxRibbonPage* page, int labelId)
{
    auto* panel = new wxRibbonPanel(page, wxID_ANY, KM::Res::LoadString(labelId), wxNullBitmap, wxDefaultPosition,
                                    wxDefaultSize, wxRIBBON_PANEL_NO_AUTO_MINIMISE);
    return new wxRibbonButtonBar(panel);
}

void CMainFrmRibbon::AddButton(wxRibbonButtonBar* bar, int command, int labelId, int icon, int descriptionId)
{
    CKMRibbonButton::Add(*bar, command, KM::Res::LoadString(labelId), CommandImage(icon), descriptionId);
}

// The "Convert" panel that the source, editing and output tabs share.
void CMainFrmRibbon::AddConvertPanel(wxRibbonPage* page)
{
    AddButton(AddPanel(page, KM::Str::ConvertPanel), StartConversionFromRibbon, KM::Str::ConvertButton, 16,
              KM::Str::ConvertDescription);
}

void CMainFrmRibbon::BuildFilePage()
{
    m_filePage = BuildCategory(KM::Str::FileCategory);
    wxRibbonButtonBar* bar = AddPanel(m_filePage, KM::Str::FileCategory);
    bar->AddButton(FileNew, KM::Res::LoadString(KM::Str::FileNew), CommandImage(0));
    bar->AddButton(FileOpen, KM::Res::LoadString(KM::Str::FileOpen), CommandImage(2));
    bar->AddButton(FileSave, KM::Res::LoadString(KM::Str::FileSave), CommandImage(20));
    bar->AddButton(FileSaveAs, KM::Res::LoadString(KM::Str::FileSaveAs), CommandImage(20));
    bar->AddDropdownButton(kRecentFirst - 1, KM::Res::LoadString(KM::Str::RecentProjects), CommandImage(17));
    bar->AddButton(AppExit, KM::Res::LoadString(KM::Str::FileExit), CommandImage(15));
    bar->Bind(wxEVT_RIBBONBUTTONBAR_DROPDOWN_CLICKED, [this, bar](wxRibbonButtonBarEvent&) { ShowRecentFiles(bar); },
              kRecentFirst - 1);
    bar->Bind(wxEVT_RIBBONBUTTONBAR_CLICKED, [this, bar](wxRibbonButtonBarEvent&) { ShowRecentFiles(bar); },
              kRecentFirst - 1);
}

void CMainFrmRibbon::ShowRecentFiles(wxWindow* anchor)
{
    CKestrelMediaApp* app = CKestrelMediaApp::Get();
    if (!app)
        return;
    wxMenu menu;
    const auto files = app->GetRecentFiles().Entries();
    for (size_t i = 0; i < files.size() && i < 9; ++i)
        menu.Append(kRecentFirst + static_cast<int>(i), wxString::Format("&%zu %s", i + 1, wxString(files[i])));
    if (menu.GetMenuItemCount() == 0)
        menu.Append(wxID_NONE, KM::Res::LoadString(KM::Str::RecentProjects))->Enable(false);
    const int chosen = anchor->GetPopupMenuSelectionFromUser(menu);
    if (chosen >= kRecentFirst && chosen < kRecentFirst + static_cast<int>(files.size()))
        app->OpenDocumentFile(files[static_cast<size_t>(chosen - kRecentFirst)]);
}

void CMainFrmRibbon::BuildSourceCategory()
{
    m_categories[kCategorySource] = BuildCategory(KM::Str::SourceCategory);
    wxRibbonButtonBar* add = AddPanel(m_categories[kCategorySource], KM::Str::AddSourcesPanel);
    AddButton(add, SourceFileList, KM::Str::FilesButton, 0, KM::Str::FilesDescription);
    AddButton(add, SourceFolder, KM::Str::FolderButton, 2, KM::Str::FolderDescription);
    AddButton(add, SourceDvd, KM::Str::DvdButton, 1, KM::Str::DvdDescription);
    AddButton(AddPanel(m_categories[kCategorySource], KM::Str::SourcesPanel), RemoveSources, KM::Str::RemoveButton, 13,
              KM::Str::RemoveDescription);
    AddConvertPanel(m_categories[kCategorySource]);
}

void CMainFrmRibbon::BuildEditingCategory()
{
    m_categories[kCategoryEditing] = BuildCategory(KM::Str::EditingCategory);
    auto* panel =
        new wxRibbonPanel(m_categories[kCategoryEditing], wxID_ANY, KM::Res::LoadString(KM::Str::SourcesPanel),
                          wxNullBitmap, wxDefaultPosition, wxDefaultSize, wxRIBBON_PANEL_NO_AUTO_MINIMISE);
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(new wxStaticText(panel, wxID_ANY, KM::Res::LoadString(KM::Str::CurrentFileLabel)), 0, wxBOTTOM, 4);
    m_fileCombo = new wxChoice(panel, CurrentFileCombo, wxDefaultPosition, wxSize(300, -1));
    column->Add(m_fileCombo);
    sizer->Add(column, 0, wxALIGN_CENTER_VERTICAL | wxALL, 4);
    sizer->Add(new wxStaticLine(panel, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_VERTICAL), 0, wxEXPAND | wxALL, 4);
    auto* bar = new wxRibbonButtonBar(panel);
    AddButton(bar, PreviousFile, KM::Str::PreviousFile, 24, KM::Str::PreviousFile);
    AddButton(bar, NextFile, KM::Str::NextFile, 25, KM::Str::NextFile);
    AddButton(bar, ResetEditPane, KM::Str::ResetButton, 9, KM::Str::ResetDescription);
    sizer->Add(bar, 0, wxEXPAND);
    panel->SetSizer(sizer);
    AddConvertPanel(m_categories[kCategoryEditing]);
}

void CMainFrmRibbon::BuildOutputCategory()
{
    m_categories[kCategoryOutput] = BuildCategory(KM::Str::OutputCategory);
    AddConvertPanel(m_categories[kCategoryOutput]);
}

void CMainFrmRibbon::BuildConversionCategory()
{
    m_categories[kCategoryConversion] = BuildCategory(KM::Str::ConversionCategory);
    wxRibbonButtonBar* bar = AddPanel(m_categories[kCategoryConversion], KM::Str::ConversionPanel);
    AddButton(bar, ConversionStart, KM::Str::StartButton, 16, KM::Str::ConvertDescription);
    AddButton(bar, ConversionPause, KM::Str::PauseButton, 19, KM::Str::PauseDescription);
    AddButton(bar, ConversionStop, KM::Str::StopButton, 18, KM::Str::StopDescription);
    AddButton(bar, SendToTray, KM::Str::ToTrayButton, 23, KM::Str::ToTrayDescription);
}

void CMainFrmRibbon::BuildNewsCategory()
{
    m_categories[kCategoryNews] = BuildCategory(KM::Str::NewsCategory);
    wxRibbonButtonBar* bar = AddPanel(m_categories[kCategoryNews], KM::Str::UpdatesPanel);
    bar->AddButton(CheckUpdatesNow, KM::Res::LoadString(KM::Str::CheckNowButton), CommandImage(4));
    CKMRibbonCheckBox::Add(*bar, KM::Res::LoadString(KM::Str::AutoCheckButton), CommandImage(17));
}

int CMainFrmRibbon::CategoryPosition(const wxRibbonPage* page) const
{
    if (!page)
        return -1;
    if (page == m_filePage)
        return 0;
    for (int i = kCategorySource; i <= kCategoryNews; ++i)
        if (m_categories[static_cast<size_t>(i)] == page)
            return i;
    return -1;
}

int CMainFrmRibbon::ActiveCategoryPosition() const
{
    return m_ribbon ? CategoryPosition(m_ribbon->GetPage(m_ribbon->GetActivePage())) : -1;
}

wxRibbonPage* CMainFrmRibbon::GetCategory(int position) const
{
    if (position == 0)
        return m_filePage;
    return position >= kCategorySource && position <= kCategoryNews ? m_categories[static_cast<size_t>(position)] : nullptr;
}

void CMainFrmRibbon::RefillFileCombo()
{
    CKestrelMediaApp* app = CKestrelMediaApp::Get();
    CKestrelMediaDoc* doc = app ? app->GetDocument() : nullptr;
    if (!doc || !m_fileCombo)
        return;
    ClearFileCombo();
    const std::vector<FileComboItem> items = BuildFileComboItems(doc->GetProject());
    for (const FileComboItem& item : items) {
        m_fileCombo->Append(wxString(item.text));
        m_comboEntries.push_back(item.entry);
    }
    const int current = FileComboIndexOf(items, doc->GetCurrentFile());
    m_fileCombo->SetSelection(current >= 0 ? current : wxNOT_FOUND);
}

void CMainFrmRibbon::ClearFileCombo()
{
    if (!m_fileCombo)
        return;
    m_fileCombo->SetSelection(wxNOT_FOUND);
    m_fileCombo->Clear();
    m_comboEntries.clear();
}

CKMFile* CMainFrmRibbon::GetComboFileEntry(wxWindow* mainFrame)
{
    auto* frame = dynamic_cast<CMainFrmRibbon*>(mainFrame);
    if (!frame || !frame->m_fileCombo)
        return nullptr;
    const int selected = frame->m_fileCombo->GetSelection();
    if (selected < 0 || static_cast<size_t>(selected) >= frame->m_comboEntries.size())
        return nullptr;
    return frame->m_comboEntries[static_cast<size_t>(selected)];
}
