#include "shell/frame/MainFrmRibbon.h"
#include "controls/ids/CommandIds.h"
#include "controls/res/ResourceBridge.h"
#include "controls/toolbar/RibbonTips.h"
#include "shell/KestrelMediaApp.h"
#include "shell/KestrelMediaDoc.h"
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
    m_quickAccess->AddTool(FileNew, KM::Res::LoadString(262), SmallImage(0), KM::Res::LoadString(262));
    m_quickAccess->AddTool(FileOpen, KM::Res::LoadString(263), SmallImage(2), KM::Res::LoadString(263));
    m_quickAccess->AddTool(FileSave, KM::Res::LoadString(264), SmallImage(20), KM::Res::LoadString(264));
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

void CMainFrmRibbon::BuildFilePage()
{
    m_filePage = BuildCategory(260);
    wxRibbonButtonBar* bar = AddPanel(m_filePage, 260);
    bar->AddButton(FileNew, KM::Res::LoadString(262), CommandImage(0));
    bar->AddButton(FileOpen, KM::Res::LoadString(263), CommandImage(2));
    bar->AddButton(FileSave, KM::Res::LoadString(264), CommandImage(20));
    bar->AddButton(FileSaveAs, KM::Res::LoadString(265), CommandImage(20));
    bar->AddDropdownButton(kRecentFirst - 1, KM::Res::LoadString(272), CommandImage(17));
    bar->AddButton(AppExit, KM::Res::LoadString(273), CommandImage(15));
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
        menu.Append(wxID_NONE, KM::Res::LoadString(272))->Enable(false);
    const int chosen = anchor->GetPopupMenuSelectionFromUser(menu);
    if (chosen >= kRecentFirst && chosen < kRecentFirst + static_cast<int>(files.size()))
        app->OpenDocumentFile(files[static_cast<size_t>(chosen - kRecentFirst)]);
}

void CMainFrmRibbon::BuildSourceCategory()
{
    m_categories[kCategorySource] = BuildCategory(61204);
    wxRibbonButtonBar* add = AddPanel(m_categories[kCategorySource], 61368);
    AddButton(add, SourceFileList, 61369, 0, 423);
    AddButton(add, SourceFolder, 61211, 2, 424);
    AddButton(add, SourceDvd, 61212, 1, 455);
    AddButton(AddPanel(m_categories[kCategorySource], 61370), RemoveSources, 61218, 13, 457);
    AddButton(AddPanel(m_categories[kCategorySource], 61355), StartConversionFromRibbon, 61356, 16, 461);
}

void CMainFrmRibbon::BuildEditingCategory()
{
    m_categories[kCategoryEditing] = BuildCategory(61205);
    auto* panel = new wxRibbonPanel(m_categories[kCategoryEditing], wxID_ANY, KM::Res::LoadString(61370), wxNullBitmap,
                                    wxDefaultPosition, wxDefaultSize, wxRIBBON_PANEL_NO_AUTO_MINIMISE);
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(new wxStaticText(panel, wxID_ANY, KM::Res::LoadString(242)), 0, wxBOTTOM, 4);
    m_fileCombo = new wxChoice(panel, CurrentFileCombo, wxDefaultPosition, wxSize(300, -1));
    column->Add(m_fileCombo);
    sizer->Add(column, 0, wxALIGN_CENTER_VERTICAL | wxALL, 4);
    sizer->Add(new wxStaticLine(panel, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_VERTICAL), 0, wxEXPAND | wxALL, 4);
    auto* bar = new wxRibbonButtonBar(panel);
    AddButton(bar, PreviousFile, 469, 24, 469);
    AddButton(bar, NextFile, 466, 25, 466);
    AddButton(bar, ResetEditPane, 61422, 9, 465);
    sizer->Add(bar, 0, wxEXPAND);
    panel->SetSizer(sizer);
    AddButton(AddPanel(m_categories[kCategoryEditing], 61355), StartConversionFromRibbon, 61356, 16, 461);
}

void CMainFrmRibbon::BuildOutputCategory()
{
    m_categories[kCategoryOutput] = BuildCategory(61206);
    AddButton(AddPanel(m_categories[kCategoryOutput], 61355), StartConversionFromRibbon, 61356, 16, 461);
}

void CMainFrmRibbon::BuildConversionCategory()
{
    m_categories[kCategoryConversion] = BuildCategory(61207);
    wxRibbonButtonBar* bar = AddPanel(m_categories[kCategoryConversion], 61350);
    AddButton(bar, ConversionStart, 61351, 16, 461);
    AddButton(bar, ConversionPause, 61352, 19, 474);
    AddButton(bar, ConversionStop, 61353, 18, 475);
    AddButton(bar, SendToTray, 61354, 23, 476);
}

void CMainFrmRibbon::BuildNewsCategory()
{
    m_categories[kCategoryNews] = BuildCategory(61208);
    wxRibbonButtonBar* bar = AddPanel(m_categories[kCategoryNews], 412);
    bar->AddButton(CheckUpdatesNow, KM::Res::LoadString(413), CommandImage(4));
    CKMRibbonCheckBox::Add(*bar, KM::Res::LoadString(414), CommandImage(17));
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
